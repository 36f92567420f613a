#include "dialogs/EULADlg.h"

#include <QPainter>

#include "app/Globals.h"
#include "app/LocalizedText.h"
#include "controls/ButtonFace.h"
#include "controls/GrayDlg.h"
#include "controls/MyButton.h"
#include "controls/Pictures.h"
#include "dialogs/MhtViewer.h"
#include "platform/Platform.h"

namespace {
constexpr int kDialogW = 653, kDialogH = 394;
constexpr UINT kCloseTextId = 269;
}  // namespace

std::wstring LicenceDocumentFileName(int langid)
{
    switch (langid) {
    case 1030: return L"\\Terms-World-Regions-DK_100922.mht";
    case 1031: return L"\\Terms-World-Regions-DE_100922.mht";
    case 1032: return L"\\EULA_Greek.mht";
    case 1034: case 3082: return L"\\Terms-World-Regions-ES_100922.mht";
    case 1035: return L"\\Terms-World-Regions-FI_100922.mht";
    case 1036: return L"\\Terms-World-Regions-FR_100922.mht";
    case 3084: return L"\\Terms-World-Regions-CA_100922.mht";
    case 1040: return L"\\Terms-World-Regions-IT_100922.mht";
    case 1043: case 2067: return L"\\Terms-World-Regions-NL_100922.mht";
    case 1044: case 2068: return L"\\Terms-World-Regions-NO_100922.mht";
    case 1045: return L"\\Terms-World-Regions-PL_100922.mht";
    case 1046: return L"\\Terms-World-Regions-BR_100922.mht";
    case 2070: return L"\\Terms-World-Regions-PT_100922.mht";
    case 1049: return L"\\EULA_Russian.mht";
    case 1053: return L"\\Terms-World-Regions-SE_100922.mht";
    case 1054: return L"\\Terms-World-Regions-TH_100922.mht";
    case 1055: return L"\\Terms-World-Regions-TR_100922.mht";
    case 1057: return L"\\EULA_Indonesian.mht";
    case 1066: return L"\\EULA_Vietnamese.mht";
    case 1025: case 2049: case 3073: case 4097: case 5121: case 6145: case 7169: case 8193: case 9217:
    case 10241: case 11265: case 12289: case 13313: case 14337: case 15361: case 16385:
        return L"\\Terms-World-Regions_AR_100922.mht";
    default: return L"\\Terms-World-Regions-en_101006.mht";
    }
}

std::wstring LicenceDocumentPath(const std::wstring& modulePath, int langid)
{
    std::size_t slash = modulePath.rfind(L'\\');
    std::wstring folder = slash == std::wstring::npos ? std::wstring() : modulePath.substr(0, slash);
    return folder + L"\\adapter\\EULA" + LicenceDocumentFileName(langid);
}

const CEULADlg::Map CEULADlg::kMessageMap[] = {
    OnCommandId(IDOK, &CEULADlg::OnClickedClose),
};
const std::size_t CEULADlg::kMessageMapSize = std::size(CEULADlg::kMessageMap);

CEULADlg::CEULADlg(CDialogEx* parent) : CMappedDialog(kTemplateId, parent) {}

CEULADlg::~CEULADlg() = default;

CMhtViewer* CEULADlg::Viewer() const { return static_cast<CMhtViewer*>(GetDlgItem(kBrowserId)); }

void CEULADlg::CreateControls()
{
    AddControl<CMyButton>(IDOK, kStandardFaces);
    AddControl<CMhtViewer>(kBrowserId);
}

BOOL CEULADlg::OnInitDialog()
{
    m_background = LoadPngResource(kBackgroundId);
    // The wizard's caption stays drawn active while the licence is read.
    CDialogEx* main = Parent();
    while (main && main->Parent()) main = main->Parent();
    if (main) {
        main->PostMessage(WM_NCACTIVATE, TRUE, 0);
        main->PostMessage(WM_NCPAINT, 1, 0);
    }
    QRect m = main ? main->WindowRect() : QRect(0, 0, 753, 530);
    MoveWindow(m.left() + (m.width() - 654) / 2, m.top() + 100, kDialogW, kDialogH);
    const int w = kDialogW;

    CMhtViewer* viewer = Viewer();
    viewer->MoveWindow((w - 593) / 2, 30, 591, 293);
    if (IsRtlLanguage(g_nUiLanguage)) viewer->Widget()->setLayoutDirection(Qt::RightToLeft);
    viewer->ShowWindow(SW_SHOW);
    // The document is not checked here: a missing one is the viewer's own error page.
    m_strPath = LicenceDocumentPath(Os().system->GetModuleFileNameW(), g_nUiLanguage);
    viewer->Navigate2(m_strPath);

    CWnd* close = GetDlgItem(IDOK);
    close->SetWindowTextW(LoadText(kCloseTextId));
    close->MoveWindow((w - 70) / 2, 340, 70, 27);
    close->ShowWindow(SW_SHOW);
    close->SetFocus();
    return TRUE;
}

void CEULADlg::OnOK()
{
    if (g_pGrayDlg) g_pGrayDlg->ShowWindow(SW_HIDE);
    EndDialog(IDOK);
}

void CEULADlg::OnCancel()
{
    // However the dialog goes, the veil goes with it.
    if (g_pGrayDlg) g_pGrayDlg->ShowWindow(SW_HIDE);
    EndDialog(IDCANCEL);
}

void CEULADlg::OnPaintBackground(QPainter& painter)
{
    if (!m_background.isNull()) painter.drawImage(0, 0, m_background);
    else painter.fillRect(Widget()->rect(), QColor(244, 248, 251));
}
