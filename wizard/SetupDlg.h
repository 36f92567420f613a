#pragma once
// The wizard: one dialog that shows one page at a time. Which page, and what Next,
// Back and Cancel do, depends on the wizard state m_nState.
#include <QFont>
#include <QImage>

#include <atomic>
#include <memory>
#include <optional>
#include <string>

#include "framework/Controls.h"
#include "dialogs/ErrorCodeDlg.h"
#include "dialogs/EULADlg.h"
#include "dialogs/PasswordDlg.h"
#include "framework/MessageMap.h"
#include "wizard/ControlIds.h"
#include "controls/Emptydlg.h"
#include "install/InstallHost.h"
#include "runtime/Runtime.h"
#include "wizard/QuitDlg.h"
#include "wlan/NetworkList.h"
#include "wps/WPSLearnMoreDlg.h"
#include "wps/WpsConnectDlg.h"
#include "wps/WpsManager.h"

enum WizardState {
    StateWelcome = 1,
    StateInstallDriver = 2,
    StateCheckSystem = 3,
    StateInsertAdapter = 4,
    StateWpsPushButton = 5,
    StateNetworkList = 8,
    StateScanning = 9,
    StateWpsPin = 11,
    StateConnecting = 12,
    StateConnectFailed = 13,
    StateHiddenConnectFailed = 14,
    StateSuccess = 16,
    StateSuccessNoInternet = 17,
    StateDriverFailed = 18,
    StateAdapterNotFound = 19,
    StateXpUpdateRequired = 21,
    StateVistaUpdateRequired = 22,
    StateAdminRequired = 23,
};

// The wizard's window timers: each polls the worker of one step.
enum WizardTimer : UINT_PTR {
    TimerDriverAnimation = 0,   // the busy animation while the driver installs (state 2)
    TimerScanEnd = 1,           // end of a scan (state 9)
    TimerAdapterDetection = 2,  // end of adapter detection (state 4)
    TimerWpsPin = 4,            // WPS PIN supervision (state 11)
    TimerConnect = 5,           // end of a connection to a listed network
    TimerHiddenConnect = 6,     // end of a connection to a hidden network
    TimerConnectedMark = 7,     // refresh of the connected network's mark in the list (state 8)
};
constexpr UINT kWorkerPollMs = 200;       // every timer but the last
constexpr UINT kConnectedMarkMs = 2000;  // TimerConnectedMark

// Private messages of the wizard and its dialogs.
constexpr UINT WM_PASSWORD_CLOSE = 0x800B;
constexpr UINT WM_WPS_AP_CHOSEN = 0x800C;
constexpr UINT WM_WPS_CONNECT_CLOSE = 0x800D;
constexpr UINT WM_QUIT_CLOSE = 0x800E;
constexpr UINT WM_ADAPTER_FOUND = 0x800F;
constexpr UINT WM_LEARN_MORE_CLOSE = 0x8010;
constexpr UINT WM_LIST_ITEM_CLICKED = 0x8011;
constexpr UINT WM_ERROR_CODE_CLOSE = 0x8012;
constexpr UINT WM_LIST_ITEM_DBLCLK = 0x8013;

// The addresses the links open.
extern const wchar_t* const kSupportPageUrl;

// Page fonts, in the order of their table.
enum PageFont { FontTitle, FontSubtitle, FontBody, FontBodyBold, FontInlineNext, FontPin, FontSmall,
                FontUnderlined, FontLarge, PageFontCount };

class CGrayDlg;

// The metrics values of an earlier run, as read from the registry.
struct SetupMetrics {
    std::wstring adapter, language, software;
};
// The first wizard state from the metrics (none: the key or a value could not be read)
// and this program's version number.
int ChooseFirstState(int versionNumber, const std::optional<SetupMetrics>& metrics, bool siblingModel);

class CSetupDlg;
// Starts a scan on the adapter and waits for its results by sleeping.
void WLANScanAvailableNetworkList();
// The rescan button's worker: scan, then fetch; g_bScanning is up while it runs.
DWORD ScanThreadProc(CSetupDlg* dlg);
// An SSID as text in the ANSI code page: empty when it would not fit 34 characters, else
// at most 32 of them.
std::wstring NetworkSsidText(const std::string& bytes);
// Refreshes g_szConnectedSsid and g_bConnected: 0, or 5023 when not associated.
DWORD WLANGetCurrentSSID();

class CSetupDlg : public CMappedDialog<CSetupDlg>, public InstallHost {
public:
    CSetupDlg();
    ~CSetupDlg() override;
    const char* ClassName() const override { return "CSetupDlg"; }

    using Map = MessageMapEntry<CSetupDlg>;
    static const Map kMessageMap[];
    static const std::size_t kMessageMapSize;

    // m_nState, the install and insert results and the animation frame counter are the
    // InstallHost's members, shared with the workers.
    std::atomic<int> m_nWpsTicks{0};
    std::atomic<int> m_nWpsPinRetries{0};
    int m_nSelectedIndex = -1;
    int m_nVersionNumber = 0;
    int m_bLicenceAccepted = 0;

    // Redraws the page of m_nState and starts the state's own work (from any thread).
    void ShowStatePage() override;

    // The WPS PIN road (SetupWpsPin.cpp).
    // A fresh PIN into g_szWpsPin, logged; shown by the PIN page's box.
    void GenerateWPSPIN();
    // One PIN join: the box shows the PIN, a fresh tick budget, the join started.
    void StartWpsPinAttempt();
    // The wizard's PIN join (its workers are the manager's).
    CWpsManager& WpsManager() { return m_WpsManager; }

    // Workers (SetupWorkers.cpp). Each is stopped and joined before the wizard goes.
    void StartInsertAdapterWorker() override;
    void StartDriverInstallerRunner() override;
    void KillWizardTimer(UINT_PTR id) override { KillTimer(id); }
    void NotifyAdapterFound() override;
    void CloseDialogsForRemoval() override;
    void OnCancelProcess() override;
    void InitVendorLibrary() override;
    void StartZeroConfig();
    void SilentInstall();
    // The insert worker's first scan and fetch, on its own thread.
    void ScanNetworkList() override;
    // Stops a worker without its cooperation as far as the wizard is concerned: its
    // result is ignored and its running flag is the caller's to clear.
    static void StopWorker(rt::Worker& worker);

    // Handlers of the message map.
    void OnBnClickedButtonNext();
    void OnBnClickedButtonBack();
    void OnBnClickedButtonCancel();
    void OnWpsLink();
    void OnPinLink();
    void OnHiddenNetworkLink();
    void OnRescan();
    void OnRescanHover();
    void OnBnClickedBtnWpsconnect();
    void OnLearnMoreLink();
    void OnViewDetailsLink();
    void OnNeedHelpLink();
    void OnLicenceUnchecked();
    void OnLicenceChecked();
    void OnSelchangeLanguage();
    void OnLicenceLink();
    void OnSortByName();
    void OnSortBySecurity();
    void OnSortByStrength();
    LRESULT OnWpsAccessPointChosen(WPARAM, LPARAM);
    LRESULT OnAdapterFound(WPARAM, LPARAM);
    LRESULT OnListItemClicked(WPARAM, LPARAM);
    LRESULT OnListItemDoubleClicked(WPARAM, LPARAM);

    // Scanning and the network list (SetupScan.cpp).
    static void WLANGetAvailableNetworkList(CSetupDlg* dlg);
    void FillNetworkList();
    BOOL CreateSignalImageList();
    // The records behind the rows, in row order (valid for count records).
    const NetworkRecordStore& NetworkRecords() const { return m_Records; }

    void ConnectSelectedNetwork();
    void OpenHiddenNetworkDialog();
    void RetryConnection();
    void RetryHiddenConnection();
    void CheckEnvironment();
    void ReadSetupMetrics();
    void WriteSetupMetrics();

    // Page drawing (Pages.cpp).
    void HideAllPageControls();
    void CreatePageFonts();
    void LoadPagePictures();
    void MeasureTitleWidths();
    QSize MeasureText(const std::wstring& text, PageFont font) const;
    void PlaceNavigationButtons();
    void ApplyRtlStyles();
    void RemoveRtlStyles();
    void FillLanguageCombo();

    CQuitDlg& QuitDialog() { return m_QuitDlg; }
    CErrorCodeDlg& ErrorCodeDialog() { return m_ErrorCodeDlg; }
    CEULADlg& LicenceDialog() { return m_EULADlg; }
    CPasswordDlg& PasswordDialog() { return m_PasswordDlg; }
    CWpsConnectDlg& WpsConnectDialog() { return m_WpsConnectDlg; }
    CWPSLearnMoreDlg& LearnMoreDialog() { return m_LearnMoreDlg; }
    const QFont& Font(PageFont f) const { return m_fonts[f]; }

protected:
    void CreateControls() override;
    BOOL OnInitDialog() override;
    void OnTimer(UINT_PTR id) override;
    void OnClose() override { OnBnClickedButtonCancel(); }
    void OnPaintBackground(QPainter& painter) override;

private:
    // The grey overlay around a modal dialog.
    void ShowGrayOverlay();
    void DestroyGrayOverlay();
    void PostFrameMessages();
    // Asks the cancel question; true on Yes. Logs the attempt, and the decline.
    bool AskQuit(const wchar_t* attempt, const wchar_t* declined);
    void CloseWizard();
    void ShowAnimationFrame();
    void TimerTail();
    // One tick of each timer (SetupTimers.cpp).
    void OnInstallAnimationTick();
    void OnAdapterDetectionTick();
    void OnListConnectionTick();
    void OnHiddenConnectionTick();
    void OnScanEndTick();
    void OnConnectedMarkTick();
    void OnWpsPinTick();
    // The PIN page's failure view: the sentence with its inline words, Back reads "Retry".
    void ShowWpsPinFailureView();
    // Gives the PIN join up: stopped, done, its access-point buffer freed.
    void StopWpsPinJoin();
    // Ends the PIN join for good: timer 4 killed, the join given up, no worker.
    void EndWpsPinJoin();
    bool WpsPinAttemptRunning() const;
    void ShowWpsPinInBox();
    // An inline word in its sentence's gap, the gap moved to a new line when the word
    // would not fit at the end of the line it falls on.
    void PlaceWordInGap(int sentenceCtl, const std::wstring& lead, int wordCtl, UINT wordId);
    void SortNetworkList(NetworkSort by);
    // Ends an open cancel question as declined (a step ended while it was asked).
    void EndOpenQuitDialog();
    void StopAllWizardWorkers();
    // Connecting (SetupConnect.cpp).
    bool SelectedNetwork(int index, std::wstring& ssid, int& auth, int& cipher) const;
    INT_PTR RunPasswordDialog(int mode);
    void StartLinkWorker(UINT_PTR timer);
    void StopLinkWorker();
    bool ConnectionSucceeded() const;

    // Page functions (Pages.cpp), each with its right-to-left twin inside.
    void DrawWelcomePage();
    void DrawBusyPage(UINT statusId);
    void DrawInstallDriverPage();
    void DrawInsertAdapterPage();
    void DrawWpsPushButtonPage();
    void DrawNetworkListPage();
    void DrawWpsPinPage();
    void DrawConnectingPage();
    void DrawConnectFailedPage();
    void DrawSuccessPage(bool internet);
    void DrawDriverFailedPage();
    void DrawAdapterNotFoundPage();
    void DrawUpdateRequiredPage(bool vista);
    void DrawAdminRequiredPage();

    // Layout helpers: a text at its left-to-right place, mirrored for right-to-left.
    void PlaceText(int id, UINT stringId, int x, int y, int w, int h, PageFont font);
    // The height a text takes at width w, whole lines with their marks and descenders.
    int TextHeight(const std::wstring& text, int w, PageFont font) const;
    // Places a text as tall as it needs; returns the y under it.
    int FlowText(int id, UINT stringId, int x, int y, int w, PageFont font);
    void PlaceLink(int id, UINT stringId, int x, int y, int h = 20);
    void PlacePicture(int id, int resourceId, int x, int y, bool bitmap = false);
    void ShowTitle(UINT titleId, UINT subtitleId);
    // Returns the y under the sentence, which may take another line for its gap.
    int PlaceInlineWord(int sentenceCtl, const std::wstring& sentence, const std::wstring& lead, int wordCtl,
                        UINT wordId, PageFont wordFont, int periodCtl = 0);
    void ShowLogoAndHelp();
    // The visible Next and Back variants for the page and language.
    void ShowNext(UINT captionId, bool enabled, bool longWord);
    void ShowBack(UINT captionId, bool enabled);
    void ShowCancel(UINT captionId, bool enabled);
    int Mirror(int x, int w) const;
    bool Rtl() const;

    CQuitDlg m_QuitDlg;
    CErrorCodeDlg m_ErrorCodeDlg;
    CEULADlg m_EULADlg;
    CPasswordDlg m_PasswordDlg;
    CWpsConnectDlg m_WpsConnectDlg;  // runs the push-button joins
    CWPSLearnMoreDlg m_LearnMoreDlg;
    rt::Worker m_installWorker;    // WiFiInstallThreadProc
    rt::Worker m_insertWorker;     // WiFiInsertAdapterThreadProc
    rt::Worker m_monitorWorker;    // WiFiAdapterMonitorThreadProc
    rt::Worker m_installerRunner;  // WiFiDriverInstallerThreadProc
    rt::Worker m_linkWorker;       // WiFiLinkStatusThreadProc
    rt::Worker m_scanWorker;       // ScanThreadProc
    CGrayDlg* m_pGrayDlg = nullptr;
    QFont m_fonts[PageFontCount];
    QImage m_background;
    QImage m_animationFrames[8];
    int m_nWpsTitleOffset = 0;
    int m_nBodyTop = 143;  // under the subtitle of the page drawn last
    std::wstring m_szModelText;
    std::vector<unsigned char> m_InterfaceGuid;
    // The service's list of the last successful fetch, held as returned (null before).
    std::atomic<WLAN_AVAILABLE_NETWORK_LIST*> m_pAvailableNwList{nullptr};
    NetworkRecordStore m_Records;
    CEmptydlg m_EmptyDlg;  // the blank blocker that runs while a rescan works
    CWpsManager m_WpsManager;  // PIN joins
};
