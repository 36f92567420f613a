#include "dialogs/PasswordDlg.h"

#include <QPainter>

#include "app/Globals.h"
#include "app/LocalizedText.h"
#include "controls/ButtonFace.h"
#include "controls/GrayDlg.h"
#include "controls/MyButton.h"
#include "controls/MyComboBox.h"
#include "controls/MyRTF.h"
#include "controls/MyStatic.h"
#include "controls/Pictures.h"
#include "dialogs/PrefixText.h"
#include "framework/Controls.h"
#include "framework/Edit.h"

namespace {
// Canadian French has the same long Back caption as French, and the same wide face.
constexpr int kLanguageFrench = 1036, kLanguageCanadianFrench = 3084;
constexpr int kLanguageFinnish = 1035, kLanguageDutch = 1043, kLanguageIndonesian = 1057;
}  // namespace

const CPasswordDlg::Map CPasswordDlg::kMessageMap[] = {
    OnCommandId(IdNext, &CPasswordDlg::OnBnClickedNext),
    OnCommandId(IdCancel, &CPasswordDlg::OnBnClickedCancel),
    OnCommandId(IdBack, &CPasswordDlg::OnBnClickedBack),
    OnCommandId(IdBoxEmpty, &CPasswordDlg::OnBnClickedShowCharacters),
    OnCommandId(IdBoxTicked, &CPasswordDlg::OnBnClickedHideCharacters),
    OnCommandId(IdBoxLabel, &CPasswordDlg::OnStnClickedDisplayCharacters),
    OnCommandId(IdSecurityCombo, &CPasswordDlg::OnCbnSelchangeSecurityType),
    OnCommandId(IdSsidEdit, &CPasswordDlg::OnEnUpdateSsid),
    OnCommandId(IdKeyEdit, &CPasswordDlg::OnEnUpdateKey),
    OnMessageId(WM_PASSWORD_CLOSE, &CPasswordDlg::OnPasswordClose),
};
const std::size_t CPasswordDlg::kMessageMapSize = std::size(CPasswordDlg::kMessageMap);

CPasswordDlg::CPasswordDlg(CDialogEx* parent) : CMappedDialog(kTemplateId, parent) {}

CPasswordDlg::~CPasswordDlg()
{
    m_strKey.clear();
    m_strSsid.clear();
}

void CPasswordDlg::CreateControls()
{
    const int lang = g_nUiLanguage;
    AddControl<CMyButton>(IdBoxTicked, kTickedBoxFaces);
    AddControl<CMyButton>(IdBoxEmpty, kEmptyBoxFaces);
    const bool wideBack = lang == kLanguageFrench || lang == kLanguageCanadianFrench;
    AddControl<CMyButton>(IdBack, wideBack ? kWideFaces : kStandardFaces);
    const bool wideNext = lang == kLanguageFinnish || lang == kLanguageDutch || lang == kLanguageIndonesian;
    AddControl<CMyButton>(IdNext, wideNext ? kWideFaces : kStandardFaces);
    AddControl<CMyButton>(IdCancel, kStandardFaces);
    AddControl<CEdit>(IdKeyEdit);
    AddControl<CPrefixText>(IdTitle);
    AddControl<CPrefixText>(IdSsidHint);
    AddControl<CEdit>(IdSsidEdit);
    AddControl<CMyStatic>(IdBoxLabel);
    AddControl<CMyComboBox>(IdSecurityCombo);
    AddControl<CPrefixText>(IdSecurityLabel);
    AddControl<CPrefixText>(IdKeyLabel);
    AddControl<CPrefixText>(IdTitle2);
    AddControl<CPrefixText>(IdRtlInstruction);
    AddControl<CPrefixText>(IdRtlNextWord);
    AddControl<CMyRTF>(IdInstruction);
}

CEdit* CPasswordDlg::Edit(int id) const { return static_cast<CEdit*>(GetDlgItem(id)); }

std::wstring CPasswordDlg::KeyText() const { return Edit(IdKeyEdit)->GetWindowTextW(); }

void CPasswordDlg::ReadEdits()
{
    m_strSsid = Edit(IdSsidEdit)->GetWindowTextW();
    m_strKey = Edit(IdKeyEdit)->GetWindowTextW();
}

BOOL CPasswordDlg::OnInitDialog()
{
    const int lang = g_nUiLanguage;
    const bool rtl = IsRtlLanguage(lang);
    // A fresh opening starts on the first entry; a retry shows the previous choice.
    if (!m_bRetry) m_nSecurity = SecurityWpa2;

    // 1. The edits, their limits and the masked key.
    m_bCharsShown = 0;
    CreateFonts();
    CEdit* ssid = Edit(IdSsidEdit);
    CEdit* key = Edit(IdKeyEdit);
    ssid->SetLimitText(kSsidLimit);
    key->SetLimitText(kKeyLimit);
    for (CEdit* e : {ssid, key}) {
        e->SetFont(m_fontEdit);
        e->SetTextColor(Qt::black);
    }
    key->SetPasswordChar(L'*');
    m_strSsid.clear();
    m_strKey.clear();
    ssid->SetWindowTextW(std::wstring());
    key->SetWindowTextW(std::wstring());
    GetDlgItem(IdSsidHint)->SetWindowTextW(LoadText(234));

    // 2. Background and place: centred over the wizard, whose caption stays drawn active.
    // Mirrored for right-to-left, so that the emblem stands clear of the mirrored controls.
    m_background = LoadPngResource(kBackgroundId);
    if (rtl && !m_background.isNull()) m_background = m_background.mirrored(true, false);
    CDialogEx* main = Parent();
    while (main && main->Parent()) main = main->Parent();
    if (main) {
        main->PostMessage(WM_NCACTIVATE, TRUE, 0);
        main->PostMessage(WM_NCPAINT, 1, 0);
    }
    const QRect m = main ? main->WindowRect() : QRect(0, 0, 753, 530);
    MoveWindow(m.x() + (m.width() - kDialogW) / 2, m.y() + (m.height() - kDialogH) / 2, kDialogW, kDialogH);

    // 3-5. The button row.
    PlaceButtonRow();
    GetDlgItem(IdCancel)->SetWindowTextW(LoadText(174));
    GetDlgItem(IdNext)->SetWindowTextW(LoadText(172));
    GetDlgItem(IdNext)->EnableWindow(false);
    GetDlgItem(IdBack)->SetWindowTextW(LoadText(173));
    GetDlgItem(IdBack)->EnableWindow(false);
    if (rtl) {
        for (int id : {IdBoxLabel, IdSsidHint}) {
            GetDlgItem(id)->ModifyStyle(0, SS_RIGHT);
            GetDlgItem(id)->ModifyStyleEx(0, WS_EX_RIGHT | WS_EX_RTLREADING);
        }
    }

    // 6. The security types.
    auto* combo = static_cast<CMyComboBox*>(GetDlgItem(IdSecurityCombo));
    combo->ResetContent();
    combo->AddString(L"WPA2", SecurityWpa2);
    combo->AddString(L"WPA", SecurityWpa);
    combo->AddString(L"WEP", SecurityWep);
    combo->SetCurSel(SecurityWpa2);

    // 8 (before the page, so that the page shows it at once). The instruction.
    if (!rtl) {
        auto* instruction = static_cast<CMyRTF*>(GetDlgItem(IdInstruction));
        // The instruction keeps the template's font, Arial 10 point; its markup may size it.
        QFont templateFont(QStringLiteral("Arial"));
        templateFont.setPixelSize(13);
        instruction->SetFont(templateFont);
        instruction->SetMarkup(LoadText(452));
    }

    // 7. The page of the mode, the caret at the end of its edit.
    if (m_nMode == PasswordModeSsid) LayoutSsidPage();
    else if (m_nMode == PasswordModeSecurity) LayoutSecurityPage();
    else LayoutPasswordPage();
    CEdit* focus = m_nMode == PasswordModeSsid ? ssid : key;
    focus->SetCaretAtEnd();
    focus->SetFocus();
    return TRUE;
}

// ---- Commands -------------------------------------------------------------------------------

void CPasswordDlg::OnBnClickedNext()
{
    switch (m_nMode) {
    case PasswordModeSsid:
        ReadEdits();
        // A hidden network cannot be joined without its name (Enter on an empty box).
        if (m_strSsid.empty()) return;
        m_nMode = PasswordModeSecurity;
        g_szTargetSsid.Set(m_strSsid.substr(0, kSsidLimit));
        LayoutSecurityPage();
        Edit(IdKeyEdit)->SetCaretAtEnd();
        Edit(IdKeyEdit)->SetFocus();
        return;
    case PasswordModeSecurity: {
        ReadEdits();
        if (!SecurityPageKeyAcceptable(m_strKey, m_nSecurity)) return;
        g_szNetworkKey.Set(m_strKey);
        const ConnectTarget target = ConnectTargetForSecurityPage(m_strKey, m_nSecurity, g_bOsXp != 0);
        g_nAuthAlgorithm = target.auth;
        g_nCipherAlgorithm = target.cipher;
        g_nLinkChecks = target.linkChecks;
        Finish();
        return;
    }
    default:
        if (!IsKeyValid(KeyText(), m_nMode, g_nAuthAlgorithm, g_nCipherAlgorithm)) {
            GetDlgItem(IdBack)->ShowWindow(SW_SHOW);
            GetDlgItem(IdCancel)->ShowWindow(SW_SHOW);
            return;
        }
        ReadEdits();
        // Authentication, cipher and link checks stay as the wizard set them from the list.
        g_szNetworkKey.Set(m_strKey);
        Finish();
        return;
    }
}

void CPasswordDlg::Finish()
{
    if (m_fnConnecting) m_fnConnecting();
    if (g_pGrayDlg) g_pGrayDlg->ShowWindow(SW_HIDE);
    ReadEdits();
    End(IDOK);
}

void CPasswordDlg::End(int result)
{
    EndDialog(result);
    // The texts go with the window; what was handed over lives on in the connection target.
    m_strKey.clear();
    m_strSsid.clear();
}

void CPasswordDlg::OnBnClickedCancel() { OnCancel(); }

void CPasswordDlg::OnCancel()
{
    if (g_pGrayDlg) g_pGrayDlg->ShowWindow(SW_HIDE);
    End(IDCANCEL);
}

LRESULT CPasswordDlg::OnPasswordClose(WPARAM, LPARAM)
{
    OnCancel();
    return 0;
}

void CPasswordDlg::OnBnClickedBack()
{
    if (m_nMode != PasswordModeSecurity) return;
    LayoutSsidPage();
    m_nMode = PasswordModeSsid;
    Edit(IdSsidEdit)->SetCaretAtEnd();
    Edit(IdSsidEdit)->SetFocus();
}

void CPasswordDlg::SetCharactersShown(bool shown)
{
    m_bCharsShown = shown ? 1 : 0;
    GetDlgItem(IdBoxEmpty)->ShowWindow(shown ? SW_HIDE : SW_SHOW);
    GetDlgItem(IdBoxTicked)->ShowWindow(shown ? SW_SHOW : SW_HIDE);
    Edit(IdKeyEdit)->SetPasswordChar(shown ? 0 : L'*');
}

void CPasswordDlg::OnBnClickedShowCharacters()
{
    SetCharactersShown(true);
    Edit(IdKeyEdit)->SetFocus();
}

void CPasswordDlg::OnBnClickedHideCharacters()
{
    SetCharactersShown(false);
    Edit(IdKeyEdit)->SetFocus();
}

void CPasswordDlg::OnStnClickedDisplayCharacters()
{
    SetCharactersShown(m_bCharsShown == 0);
    GetDlgItem(IdBoxLabel)->SetFocus();
    Edit(IdKeyEdit)->SetFocus();
}

void CPasswordDlg::OnCbnSelchangeSecurityType()
{
    auto* combo = static_cast<CMyComboBox*>(GetDlgItem(IdSecurityCombo));
    m_nSecurity = combo->GetCurSel();
    ApplySecurityFromSelection();
    ApplyNextRule();
    combo->SetCurSel(m_nSecurity);
    combo->ShowWindow(SW_SHOW);
    combo->Invalidate();
    Edit(IdKeyEdit)->SetFocus();
}

void CPasswordDlg::OnEnUpdateKey()
{
    // The key box belongs to the security and password pages.
    if (m_nMode == PasswordModeSsid) return;
    ApplySecurityFromSelection();
    ApplyNextRule();
}

void CPasswordDlg::OnEnUpdateSsid()
{
    if (m_nMode != PasswordModeSsid) return;
    GetDlgItem(IdNext)->EnableWindow(!Edit(IdSsidEdit)->GetWindowTextW().empty());
}

void CPasswordDlg::ApplySecurityFromSelection()
{
    if (m_nMode != PasswordModeSecurity) return;
    const SecurityChoice s = SecurityFromSelection(KeyText(), m_nSecurity);
    g_nAuthAlgorithm = s.auth;
    g_nCipherAlgorithm = s.cipher;
}

void CPasswordDlg::ApplyNextRule()
{
    GetDlgItem(IdNext)->EnableWindow(IsKeyValid(KeyText(), m_nMode, g_nAuthAlgorithm, g_nCipherAlgorithm));
}

// ---- Keys and painting ----------------------------------------------------------------------

bool CPasswordDlg::PreTranslateKey(int qtKey, bool pressed)
{
    if (qtKey == Qt::Key_Escape) return true;
    if (qtKey != Qt::Key_Return && qtKey != Qt::Key_Enter) return false;
    // Enter in an edit box is the dialog's own: its default button, Next. Elsewhere it
    // presses the focused button or check box (the framework turns it into Space).
    QWidget* focus = Widget() ? Widget()->focusWidget() : nullptr;
    const bool inEdit = focus && (focus == Edit(IdSsidEdit)->Widget() || focus == Edit(IdKeyEdit)->Widget());
    if (!inEdit) return false;
    if (pressed) Dispatch(WM_COMMAND, IdNext, 0);
    return true;
}

void CPasswordDlg::OnPaintBackground(QPainter& painter)
{
    if (!m_background.isNull()) painter.drawImage(0, 0, m_background);
    else painter.fillRect(Widget()->rect(), QColor(244, 248, 251));
}
