#include "wizard/QuitDlg.h"

#include <QPainter>

#include "app/Globals.h"
#include "app/LocalizedText.h"
#include "controls/ButtonFace.h"
#include "controls/GrayDlg.h"
#include "controls/MyButton.h"
#include "controls/Pictures.h"

const CQuitDlg::Map CQuitDlg::kMessageMap[] = {
    OnCommandId(IDOK, &CQuitDlg::OnYes),
    OnCommandId(IDCANCEL, &CQuitDlg::OnNo),
    OnMessageId(0x800E, &CQuitDlg::OnCloseFromOutside),
};
const std::size_t CQuitDlg::kMessageMapSize = std::size(CQuitDlg::kMessageMap);

CQuitDlg::CQuitDlg(CDialogEx* parent) : CMappedDialog(292, parent) {}

void CQuitDlg::CreateControls()
{
    AddControl<CStaticText>(1113);
    // Yes and No wear the wizard's standard 70-pixel faces.
    AddControl<CMyButton>(IDOK, kStandardFaces);
    AddControl<CMyButton>(IDCANCEL, kStandardFaces);
}

BOOL CQuitDlg::OnInitDialog()
{
    m_background = LoadPngResource(293);
    bool rtl = IsRtlLanguage(g_nUiLanguage);
    auto* label = static_cast<CStaticText*>(GetDlgItem(1113));
    label->SetWindowTextW(LoadText(231));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(g_nUiLanguage == 1054 ? 24 : 21);
    font.setBold(true);
    label->SetFont(font);
    label->SetTextColor(QColor(0, 70, 109));
    if (Parent()) Parent()->PostMessage(WM_NCACTIVATE, 1, 0), Parent()->PostMessage(WM_NCPAINT, 1, 0);
    MoveWindow(0, 0, 413, 174);
    CenterOnParent();
    if (rtl) {
        label->ModifyStyle(0, SS_RIGHT);
        label->ModifyStyleEx(0, WS_EX_RIGHT | WS_EX_RTLREADING);
        label->MoveWindow(37, 26, 350, 60);
    } else {
        label->MoveWindow(26, 26, 350, 60);
    }
    label->ShowWindow(SW_SHOW);
    GetDlgItem(IDOK)->SetWindowTextW(LoadText(244));
    GetDlgItem(IDCANCEL)->SetWindowTextW(LoadText(245));
    GetDlgItem(IDOK)->MoveWindow(rtl ? 209 : 134, 108, 70, 27);
    GetDlgItem(IDCANCEL)->MoveWindow(rtl ? 134 : 209, 108, 70, 27);
    GetDlgItem(IDOK)->ShowWindow(SW_SHOW);
    GetDlgItem(IDCANCEL)->ShowWindow(SW_SHOW);
    GetDlgItem(IDCANCEL)->SetFocus();
    return TRUE;
}

void CQuitDlg::OnOK()
{
    if (g_pGrayDlg) g_pGrayDlg->ShowWindow(SW_HIDE);
    EndDialog(IDOK);
}

LRESULT CQuitDlg::OnCloseFromOutside(WPARAM, LPARAM)
{
    EndDialog(IDCANCEL);
    return 0;
}

void CQuitDlg::OnPaintBackground(QPainter& painter)
{
    if (!m_background.isNull()) painter.drawTiledPixmap(Widget()->rect(), QPixmap::fromImage(m_background));
    else painter.fillRect(Widget()->rect(), QColor(244, 248, 251));
}
