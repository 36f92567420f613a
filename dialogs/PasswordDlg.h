#pragma once
// The network password dialog: the password of a network chosen in the list (mode 2),
// or the name of a hidden network (mode 0) and then its security type and password
// (mode 1). Next is enabled only for a well-formed key; on Next the dialog writes the
// connection target (g_szTargetSsid, g_szNetworkKey, g_nAuthAlgorithm,
// g_nCipherAlgorithm, g_nLinkChecks), lets the wizard start connecting and closes.
#include <QFont>
#include <QImage>

#include <functional>
#include <string>

#include "dialogs/PasswordRules.h"
#include "framework/MessageMap.h"

class CEdit;

class CPasswordDlg : public CMappedDialog<CPasswordDlg> {
public:
    static constexpr int kTemplateId = 233;
    static constexpr int kBackgroundId = 234;
    // The adapter watchdog closes the dialog with this message.
    static constexpr UINT WM_PASSWORD_CLOSE = 0x800B;
    static constexpr int kDialogW = 483, kDialogH = 274;
    static constexpr int kSsidLimit = 32, kKeyLimit = 64;

    // Control IDs of template 233.
    static constexpr int IdNext = IDOK, IdCancel = IDCANCEL, IdBack = 1114;
    static constexpr int IdBoxEmpty = 1155, IdBoxTicked = 1156, IdBoxLabel = 1157;
    static constexpr int IdSsidEdit = 1087, IdKeyEdit = 1089;
    static constexpr int IdTitle = 1088, IdTitle2 = 1091, IdSsidHint = 1116;
    static constexpr int IdSecurityCombo = 1179, IdSecurityLabel = 1183, IdKeyLabel = 1184;
    static constexpr int IdRtlInstruction = 1185, IdRtlNextWord = 1186, IdInstruction = 1187;

    explicit CPasswordDlg(CDialogEx* parent);
    ~CPasswordDlg() override;
    const char* ClassName() const override { return "CPasswordDlg"; }

    using Map = MessageMapEntry<CPasswordDlg>;
    static const Map kMessageMap[];
    static const std::size_t kMessageMapSize;

    // Set by the wizard before DoModal: the page to open on, and 1 when the dialog is
    // reopened from a failure page (the pages then show the previous entries again).
    int m_nMode = PasswordModeSsid;
    int m_bRetry = 0;

    // Called when the user finishes, while the dialog is still open: the wizard goes to
    // its connecting state and shows that page. Without it nothing else happens.
    void SetConnectingHandler(std::function<void()> handler) { m_fnConnecting = std::move(handler); }

    int SecuritySelection() const { return m_nSecurity; }
    bool CharactersShown() const { return m_bCharsShown != 0; }

    // Commands.
    void OnBnClickedNext();
    void OnBnClickedCancel();
    void OnBnClickedBack();
    void OnBnClickedShowCharacters();
    void OnBnClickedHideCharacters();
    void OnStnClickedDisplayCharacters();
    void OnCbnSelchangeSecurityType();
    void OnEnUpdateSsid();
    void OnEnUpdateKey();
    LRESULT OnPasswordClose(WPARAM, LPARAM);

    bool PreTranslateKey(int qtKey, bool pressed) override;

protected:
    void CreateControls() override;
    BOOL OnInitDialog() override;
    void OnCancel() override;
    void OnPaintBackground(class QPainter& painter) override;

private:
    // Reads the two edit boxes into the SSID and key texts.
    void ReadEdits();
    CEdit* Edit(int id) const;
    std::wstring KeyText() const;
    void ApplySecurityFromSelection();
    void ApplyNextRule();
    void SetCharactersShown(bool shown);
    void Finish();
    void End(int result);

    // Pages (PasswordDlgPages.cpp).
    void CreateFonts();
    void PlaceButtonRow();
    void HidePageControls();
    void LayoutSsidPage();
    void LayoutSecurityPage();
    void LayoutPasswordPage();
    // The instruction of the security page; returns its ink.
    QRect LayoutSecurityInstruction(bool rtl);
    QRect MarkupInk(class CMyRTF& label) const;
    // Places a text whole (its control grows to its ink); returns the ink.
    QRect PlaceText(int id, const std::wstring& text, const QRect& rect, const QFont& font, bool rtl);
    QRect PlaceTextAbove(int id, const std::wstring& text, QRect rect, const QFont& font, bool rtl, int nextTop);
    int FitTitleFont(int id, const std::wstring& text, const QRect& rect, int largest, int bottomLimit, bool rtl);
    void PlaceBoxes(int x, int y, int labelX, int labelRight, const QFont& measureFont, bool rtl);
    QRect TemplateRect(int x, int y, int w, int h) const;

    std::function<void()> m_fnConnecting;
    std::wstring m_strSsid;
    std::wstring m_strKey;
    int m_nSecurity = SecurityWpa2;
    int m_bCharsShown = 0;
    QFont m_fontEdit, m_fontTitle, m_fontTitle2, m_fontText, m_fontSmall, m_fontBold;
    QImage m_background;
};
