#include "wps/WPSLearnMoreDlg.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

#include "app/Globals.h"
#include "app/LocalizedText.h"
#include "controls/ButtonFace.h"
#include "controls/GrayDlg.h"
#include "controls/MyButton.h"
#include "controls/Pictures.h"
#include "framework/Controls.h"
#include "framework/TextDraw.h"
#include "wps/WpsDialogLayout.h"

namespace {

const QColor kTextColour(0, 70, 109);
constexpr int kSmallLogoW = 16, kSmallLogoH = 14;
constexpr int kParagraphGap = 8;  // between one text's ink and the next text
constexpr int kInkSlack = 4;      // below the ink, for descenders the ink box misses

}  // namespace

const CWPSLearnMoreDlg::Map CWPSLearnMoreDlg::kMessageMap[] = {
    OnCommandId(IDOK, &CWPSLearnMoreDlg::OnBnClickedClose),
    OnMessageId(WM_LEARN_MORE_CLOSE, &CWPSLearnMoreDlg::OnCloseFromOutside),
};
const std::size_t CWPSLearnMoreDlg::kMessageMapSize = std::size(CWPSLearnMoreDlg::kMessageMap);

CWPSLearnMoreDlg::CWPSLearnMoreDlg(CDialogEx* parent) : CMappedDialog(kTemplateId, parent) {}

void CWPSLearnMoreDlg::CreateControls()
{
    AddControl<CMyButton>(IDOK, kStandardFaces);
    for (int id : {IdTitle, IdParagraph1, IdParagraph2, IdParagraph3}) AddControl<CStaticText>(id);
    for (int id : {IdLargeLogo, IdSmallLogo, IdSmallLogoRtl}) AddControl<CPicture>(id);
}

BOOL CWPSLearnMoreDlg::OnInitDialog()
{
    const int lang = g_nUiLanguage;
    const bool rtl = IsRtlLanguage(lang);
    m_background = LoadPngResource(kBackgroundId);
    // Centred across the wizard's window, 30 pixels below its middle.
    const QRect owner = Parent() ? Parent()->WindowRect() : QRect(0, 0, 753, 530);
    MoveWindow(owner.x() + (owner.width() - kLearnMoreW) / 2, owner.y() + (owner.height() - kLearnMoreH) / 2 + 30,
               kLearnMoreW, kLearnMoreH);

    m_fontTitle = QFont(QStringLiteral("Arial"));
    m_fontTitle.setPixelSize(LearnMoreTitlePixels(lang));
    m_fontTitle.setBold(true);
    m_fontText = QFont(QStringLiteral("Arial"));
    m_fontText.setPixelSize(WpsTextPixels(lang));
    m_fontText.setWeight(QFont::Normal);

    const LearnMoreLayout layout = LayOutLearnMore(lang);
    // Each text keeps its place unless the one above needs more room than its box (a long
    // translation, a script with taller lines): then it follows below that text's ink.
    int inkBottom = 0;
    auto place = [&](int id, UINT stringId, WpsRect at, const QFont& font) {
        auto* c = static_cast<CStaticText*>(GetDlgItem(id));
        c->SetFont(font);
        c->SetTextColor(kTextColour);
        if (rtl) {
            c->ModifyStyle(0, SS_RIGHT);
            c->ModifyStyleEx(0, WS_EX_RIGHT | WS_EX_RTLREADING);
        }
        const std::wstring text = LoadText(stringId);
        c->SetWindowTextW(text);
        at.y = std::max(at.y, inkBottom + kParagraphGap);
        WpsRect r = MirrorRect(at, kLearnMoreW, rtl);
        const QRectF ink = Framework::DrawnTextBounds(QRect(r.x, r.y, r.w, kLearnMoreH), ToQ(text), font,
                                                      static_cast<Qt::Alignment>(c->Alignment()), rtl);
        if (!ink.isEmpty()) {
            inkBottom = static_cast<int>(ink.bottom()) + 1;
            r.h = std::max(r.h, inkBottom - r.y + kInkSlack);
        }
        c->MoveWindow(r.x, r.y, r.w, r.h);
        c->ShowWindow(SW_SHOW);
    };
    place(IdTitle, 190, layout.title, m_fontTitle);
    place(IdParagraph1, 191, layout.paragraph1, m_fontText);
    place(IdParagraph2, 192, layout.paragraph2, m_fontText);
    place(IdParagraph3, 193, layout.paragraph3, m_fontText);

    auto* large = static_cast<CPicture*>(GetDlgItem(IdLargeLogo));
    large->SetImage(LoadPngResource(kLargeLogoPng), kLargeLogoPng);
    const WpsRect logo = MirrorRect(layout.largeLogo, kLearnMoreW, rtl);
    large->MoveWindow(logo.x, logo.y, logo.w, logo.h);
    large->ShowWindow(SW_SHOW);
    PlaceSmallLogo(rtl);

    CWnd* close = GetDlgItem(IDOK);
    close->SetWindowTextW(LoadText(214));
    if (rtl) close->ModifyStyleEx(0, WS_EX_RTLREADING);
    const WpsRect c = MirrorRect(layout.close, kLearnMoreW, rtl);
    close->MoveWindow(c.x, c.y, c.w, c.h);
    close->ShowWindow(SW_SHOW);
    close->SetFocus();
    return TRUE;
}

void CWPSLearnMoreDlg::PlaceSmallLogo(bool rtl)
{
    // The sentence leaves a gap of blanks after "WPS logo ( ": the logo goes where the
    // gap begins, found by laying the sentence out as its control draws it, so that it
    // stays in the gap wherever the sentence wraps.
    auto* paragraph = static_cast<CStaticText*>(GetDlgItem(IdParagraph2));
    const std::wstring sentence = LoadText(192);
    const std::wstring lead = LoadText(278);
    const QRect rect = paragraph->GetClientRectInParent();
    int x = 0, y = 0;
    const std::size_t found = lead.empty() ? std::wstring::npos : sentence.find(lead);
    if (found != std::wstring::npos) {
        const QPointF at = Framework::TextPositionOf(rect, ToQ(sentence), m_fontText,
                                                     static_cast<Qt::Alignment>(paragraph->Alignment()), rtl,
                                                     static_cast<int>(ToQ(sentence.substr(0, found + lead.size())).length()));
        x = static_cast<int>(at.x()) - (rtl ? kSmallLogoW : 0);
        y = static_cast<int>(at.y()) + (QFontMetrics(m_fontText).height() - kSmallLogoH) / 2;
    } else {
        // A table without the lead in its sentence: the second line, after the lead's width.
        const QFontMetrics metrics(m_fontText);
        const WpsRect at = MirrorRect({30 + metrics.horizontalAdvance(ToQ(lead)), 129 + metrics.height(),
                                       kSmallLogoW, kSmallLogoH},
                                      kLearnMoreW, rtl);
        x = at.x;
        y = at.y;
    }
    const int shown = rtl ? IdSmallLogoRtl : IdSmallLogo;
    auto* logo = static_cast<CPicture*>(GetDlgItem(shown));
    logo->SetImage(LoadPngResource(kSmallLogoPng), kSmallLogoPng);
    logo->MoveWindow(x, y, kSmallLogoW, kSmallLogoH);
    logo->ShowWindow(SW_SHOW);
    GetDlgItem(rtl ? IdSmallLogo : IdSmallLogoRtl)->ShowWindow(SW_HIDE);
}

void CWPSLearnMoreDlg::OnBnClickedClose()
{
    if (g_pGrayDlg) g_pGrayDlg->ShowWindow(SW_HIDE);
    EndDialog(IDOK);
}

LRESULT CWPSLearnMoreDlg::OnCloseFromOutside(WPARAM, LPARAM)
{
    if (g_pGrayDlg) g_pGrayDlg->ShowWindow(SW_HIDE);
    EndDialog(IDCANCEL);
    return 0;
}

void CWPSLearnMoreDlg::OnPaintBackground(QPainter& painter)
{
    if (!m_background.isNull()) painter.drawImage(0, 0, m_background);
    else painter.fillRect(Widget()->rect(), QColor(244, 248, 251));
}
