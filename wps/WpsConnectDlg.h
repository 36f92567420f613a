#pragma once
// The WPS connect dialog: runs a push-button join while a spinner turns, and turns into
// a failure view with Retry and "View details" when the join brings no connection. It
// never waits for the join: timer 0 polls the join's flags.
#include <QFont>
#include <QImage>

#include <functional>

#include "dialogs/ErrorCodeDlg.h"
#include "framework/MessageMap.h"
#include "wps/WpsManager.h"

class CWpsConnectDlg : public CMappedDialog<CWpsConnectDlg> {
public:
    static constexpr int kTemplateId = 274;
    static constexpr int kBackgroundId = 284;
    // The adapter watchdog closes the dialog with this message.
    static constexpr UINT WM_WPS_CONNECT_CLOSE = 0x800D;
    // Started by the manager's StartJoinPBC on this dialog.
    static constexpr UINT_PTR kJoinTimer = 0;

    // Control IDs of template 274.
    static constexpr int IdBack = 1093;  // "< Back" while joining, "Retry" after a failure
    static constexpr int IdCancel = 1094, IdNext = 1095;
    static constexpr int IdTitle = 1104, IdSubtitle = 1105, IdStatus = 1106, IdAnimation = 1107;
    static constexpr int IdFailure = 1108, IdDetailsLink = 1109, IdHint = 1153, IdRetryWord = 1167;
    static constexpr int IdFullStop = 1177;

    explicit CWpsConnectDlg(CDialogEx* parent);
    ~CWpsConnectDlg() override;
    const char* ClassName() const override { return "CWpsConnectDlg"; }

    using Map = MessageMapEntry<CWpsConnectDlg>;
    static const Map kMessageMap[];
    static const std::size_t kMessageMapSize;

    // The manager's m_bResult, copied when the join ended: 0 when the link came up on
    // another network than the one the router named. Read by the wizard after the dialog.
    int m_bWpsResult = 0;

    // Called when the join connected, before the dialog closes with IDOK: the wizard
    // moves to its success state (`internet`: the internet answered) and redraws.
    void SetConnectedHandler(std::function<void(bool internet)> handler) { m_fnConnected = std::move(handler); }

    CWpsManager& Manager() { return m_WpsManager; }
    CErrorCodeDlg& ErrorCodeDialog() { return m_ErrorCodeDlg; }
    bool FailureShown() const { return m_bFailureShown; }
    int AnimationCounter() const { return m_nFrame; }

    // Handlers of the message map.
    void OnBnClickedRetry();
    void OnBnClickedCancel();
    void OnViewDetails();
    LRESULT OnCloseFromOutside(WPARAM, LPARAM);

protected:
    void CreateControls() override;
    BOOL OnInitDialog() override;
    void OnTimer(UINT_PTR id) override;
    // Escape never gets here; Alt+F4 and the close box are Cancel, so that no join is
    // left running behind a closed dialog.
    void OnCancel() override { OnBnClickedCancel(); }
    void OnPaintBackground(class QPainter& painter) override;

private:
    void CreateFonts();
    void ShowInProgressView(bool rtl);
    void ShowFailureView(bool rtl);
    void ShowFrame();
    // A text centred on the dialog's width at `y`, in `font` and `colour`.
    void PlaceCentred(int id, const std::wstring& text, int y, const QFont& font, const QColor& colour, bool rtl);
    QFont TitleFont() const;
    void PlaceText(int id, const std::wstring& text, int x, int y, int w, int h, const QFont& font,
                   const QColor& colour, bool rtl);
    void PlaceButtons(bool rtl);

    CWpsManager m_WpsManager;
    CErrorCodeDlg m_ErrorCodeDlg;
    std::function<void(bool)> m_fnConnected;
    QImage m_background;
    QImage m_frames[8];
    int m_nDetailsWidth = 0;  // measured width of "View details"
    int m_nFrame = 0;         // the animation's frame counter
    bool m_bFailureShown = false;
    QFont m_fontText, m_fontTitle, m_fontBold;
};
