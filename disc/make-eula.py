#!/usr/bin/env python3
"""Writes the licence documents of the installation disc: one web archive (.mht) per
language under adapter/EULA, each an HTML page (quoted-printable UTF-8) and the product
emblem (base64 PNG), as a browser saves a page with its pictures.

Run from anywhere: python3 disc/make-eula.py. The output is the same on every run."""
import email.policy
import math
import os
import struct
import zlib
from email import charset as mime_charset
from email.header import Header
from email.mime.image import MIMEImage
from email.mime.multipart import MIMEMultipart
from email.mime.text import MIMEText

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "adapter", "EULA")
PRODUCT = "Korvana QW4100 / QW2100 / QW2600 Wireless-N USB Adapter · Tesra Connect"

# File name, language tag, reading direction, title, and the text: the lead line, six
# clauses (heading, sentence) and the closing line.
DOCUMENTS = [
    ("Terms-World-Regions-en_101006.mht", "en", "ltr", "End-User Licence Agreement",
     "Please read this agreement before you install and use the software for your Korvana wireless adapter.",
     [("Licence", "Tesra Systems grants you a non-exclusive licence to install and use this software with Korvana wireless adapters."),
      ("Restrictions", "You may not sell, rent, modify or reverse engineer the software, except where the law allows it."),
      ("Ownership", "The software remains the property of Tesra Systems and its suppliers."),
      ("No warranty", "The software is provided \"as is\", without warranty of any kind, as far as the law permits."),
      ("Liability", "Tesra Systems is not liable for indirect or consequential damage arising from the use of the software."),
      ("Termination", "This licence ends if you do not keep to its terms; you must then delete the software.")],
     "By ticking the box on the welcome page you accept these terms."),
    ("Terms-World-Regions-DK_100922.mht", "da", "ltr", "Slutbrugerlicensaftale",
     "Læs denne aftale, før du installerer og bruger softwaren til din trådløse Korvana-adapter.",
     [("Licens", "Tesra Systems giver dig en ikke-eksklusiv licens til at installere og bruge denne software sammen med trådløse Korvana-adaptere."),
      ("Begrænsninger", "Du må ikke sælge, udleje, ændre eller foretage reverse engineering af softwaren, medmindre loven tillader det."),
      ("Ejendomsret", "Softwaren forbliver Tesra Systems' og dets leverandørers ejendom."),
      ("Ingen garanti", "Softwaren leveres \"som den er\", uden nogen form for garanti, i det omfang loven tillader det."),
      ("Ansvar", "Tesra Systems er ikke ansvarlig for indirekte skader eller følgeskader som følge af brugen af softwaren."),
      ("Ophør", "Licensen ophører, hvis du ikke overholder vilkårene; du skal da slette softwaren.")],
     "Ved at markere feltet på velkomstsiden accepterer du disse vilkår."),
    ("Terms-World-Regions-DE_100922.mht", "de", "ltr", "Endbenutzer-Lizenzvertrag",
     "Bitte lesen Sie diesen Vertrag, bevor Sie die Software für Ihren Korvana WLAN-Adapter installieren und verwenden.",
     [("Lizenz", "Tesra Systems gewährt Ihnen eine nicht ausschließliche Lizenz, diese Software mit Korvana WLAN-Adaptern zu installieren und zu verwenden."),
      ("Einschränkungen", "Sie dürfen die Software nicht verkaufen, vermieten, verändern oder zurückentwickeln, soweit das Gesetz es nicht erlaubt."),
      ("Eigentum", "Die Software bleibt Eigentum von Tesra Systems und seinen Zulieferern."),
      ("Keine Gewährleistung", "Die Software wird „wie besehen“ ohne jede Gewährleistung bereitgestellt, soweit das Gesetz es zulässt."),
      ("Haftung", "Tesra Systems haftet nicht für mittelbare Schäden oder Folgeschäden aus der Verwendung der Software."),
      ("Beendigung", "Diese Lizenz endet, wenn Sie ihre Bedingungen nicht einhalten; Sie müssen die Software dann löschen.")],
     "Mit dem Häkchen auf der Willkommensseite stimmen Sie diesen Bedingungen zu."),
    ("EULA_Greek.mht", "el", "ltr", "Άδεια χρήσης τελικού χρήστη",
     "Διαβάστε αυτή τη σύμβαση πριν εγκαταστήσετε και χρησιμοποιήσετε το λογισμικό του ασύρματου προσαρμογέα Korvana.",
     [("Άδεια", "Η Tesra Systems σάς παραχωρεί μη αποκλειστική άδεια εγκατάστασης και χρήσης αυτού του λογισμικού με ασύρματους προσαρμογείς Korvana."),
      ("Περιορισμοί", "Δεν επιτρέπεται η πώληση, η εκμίσθωση, η τροποποίηση ή η αποσυμπίληση του λογισμικού, εκτός όπου το επιτρέπει ο νόμος."),
      ("Κυριότητα", "Το λογισμικό παραμένει ιδιοκτησία της Tesra Systems και των προμηθευτών της."),
      ("Καμία εγγύηση", "Το λογισμικό παρέχεται «ως έχει», χωρίς καμία εγγύηση, στο μέτρο που το επιτρέπει ο νόμος."),
      ("Ευθύνη", "Η Tesra Systems δεν ευθύνεται για έμμεσες ή παρεπόμενες ζημίες από τη χρήση του λογισμικού."),
      ("Λήξη", "Η άδεια λήγει αν δεν τηρείτε τους όρους της· τότε πρέπει να διαγράψετε το λογισμικό.")],
     "Επιλέγοντας το πλαίσιο στη σελίδα καλωσορίσματος αποδέχεστε αυτούς τους όρους."),
    ("Terms-World-Regions-ES_100922.mht", "es", "ltr", "Contrato de licencia para el usuario final",
     "Lea este contrato antes de instalar y utilizar el software de su adaptador inalámbrico Korvana.",
     [("Licencia", "Tesra Systems le concede una licencia no exclusiva para instalar y utilizar este software con adaptadores inalámbricos Korvana."),
      ("Restricciones", "No puede vender, alquilar, modificar ni aplicar ingeniería inversa al software, salvo en la medida en que la ley lo permita."),
      ("Propiedad", "El software sigue siendo propiedad de Tesra Systems y de sus proveedores."),
      ("Sin garantía", "El software se proporciona \"tal cual\", sin garantía de ningún tipo, en la medida en que la ley lo permita."),
      ("Responsabilidad", "Tesra Systems no se hace responsable de los daños indirectos o derivados del uso del software."),
      ("Rescisión", "Esta licencia finaliza si no cumple sus condiciones; en ese caso debe eliminar el software.")],
     "Al marcar la casilla de la página de bienvenida, acepta estas condiciones."),
    ("Terms-World-Regions-FI_100922.mht", "fi", "ltr", "Käyttöoikeussopimus",
     "Lue tämä sopimus ennen kuin asennat ja käytät Korvana-langattoman sovittimen ohjelmistoa.",
     [("Käyttöoikeus", "Tesra Systems myöntää sinulle ei-yksinomaisen oikeuden asentaa ja käyttää tätä ohjelmistoa Korvana-langattomien sovittimien kanssa."),
      ("Rajoitukset", "Et saa myydä, vuokrata, muuttaa tai takaisinmallintaa ohjelmistoa, ellei laki sitä salli."),
      ("Omistusoikeus", "Ohjelmisto pysyy Tesra Systemsin ja sen toimittajien omaisuutena."),
      ("Ei takuuta", "Ohjelmisto toimitetaan \"sellaisenaan\" ilman minkäänlaista takuuta lain sallimissa rajoissa."),
      ("Vastuu", "Tesra Systems ei vastaa ohjelmiston käytöstä aiheutuvista välillisistä vahingoista tai seurannaisvahingoista."),
      ("Päättyminen", "Käyttöoikeus päättyy, jos et noudata sen ehtoja; silloin sinun on poistettava ohjelmisto.")],
     "Valitsemalla ruudun aloitussivulla hyväksyt nämä ehdot."),
    ("Terms-World-Regions-FR_100922.mht", "fr", "ltr", "Contrat de licence utilisateur final",
     "Veuillez lire ce contrat avant d'installer et d'utiliser le logiciel de votre adaptateur sans fil Korvana.",
     [("Licence", "Tesra Systems vous accorde une licence non exclusive pour installer et utiliser ce logiciel avec les adaptateurs sans fil Korvana."),
      ("Restrictions", "Vous ne pouvez ni vendre, ni louer, ni modifier, ni désassembler le logiciel, sauf si la loi l'autorise."),
      ("Propriété", "Le logiciel reste la propriété de Tesra Systems et de ses fournisseurs."),
      ("Absence de garantie", "Le logiciel est fourni « en l'état », sans garantie d'aucune sorte, dans la mesure permise par la loi."),
      ("Responsabilité", "Tesra Systems n'est pas responsable des dommages indirects ou consécutifs liés à l'utilisation du logiciel."),
      ("Résiliation", "Cette licence prend fin si vous n'en respectez pas les conditions ; vous devez alors supprimer le logiciel.")],
     "En cochant la case de la page d'accueil, vous acceptez ces conditions."),
    ("Terms-World-Regions-CA_100922.mht", "fr-CA", "ltr", "Contrat de licence d'utilisation",
     "Veuillez lire ce contrat avant d'installer et d'utiliser le logiciel de votre adaptateur sans fil Korvana.",
     [("Licence", "Tesra Systems vous accorde une licence non exclusive pour installer et utiliser ce logiciel avec les adaptateurs sans fil Korvana."),
      ("Restrictions", "Vous ne pouvez pas vendre, louer, modifier ou désassembler le logiciel, sauf dans la mesure où la loi le permet."),
      ("Propriété", "Le logiciel demeure la propriété de Tesra Systems et de ses fournisseurs."),
      ("Aucune garantie", "Le logiciel est fourni « tel quel », sans aucune garantie, dans la mesure permise par la loi."),
      ("Responsabilité", "Tesra Systems n'est pas responsable des dommages indirects ou consécutifs découlant de l'utilisation du logiciel."),
      ("Résiliation", "Cette licence prend fin si vous n'en respectez pas les modalités; vous devez alors supprimer le logiciel.")],
     "En cochant la case de la page d'accueil, vous acceptez ces modalités."),
    ("Terms-World-Regions-IT_100922.mht", "it", "ltr", "Contratto di licenza con l'utente finale",
     "Leggere il presente contratto prima di installare e utilizzare il software dell'adattatore wireless Korvana.",
     [("Licenza", "Tesra Systems concede una licenza non esclusiva per installare e utilizzare questo software con gli adattatori wireless Korvana."),
      ("Limitazioni", "Non è consentito vendere, noleggiare, modificare o decompilare il software, salvo quanto consentito dalla legge."),
      ("Proprietà", "Il software resta di proprietà di Tesra Systems e dei suoi fornitori."),
      ("Nessuna garanzia", "Il software è fornito \"così com'è\", senza alcuna garanzia, nei limiti consentiti dalla legge."),
      ("Responsabilità", "Tesra Systems non è responsabile di danni indiretti o consequenziali derivanti dall'uso del software."),
      ("Risoluzione", "La licenza cessa se non se ne rispettano i termini; in tal caso il software deve essere eliminato.")],
     "Selezionando la casella nella pagina di benvenuto si accettano questi termini."),
    ("Terms-World-Regions-NL_100922.mht", "nl", "ltr", "Licentieovereenkomst voor eindgebruikers",
     "Lees deze overeenkomst voordat u de software voor uw draadloze Korvana-adapter installeert en gebruikt.",
     [("Licentie", "Tesra Systems verleent u een niet-exclusieve licentie om deze software te installeren en te gebruiken met draadloze Korvana-adapters."),
      ("Beperkingen", "U mag de software niet verkopen, verhuren, wijzigen of decompileren, behalve voor zover de wet dat toestaat."),
      ("Eigendom", "De software blijft eigendom van Tesra Systems en zijn leveranciers."),
      ("Geen garantie", "De software wordt geleverd \"zoals hij is\", zonder enige garantie, voor zover de wet dat toestaat."),
      ("Aansprakelijkheid", "Tesra Systems is niet aansprakelijk voor indirecte schade of gevolgschade door het gebruik van de software."),
      ("Beëindiging", "Deze licentie eindigt als u zich niet aan de voorwaarden houdt; u moet de software dan verwijderen.")],
     "Door het vakje op de welkomstpagina aan te vinken, gaat u akkoord met deze voorwaarden."),
    ("Terms-World-Regions-NO_100922.mht", "no", "ltr", "Lisensavtale for sluttbrukere",
     "Les denne avtalen før du installerer og bruker programvaren for den trådløse Korvana-adapteren.",
     [("Lisens", "Tesra Systems gir deg en ikke-eksklusiv lisens til å installere og bruke denne programvaren med trådløse Korvana-adaptere."),
      ("Begrensninger", "Du kan ikke selge, leie ut, endre eller dekompilere programvaren, unntatt der loven tillater det."),
      ("Eierskap", "Programvaren forblir Tesra Systems' og leverandørenes eiendom."),
      ("Ingen garanti", "Programvaren leveres \"som den er\", uten noen form for garanti, så langt loven tillater."),
      ("Ansvar", "Tesra Systems er ikke ansvarlig for indirekte skader eller følgeskader ved bruk av programvaren."),
      ("Opphør", "Lisensen opphører hvis du ikke overholder vilkårene; du må da slette programvaren.")],
     "Ved å merke av i boksen på velkomstsiden godtar du disse vilkårene."),
    ("Terms-World-Regions-PL_100922.mht", "pl", "ltr", "Umowa licencyjna użytkownika końcowego",
     "Przeczytaj tę umowę przed zainstalowaniem i użyciem oprogramowania karty sieci bezprzewodowej Korvana.",
     [("Licencja", "Tesra Systems udziela niewyłącznej licencji na instalowanie i używanie tego oprogramowania z kartami sieci bezprzewodowej Korvana."),
      ("Ograniczenia", "Nie wolno sprzedawać, wynajmować, modyfikować ani dekompilować oprogramowania, z wyjątkiem przypadków dozwolonych prawem."),
      ("Własność", "Oprogramowanie pozostaje własnością Tesra Systems i jej dostawców."),
      ("Brak gwarancji", "Oprogramowanie jest dostarczane „w stanie, w jakim jest”, bez żadnej gwarancji, w zakresie dozwolonym przez prawo."),
      ("Odpowiedzialność", "Tesra Systems nie odpowiada za szkody pośrednie ani wtórne wynikające z używania oprogramowania."),
      ("Wygaśnięcie", "Licencja wygasa w razie nieprzestrzegania jej warunków; należy wtedy usunąć oprogramowanie.")],
     "Zaznaczając pole na stronie powitalnej, akceptujesz te warunki."),
    ("Terms-World-Regions-BR_100922.mht", "pt-BR", "ltr", "Contrato de licença do usuário final",
     "Leia este contrato antes de instalar e usar o software do seu adaptador sem fio Korvana.",
     [("Licença", "A Tesra Systems concede a você uma licença não exclusiva para instalar e usar este software com adaptadores sem fio Korvana."),
      ("Restrições", "Você não pode vender, alugar, modificar nem fazer engenharia reversa do software, exceto quando a lei permitir."),
      ("Propriedade", "O software continua sendo propriedade da Tesra Systems e de seus fornecedores."),
      ("Sem garantia", "O software é fornecido \"no estado em que se encontra\", sem garantia de qualquer tipo, na medida permitida por lei."),
      ("Responsabilidade", "A Tesra Systems não se responsabiliza por danos indiretos ou consequentes decorrentes do uso do software."),
      ("Rescisão", "Esta licença termina se você não cumprir seus termos; nesse caso, você deve excluir o software.")],
     "Ao marcar a caixa na página de boas-vindas, você aceita estes termos."),
    ("Terms-World-Regions-PT_100922.mht", "pt-PT", "ltr", "Contrato de licença do utilizador final",
     "Leia este contrato antes de instalar e utilizar o software do seu adaptador sem fios Korvana.",
     [("Licença", "A Tesra Systems concede-lhe uma licença não exclusiva para instalar e utilizar este software com adaptadores sem fios Korvana."),
      ("Restrições", "Não pode vender, alugar, modificar nem descompilar o software, exceto na medida em que a lei o permita."),
      ("Propriedade", "O software continua a ser propriedade da Tesra Systems e dos seus fornecedores."),
      ("Sem garantia", "O software é fornecido \"tal como está\", sem garantia de qualquer tipo, na medida permitida por lei."),
      ("Responsabilidade", "A Tesra Systems não é responsável por danos indiretos ou consequenciais resultantes da utilização do software."),
      ("Cessação", "Esta licença cessa se não cumprir os seus termos; nesse caso, deve eliminar o software.")],
     "Ao assinalar a caixa na página de boas-vindas, aceita estes termos."),
    ("EULA_Russian.mht", "ru", "ltr", "Лицензионное соглашение с конечным пользователем",
     "Прочтите это соглашение перед установкой и использованием программного обеспечения беспроводного адаптера Korvana.",
     [("Лицензия", "Tesra Systems предоставляет вам неисключительную лицензию на установку и использование этого программного обеспечения с беспроводными адаптерами Korvana."),
      ("Ограничения", "Запрещается продавать, сдавать в аренду, изменять или декомпилировать программное обеспечение, кроме случаев, разрешённых законом."),
      ("Право собственности", "Программное обеспечение остаётся собственностью Tesra Systems и её поставщиков."),
      ("Отсутствие гарантий", "Программное обеспечение предоставляется «как есть», без каких-либо гарантий, в пределах, допускаемых законом."),
      ("Ответственность", "Tesra Systems не несёт ответственности за косвенный ущерб, возникший в результате использования программного обеспечения."),
      ("Прекращение", "Лицензия прекращается при несоблюдении её условий; в этом случае программное обеспечение необходимо удалить.")],
     "Установив флажок на странице приветствия, вы принимаете эти условия."),
    ("Terms-World-Regions-SE_100922.mht", "sv", "ltr", "Licensavtal för slutanvändare",
     "Läs detta avtal innan du installerar och använder programvaran för din trådlösa Korvana-adapter.",
     [("Licens", "Tesra Systems ger dig en icke-exklusiv licens att installera och använda denna programvara med trådlösa Korvana-adaptrar."),
      ("Begränsningar", "Du får inte sälja, hyra ut, ändra eller dekompilera programvaran, utom i den mån lagen tillåter det."),
      ("Äganderätt", "Programvaran förblir Tesra Systems och dess leverantörers egendom."),
      ("Ingen garanti", "Programvaran tillhandahålls \"i befintligt skick\", utan någon garanti, i den utsträckning lagen tillåter."),
      ("Ansvar", "Tesra Systems ansvarar inte för indirekta skador eller följdskador av användningen av programvaran."),
      ("Upphörande", "Licensen upphör om du inte följer villkoren; du måste då ta bort programvaran.")],
     "Genom att markera rutan på välkomstsidan godkänner du dessa villkor."),
    ("Terms-World-Regions-TH_100922.mht", "th", "ltr", "ข้อตกลงการอนุญาตให้ใช้สิทธิ์สำหรับผู้ใช้",
     "โปรดอ่านข้อตกลงนี้ก่อนติดตั้งและใช้ซอฟต์แวร์สำหรับอะแดปเตอร์ไร้สาย Korvana ของคุณ",
     [("การอนุญาต", "Tesra Systems อนุญาตให้คุณติดตั้งและใช้ซอฟต์แวร์นี้กับอะแดปเตอร์ไร้สาย Korvana โดยไม่ใช่สิทธิ์แต่เพียงผู้เดียว"),
      ("ข้อจำกัด", "คุณไม่สามารถขาย ให้เช่า ดัดแปลง หรือทำวิศวกรรมย้อนกลับซอฟต์แวร์ได้ เว้นแต่กฎหมายจะอนุญาต"),
      ("กรรมสิทธิ์", "ซอฟต์แวร์ยังคงเป็นทรัพย์สินของ Tesra Systems และผู้จัดหา"),
      ("ไม่มีการรับประกัน", "ซอฟต์แวร์นี้ให้ไว้ \"ตามสภาพ\" โดยไม่มีการรับประกันใดๆ เท่าที่กฎหมายอนุญาต"),
      ("ความรับผิด", "Tesra Systems ไม่รับผิดชอบต่อความเสียหายทางอ้อมหรือความเสียหายต่อเนื่องจากการใช้ซอฟต์แวร์"),
      ("การสิ้นสุด", "สิทธิ์นี้สิ้นสุดลงหากคุณไม่ปฏิบัติตามข้อกำหนด และคุณต้องลบซอฟต์แวร์ออก")],
     "เมื่อทำเครื่องหมายในช่องบนหน้าต้อนรับ ถือว่าคุณยอมรับข้อกำหนดเหล่านี้"),
    ("Terms-World-Regions-TR_100922.mht", "tr", "ltr", "Son Kullanıcı Lisans Sözleşmesi",
     "Korvana kablosuz adaptörünüzün yazılımını kurmadan ve kullanmadan önce lütfen bu sözleşmeyi okuyun.",
     [("Lisans", "Tesra Systems, bu yazılımı Korvana kablosuz adaptörleriyle kurmanız ve kullanmanız için size münhasır olmayan bir lisans verir."),
      ("Kısıtlamalar", "Yasanın izin verdiği durumlar dışında yazılımı satamaz, kiralayamaz, değiştiremez veya tersine mühendislik uygulayamazsınız."),
      ("Mülkiyet", "Yazılım, Tesra Systems ve tedarikçilerinin mülkiyetinde kalır."),
      ("Garanti yoktur", "Yazılım, yasanın izin verdiği ölçüde, hiçbir garanti olmaksızın \"olduğu gibi\" sağlanır."),
      ("Sorumluluk", "Tesra Systems, yazılımın kullanımından doğan dolaylı veya sonuç olarak ortaya çıkan zararlardan sorumlu değildir."),
      ("Fesih", "Koşullara uymazsanız bu lisans sona erer; bu durumda yazılımı silmeniz gerekir.")],
     "Karşılama sayfasındaki kutuyu işaretleyerek bu koşulları kabul etmiş olursunuz."),
    ("EULA_Indonesian.mht", "id", "ltr", "Perjanjian Lisensi Pengguna Akhir",
     "Bacalah perjanjian ini sebelum memasang dan menggunakan perangkat lunak adaptor nirkabel Korvana Anda.",
     [("Lisensi", "Tesra Systems memberi Anda lisensi non-eksklusif untuk memasang dan menggunakan perangkat lunak ini dengan adaptor nirkabel Korvana."),
      ("Batasan", "Anda tidak boleh menjual, menyewakan, mengubah, atau merekayasa balik perangkat lunak, kecuali jika diizinkan oleh hukum."),
      ("Kepemilikan", "Perangkat lunak tetap menjadi milik Tesra Systems dan pemasoknya."),
      ("Tanpa jaminan", "Perangkat lunak disediakan \"apa adanya\", tanpa jaminan apa pun, sejauh diizinkan oleh hukum."),
      ("Tanggung jawab", "Tesra Systems tidak bertanggung jawab atas kerugian tidak langsung atau kerugian lanjutan akibat penggunaan perangkat lunak."),
      ("Pengakhiran", "Lisensi ini berakhir jika Anda tidak mematuhi ketentuannya; Anda kemudian harus menghapus perangkat lunak.")],
     "Dengan mencentang kotak pada halaman selamat datang, Anda menerima ketentuan ini."),
    ("EULA_Vietnamese.mht", "vi", "ltr", "Thỏa thuận cấp phép người dùng cuối",
     "Vui lòng đọc thỏa thuận này trước khi cài đặt và sử dụng phần mềm cho bộ điều hợp không dây Korvana của bạn.",
     [("Giấy phép", "Tesra Systems cấp cho bạn giấy phép không độc quyền để cài đặt và sử dụng phần mềm này với các bộ điều hợp không dây Korvana."),
      ("Hạn chế", "Bạn không được bán, cho thuê, sửa đổi hoặc dịch ngược phần mềm, trừ khi pháp luật cho phép."),
      ("Quyền sở hữu", "Phần mềm vẫn thuộc quyền sở hữu của Tesra Systems và các nhà cung cấp."),
      ("Không bảo hành", "Phần mềm được cung cấp \"nguyên trạng\", không có bất kỳ bảo hành nào, trong phạm vi pháp luật cho phép."),
      ("Trách nhiệm", "Tesra Systems không chịu trách nhiệm về thiệt hại gián tiếp hoặc hệ quả phát sinh từ việc sử dụng phần mềm."),
      ("Chấm dứt", "Giấy phép này chấm dứt nếu bạn không tuân thủ các điều khoản; khi đó bạn phải xóa phần mềm.")],
     "Khi đánh dấu vào ô trên trang chào mừng, bạn chấp nhận các điều khoản này."),
    ("Terms-World-Regions_AR_100922.mht", "ar", "rtl", "اتفاقية ترخيص المستخدم النهائي",
     "يرجى قراءة هذه الاتفاقية قبل تثبيت واستخدام البرنامج الخاص بمحول Korvana اللاسلكي.",
     [("الترخيص", "تمنحك Tesra Systems ترخيصًا غير حصري لتثبيت هذا البرنامج واستخدامه مع محولات Korvana اللاسلكية."),
      ("القيود", "لا يجوز لك بيع البرنامج أو تأجيره أو تعديله أو إجراء هندسة عكسية له، إلا في الحدود التي يسمح بها القانون."),
      ("الملكية", "يبقى البرنامج ملكًا لشركة Tesra Systems ومورديها."),
      ("إخلاء الضمان", "يُقدَّم البرنامج \"كما هو\" دون أي ضمان من أي نوع، في الحدود التي يسمح بها القانون."),
      ("المسؤولية", "لا تتحمل Tesra Systems المسؤولية عن الأضرار غير المباشرة أو التبعية الناتجة عن استخدام البرنامج."),
      ("الإنهاء", "ينتهي هذا الترخيص إذا لم تلتزم بشروطه، وعليك عندئذ حذف البرنامج.")],
     "بتحديد المربع في صفحة الترحيب، فإنك توافق على هذه الشروط."),
]


def png(width, height, pixel):
    """A PNG of the given size; pixel(x, y) gives (r, g, b, a)."""
    raw = b"".join(b"\x00" + b"".join(bytes(pixel(x, y)) for x in range(width)) for y in range(height))
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def emblem():
    """The product emblem: a blue tile with the three arcs of a wireless signal."""
    w, h = 64, 48
    cx, cy = 32, 40
    def pixel(x, y):
        # rounded tile
        rx = min(x, w - 1 - x); ry = min(y, h - 1 - y)
        if rx < 4 and ry < 4 and (4 - rx) ** 2 + (4 - ry) ** 2 > 16:
            return (0, 0, 0, 0)
        d = math.hypot(x - cx, y - cy)
        up = y <= cy and abs(x - cx) <= (cy - y) * 1.1 + 2
        for r in (6, 14, 22, 30):
            if r == 6 and d <= 4.5:
                return (255, 255, 255, 255)
            if r > 6 and up and abs(d - r) <= 2.2:
                return (255, 255, 255, 255)
        return (0, 94 + y, 150 + y, 255)
    return png(w, h, pixel)


def page(lang, direction, title, lead, clauses, closing):
    items = "\n".join(f"<li><b>{head}.</b> {text}</li>" for head, text in clauses)
    align = "right" if direction == "rtl" else "left"
    return f"""<!DOCTYPE html>
<html lang="{lang}" dir="{direction}">
<head>
<meta http-equiv="Content-Type" content="text/html; charset=utf-8">
<title>{title}</title>
</head>
<body dir="{direction}" style="font-family: Arial; font-size: 13px; color: #00466d">
<table width="100%"><tr><td align="{align}"><img src="Terms_files/image001.png" width="64" height="48" alt="Korvana"></td></tr></table>
<h2 align="{align}">{title}</h2>
<p align="{align}"><i>{PRODUCT}</i></p>
<p align="{align}">{lead}</p>
<ol>
{items}
</ol>
<p align="{align}">{closing}</p>
<p align="{align}">© 2010 Tesra Systems</p>
</body>
</html>
"""


def archive(name, lang, direction, title, lead, clauses, closing, picture):
    stem = os.path.splitext(name)[0]
    base = f"file:///C:/Documents/Tesra/EULA/{stem}"
    qp = mime_charset.Charset("utf-8")
    qp.body_encoding = mime_charset.QP
    message = MIMEMultipart("related", type="text/html")
    message["From"] = "<Saved by Tesra Systems>"
    message["Subject"] = Header(title, "utf-8")
    message.set_boundary("----=_NextPart_000_0000_01CB6D2E.5A3F1B20")
    html = MIMEText(page(lang, direction, title, lead, clauses, closing), "html", qp)
    html["Content-Location"] = f"{base}.htm"
    message.attach(html)
    image = MIMEImage(picture, "png")
    image["Content-Location"] = "file:///C:/Documents/Tesra/EULA/Terms_files/image001.png"
    message.attach(image)
    return message.as_bytes(policy=email.policy.compat32.clone(linesep="\r\n"))


def main():
    os.makedirs(OUT, exist_ok=True)
    picture = emblem()
    for doc in DOCUMENTS:
        data = archive(*doc, picture)
        with open(os.path.join(OUT, doc[0]), "wb") as f:
            f.write(data)
    print(f"{len(DOCUMENTS)} licence documents written to {OUT}")


if __name__ == "__main__":
    main()
