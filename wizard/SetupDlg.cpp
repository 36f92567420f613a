#include "wizard/SetupDlg.h"

#include <QPainter>

#include <cwchar>

#include "app/Environment.h"
#include "app/Globals.h"
#include "app/LocalizedText.h"
#include "controls/GrayDlg.h"
#include "controls/MyButton.h"
#include "controls/MyComboBox.h"
#include "controls/MyListCtrl.h"
#include "controls/Pictures.h"
#include "diag/LogMsg.h"
#include "install/DriverInstall.h"
#include "install/WirelessService.h"
#include "wps/VendorLibrary.h"
#include "platform/Platform.h"
#include "runtime/Runtime.h"
#include "wlan/WlanApi.h"

const wchar_t* const kSupportPageUrl = L"https://support.korvana.example/qw4100";

namespace {
const wchar_t* const kMetricsKey = L"Software\\Tesra Systems\\Tesra connect\\Metrics\\AdapterSetup";
}  // namespace

// Every way into the wizard.
const CSetupDlg::Map CSetupDlg::kMessageMap[] = {
    OnCommandId(IdNext, &CSetupDlg::OnBnClickedButtonNext),
    OnCommandId(IdNext93, &CSetupDlg::OnBnClickedButtonNext),
    OnCommandId(IdNext115, &CSetupDlg::OnBnClickedButtonNext),
    OnCommandId(IdBack, &CSetupDlg::OnBnClickedButtonBack),
    OnCommandId(IdBack115Alt, &CSetupDlg::OnBnClickedButtonBack),
    OnCommandId(IdBack115, &CSetupDlg::OnBnClickedButtonBack),
    OnCommandId(IdBack93, &CSetupDlg::OnBnClickedButtonBack),
    OnCommandId(IdBackAlt, &CSetupDlg::OnBnClickedButtonBack),
    OnCommandId(IdCancel, &CSetupDlg::OnBnClickedButtonCancel),
    OnCommandId(IdWpsLink, &CSetupDlg::OnWpsLink),
    OnCommandId(IdPinLink, &CSetupDlg::OnPinLink),
    OnCommandId(IdHiddenNetworkLink, &CSetupDlg::OnHiddenNetworkLink),
    OnCommandId(IdRescan, &CSetupDlg::OnRescan),
    OnCommandId(IdWpsConnect, &CSetupDlg::OnBnClickedBtnWpsconnect),
    OnCommandId(kHoverNotifyId, &CSetupDlg::OnRescanHover),
    OnCommandId(IdSortByName, &CSetupDlg::OnSortByName),
    OnCommandId(IdSortBySecurity, &CSetupDlg::OnSortBySecurity),
    OnCommandId(IdSortByStrength, &CSetupDlg::OnSortByStrength),
    OnCommandId(IdLearnMoreLink, &CSetupDlg::OnLearnMoreLink),
    OnCommandId(IdViewDetailsLink, &CSetupDlg::OnViewDetailsLink),
    OnCommandId(IdNeedHelpLink, &CSetupDlg::OnNeedHelpLink),
    OnCommandId(IdLicenceBox, &CSetupDlg::OnLicenceUnchecked),
    OnCommandId(IdLicenceBoxTicked, &CSetupDlg::OnLicenceChecked),
    OnCommandId(IdLanguageCombo, &CSetupDlg::OnSelchangeLanguage),
    OnCommandId(IdLicenceLink, &CSetupDlg::OnLicenceLink),
    OnMessageId(WM_WPS_AP_CHOSEN, &CSetupDlg::OnWpsAccessPointChosen),
    OnMessageId(WM_ADAPTER_FOUND, &CSetupDlg::OnAdapterFound),
    OnMessageId(WM_LIST_ITEM_CLICKED, &CSetupDlg::OnListItemClicked),
    OnMessageId(WM_LIST_ITEM_DBLCLK, &CSetupDlg::OnListItemDoubleClicked),
};
const std::size_t CSetupDlg::kMessageMapSize = std::size(CSetupDlg::kMessageMap);

CSetupDlg::CSetupDlg()
    : CMappedDialog(195, nullptr), m_QuitDlg(this), m_ErrorCodeDlg(this), m_EULADlg(this), m_PasswordDlg(this),
      m_WpsConnectDlg(this), m_LearnMoreDlg(this), m_EmptyDlg(this)
{
    SetHasCaption(true);
}

CSetupDlg::~CSetupDlg()
{
    // No worker outlives the wizard it reports to.
    StopAllWizardWorkers();
    DeInitVendorLibrary();
    auto trace = [](const wchar_t* what, const void* p) {
        LogF(LOG_MEMORY, L"CSetupDlg::~CSetupDlg", L"free memory for: %ls at %#x.", what,
             static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(p)));
    };
    trace(L"m_pSiteSurveyList->pSiteSurveyData", m_Records.List().pSiteSurveyData);
    trace(L"m_pSiteSurveyList", &m_Records.List());
    WLAN_AVAILABLE_NETWORK_LIST* available = m_pAvailableNwList.exchange(nullptr);
    trace(L"m_pAvailableNwList", available);
    if (available) Os().wlan->WlanFreeMemory(available);
    g_hWlanClient = 0;
    trace(L"g_APListImageData->pImageData", m_Records.Images().pImageData);
    trace(L"g_APListImageData", &m_Records.Images());
    if (g_pGrayDlg) {
        g_pGrayDlg->ShowWindow(SW_HIDE);
        delete g_pGrayDlg;
        g_pGrayDlg = nullptr;
    }
    m_pGrayDlg = nullptr;
    if (g_pErrorGrayDlg) {
        g_pErrorGrayDlg->ShowWindow(SW_HIDE);
        delete g_pErrorGrayDlg;
        g_pErrorGrayDlg = nullptr;
    }
}

void CSetupDlg::OnPaintBackground(QPainter& painter)
{
    if (!m_background.isNull()) {
        painter.drawImage(0, 0, m_background);
        // The client area is a pixel taller than the picture: its last row goes on, so
        // that no grey line shows under the page.
        const int below = Widget()->height() - m_background.height();
        if (below > 0)
            painter.drawImage(QRect(0, m_background.height(), m_background.width(), below), m_background,
                              QRect(0, m_background.height() - 1, m_background.width(), 1));
    } else {
        painter.fillRect(Widget()->rect(), QColor(0, 94, 150));
        painter.fillRect(Widget()->rect().adjusted(12, 70, -12, -50), QColor(244, 248, 251));
    }
}

// ---- Start ----------------------------------------------------------------------------

BOOL CSetupDlg::OnInitDialog()
{
    g_LogMsg.OpenLogFile();
    MoveWindow(0, 0, 753, 530);
    StopWirelessTrayService();
    m_szModelText = g_bSiblingModel ? L"QW2100/QW2600" : L"QW4100";
    m_InterfaceGuid.assign(16, 0);
    ChooseUiLanguage();
    DetectOsVersion();
    CreatePageFonts();
    LoadPagePictures();
    ReadSetupMetrics();
    MeasureTitleWidths();
    SetWindowTextW(LoadText(207));
    PlaceNavigationButtons();

    auto trace = [](const wchar_t* what, std::size_t bytes, const void* p) {
        LogF(LOG_MEMORY, L"CSetupDlg::OnInitDialog", L"malloc memory with %6d bytes for: %ls at %#x.",
             static_cast<int>(bytes), what, static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(p)));
    };
    // The record arrays are allocated with the dialog object; these are their traces.
    trace(L"m_pSiteSurveyList", kSiteSurveyHeaderBytes, &m_Records.List());
    trace(L"m_pSiteSurveyList->pSiteSurveyData", kSiteSurveyDataBytes, m_Records.List().pSiteSurveyData);
    trace(L"g_APListImageData", kImageHeaderBytes, &m_Records.Images());
    trace(L"g_APListImageData->pImageData", kImageDataBytes, m_Records.Images().pImageData);
    g_bSsidSortDescending = 0;
    g_bValueSortAscending = 0;
    GetDlgItem(IdCancel)->SetWindowTextW(LoadText(174));

    // The start-up choice: a test option opens its result page directly.
    if (g_bShowOption[ShowDriver]) {
        m_nState = StateDriverFailed;
    } else if (g_bShowOption[ShowOpen] || g_bShowOption[ShowSecurity]) {
        g_nErrorIndex = g_bShowOption[ShowOpen] ? 1 : 2;
        m_nState = StateConnectFailed;
        HideAllPageControls();
        DrawConnectFailedPage();
        UpdateWindow();
        return TRUE;
    } else if (g_bShowOption[ShowInternet]) {
        m_nState = StateSuccess;
    } else if (g_bShowOption[ShowInternetNg]) {
        m_nState = StateSuccessNoInternet;
    } else if (g_bShowOption[ShowXp]) {
        m_nState = StateXpUpdateRequired;
    } else if (g_bShowOption[ShowVista]) {
        m_nState = StateVistaUpdateRequired;
    } else if (g_bShowOption[ShowAdmin]) {
        m_nState = StateAdminRequired;
    } else {
        FillLanguageCombo();
        static_cast<CMyComboBox*>(GetDlgItem(IdLanguageCombo))->SetCurSel(UiLanguageIndex(g_nUiLanguage));
    }
    ShowStatePage();
    return TRUE;
}

int ChooseFirstState(int versionNumber, const std::optional<SetupMetrics>& metrics, bool siblingModel)
{
    if (!metrics) return StateWelcome;
    if (versionNumber > static_cast<int>(std::wcstol(metrics->software.c_str(), nullptr, 10))) return StateWelcome;
    if (metrics->adapter.empty()) return StateCheckSystem;
    return metrics->adapter == (siblingModel ? L"QW2100QW2600_V2" : L"QW4100") ? StateCheckSystem : StateWelcome;
}

void CSetupDlg::ReadSetupMetrics()
{
    if (auto v = Os().system->GetFileVersionInfo(Os().system->GetModuleFileNameW()))
        m_nVersionNumber = 1000 * v->major + 100 * v->minor + 10 * v->build + v->revision;

    Registry* reg = Os().registry;
    const auto root = HKEY_ROOT::HKEY_LOCAL_MACHINE;
    std::optional<SetupMetrics> metrics;
    std::wstring adapter, language, software;
    if (reg->RegOpenKeyExW(root, kMetricsKey) == ERROR_SUCCESS &&
        reg->RegQueryValueExW(root, kMetricsKey, L"adapter", &adapter, 260) == ERROR_SUCCESS &&
        reg->RegQueryValueExW(root, kMetricsKey, L"language", &language, 260) == ERROR_SUCCESS &&
        reg->RegQueryValueExW(root, kMetricsKey, L"Software", &software, 260) == ERROR_SUCCESS) {
        metrics = SetupMetrics{adapter, language, software};
    }
    int state = ChooseFirstState(m_nVersionNumber, metrics, g_bSiblingModel != 0);
    m_nState = state;
    if (state == StateWelcome) {
        std::int32_t lang = g_nUiLanguage;
        g_LogMsg.addLog(reinterpret_cast<const wchar_t*>(&lang), nullptr, LOG_LOCALE);
    }
    if (IsRtlLanguage(g_nUiLanguage)) ApplyRtlStyles();
}

void CSetupDlg::WriteSetupMetrics()
{
    Registry* reg = Os().registry;
    const auto root = HKEY_ROOT::HKEY_LOCAL_MACHINE;
    auto openOrCreate = [&](const std::wstring& key) {
        return reg->RegOpenKeyExW(root, key) == ERROR_SUCCESS || reg->RegCreateKeyExW(root, key) == ERROR_SUCCESS;
    };
    std::wstring withSlash = std::wstring(kMetricsKey) + L"\\";
    if (openOrCreate(withSlash)) {
        std::wstring adapter = g_bSiblingModel ? L"QW2100QW2600_V2" : L"QW4100";
        reg->RegSetValueExW(root, withSlash, L"adapter", adapter, static_cast<DWORD>(adapter.size() * 2));
        std::wstring version = std::to_wstring(m_nVersionNumber);
        reg->RegSetValueExW(root, withSlash, L"Software", version, static_cast<DWORD>(version.size() * 2));
    }
    if (openOrCreate(kMetricsKey)) {
        std::wstring language = std::to_wstring(g_nUiLanguage.load());
        reg->RegSetValueExW(root, kMetricsKey, L"language", language, static_cast<DWORD>(language.size() * 2));
    }
}

// ---- The page switch --------------------------------------------------------------------

void CSetupDlg::ShowStatePage()
{
    // Workers ask for the page switch too; it runs on the wizard's thread.
    if (!rt::IsUiThread()) {
        rt::SendToUi([this] { ShowStatePage(); });
        return;
    }
    KillTimer(TimerConnectedMark);
    HideAllPageControls();
    int state = m_nState;
    switch (state) {
    case StateWelcome:
        DrawWelcomePage();
        UpdateWindow();
        Widget()->setFocus();
        break;
    case StateInstallDriver:
        SetTimer(TimerDriverAnimation, kWorkerPollMs);
        m_installWorker.Start("WiFiInstallThreadProc", [this] { WiFiInstallThreadProc(this); });
        DrawInstallDriverPage();
        break;
    case StateCheckSystem:
        CheckEnvironment();
        UpdateWindow();
        return;
    case StateInsertAdapter: DrawInsertAdapterPage(); break;
    case StateWpsPushButton: DrawWpsPushButtonPage(); break;
    case StateWpsPin: DrawWpsPinPage(); break;
    case StateConnecting: DrawConnectingPage(); break;
    case StateAdapterNotFound:
        g_nErrorIndex = 6;
        DrawAdapterNotFoundPage();
        break;
    case StateNetworkList:
        SetTimer(TimerConnectedMark, kConnectedMarkMs);
        DrawNetworkListPage();
        break;
    case StateConnectFailed:
    case StateHiddenConnectFailed: {
        int cipher = g_nCipherAlgorithm;
        g_nErrorIndex = (g_nAuthAlgorithm == 1 && cipher != 1 && cipher != 5 && cipher != 0x101) ? 1 : 2;
        DrawConnectFailedPage();
        break;
    }
    case StateSuccess: DrawSuccessPage(true); break;
    case StateSuccessNoInternet: DrawSuccessPage(false); break;
    case StateDriverFailed:
        g_nErrorIndex = 0;
        DrawDriverFailedPage();
        break;
    case StateXpUpdateRequired:
    case StateVistaUpdateRequired:
        g_nErrorIndex = 5;
        DrawUpdateRequiredPage(state == StateVistaUpdateRequired);
        break;
    case StateAdminRequired:
        g_nErrorIndex = 7;
        DrawAdminRequiredPage();
        break;
    default:
        return;
    }
    switch (state) {
    case StateInstallDriver: case StateNetworkList: case StateXpUpdateRequired:
    case StateVistaUpdateRequired: case StateAdminRequired:
        break;
    default:
        UpdateWindow();
    }
}

void CSetupDlg::CheckEnvironment()
{
    // The list's image strip and columns, laid out for the pages that follow.
    CreateSignalImageList();
    std::wstring sp = Os().system->GetVersionExW().szCSDVersion;
    m_nState = ChooseStateAfterChecks(g_bOsXp != 0, g_bOsVista != 0, g_bOsWin7 != 0, g_bOs64Bit != 0, sp,
                                      IsUserAdmin() != FALSE, [] { return LoadWlanApi(); });
    ShowStatePage();
}
