#include "wps/WpsManager.h"

#include "app/Globals.h"
#include "diag/LogMsg.h"
#include "framework/Dialog.h"
#include "install/WirelessService.h"
#include "netcheck/Reachability.h"
#include "platform/Platform.h"
#include "wlan/connect/Connect.h"
#include "wps/WpsCredentials.h"
#include "wps/WpsManagerImpl.h"
#include "wps/WpsPin.h"

namespace {

constexpr std::size_t kPinChars = 32;
constexpr int kConnectChecks = 140;
constexpr int kConnectCheckMs = 1000;
constexpr UINT_PTR kDialogTimer = 0;
constexpr UINT kDialogTimerMs = 200;

// The manager that asked for the survey now running, and the lock of the hand-over.
std::mutex g_surveyMutex;
CWpsManager::Impl* g_pSurveyOwner = nullptr;

}  // namespace

std::unique_ptr<std::vector<unsigned char>> wpsjoin::TakeSurveyList(CWpsManager::Impl& impl)
{
    std::lock_guard lock(g_surveyMutex);
    return std::move(impl.surveyList);
}

void ResetWpsProcessValues()
{
    g_szWpsPin.Set("");
    std::lock_guard lock(g_surveyMutex);
    g_pSurveyOwner = nullptr;
}

CWpsManager::CWpsManager() : m_impl(std::make_unique<Impl>()) {}

CWpsManager::~CWpsManager()
{
    std::shared_ptr<rt::Worker> pbc, pin;
    {
        std::lock_guard lock(m_impl->workers);
        pbc = std::move(m_impl->pbcThread);
        pin = std::move(m_impl->pinThread);
    }
    if (pbc) pbc->StopAndJoin();
    if (pin) pin->StopAndJoin();
    // A join stopped in its exchange leaves the wireless service stopped; the wizard must
    // not end with the PC's wireless configuration off (the list page starts it again
    // when the wizard goes on, a new attempt stops it anew).
    if (m_impl->serviceStopped && Os().services) StartZeroConfig();
    std::lock_guard lock(g_surveyMutex);
    if (g_pSurveyOwner == m_impl.get()) g_pSurveyOwner = nullptr;
    m_impl->surveyList.reset();
}

// ---- Starting and stopping ---------------------------------------------------------------

void CWpsManager::StartWorker(std::shared_ptr<rt::Worker>& slot, const char* name, std::function<void()> body)
{
    // A worker of an earlier attempt still there is ended first: one join at a time.
    std::shared_ptr<rt::Worker> previous;
    {
        std::lock_guard lock(m_impl->workers);
        previous = std::move(slot);
    }
    if (previous) previous->StopAndJoin();
    auto worker = std::make_shared<rt::Worker>();
    worker->Start(name, std::move(body));
    std::lock_guard lock(m_impl->workers);
    slot = std::move(worker);
}

void CWpsManager::StartJoinPBC(CDialogEx* dialog)
{
    g_LogMsg.addLog(L"Start Push-Button Configuration.", L"CWpsManager::StartJoinPBC", LOG_FUNC_DASH);
    // The starter raises the running flag, so that no poll sees the join over before it began.
    g_bWorkerRunning = 1;
    StartWorker(m_impl->pbcThread, "WpsJoinPBCThreadProc", [this] { WpsJoinPBCThreadProc(this); });
    if (dialog) dialog->SetTimer(kDialogTimer, kDialogTimerMs);
}

bool CWpsManager::StartJoinPin(CDialogEx* mainWindow)
{
    VendorWlan* rawl = Os().vendor;
    if (m_nApCount == 0) {
        {
            std::lock_guard lock(g_surveyMutex);
            g_pSurveyOwner = m_impl.get();
        }
        rawl->RAWL_SiteSurveyScan(&CWpsManager::SiteSurveyCallback);
    }
    const std::string pin = g_szWpsPin.Get();
    if (pin.empty()) return false;
    {
        std::lock_guard lock(m_impl->texts);
        m_impl->pin = pin.substr(0, kPinChars);
        m_impl->mainWindow = mainWindow;
    }
    g_LogMsg.addLog(L"Start PIN code.", L"CWpsManager::StartJoinPin", LOG_FUNC_DASH);
    g_bWorkerRunning = 1;
    StartWorker(m_impl->pinThread, "WpsJoinPinThreadProc", [this] { WpsJoinPinThreadProc(this); });
    return true;
}

void CWpsManager::StopJoin()
{
    VendorWlan* rawl = Os().vendor;
    std::shared_ptr<rt::Worker> pbc, pin;
    {
        std::lock_guard lock(m_impl->workers);
        pbc = m_impl->pbcThread;
        pin = m_impl->pinThread;
    }
    if (pbc) {
        // The adapter leaves WPS mode before its worker goes.
        rawl->RAWL_WriteWPSFlag(0);
        if (g_bOsXp) rawl->RAWL_Disassociate();
        else rawl->RAWL_WPSDisconnect();
        if (pbc->Running()) {
            pbc->StopAndJoin();
            std::lock_guard lock(m_impl->workers);
            if (m_impl->pbcThread == pbc) m_impl->pbcThread.reset();
        }
    }
    if (pin && pin->Running()) {
        pin->StopAndJoin();
        std::lock_guard lock(m_impl->workers);
        if (m_impl->pinThread == pin) m_impl->pinThread.reset();
    }
    g_bWorkerRunning = 0;
}

void CWpsManager::ClearChosenAccessPoint()
{
    std::lock_guard lock(m_impl->texts);
    m_impl->apSsid.clear();
}

void CWpsManager::FreeBssidList()
{
    std::lock_guard lock(m_impl->texts);
    std::vector<unsigned char>().swap(m_impl->bssidList);
}

void CWpsManager::AdvanceApIndex()
{
    std::lock_guard lock(m_impl->texts);
    ++m_impl->apIndex;
    if (m_impl->apIndex >= m_nApCount) m_impl->apIndex = 0;
}

std::wstring CWpsManager::Ssid() const
{
    std::lock_guard lock(m_impl->texts);
    return m_impl->ssid;
}

std::wstring CWpsManager::Key() const
{
    std::lock_guard lock(m_impl->texts);
    return m_impl->key;
}

std::string CWpsManager::ChosenApSsid() const
{
    std::lock_guard lock(m_impl->texts);
    return m_impl->apSsid;
}

bool CWpsManager::HoldsBssidList() const
{
    std::lock_guard lock(m_impl->texts);
    return !m_impl->bssidList.empty();
}

bool CWpsManager::HoldsSurveyList() const
{
    std::lock_guard lock(g_surveyMutex);
    return m_impl->surveyList != nullptr;
}

bool CWpsManager::PbcThreadSet() const
{
    std::lock_guard lock(m_impl->workers);
    return m_impl->pbcThread != nullptr;
}

bool CWpsManager::PinThreadSet() const
{
    std::lock_guard lock(m_impl->workers);
    return m_impl->pinThread != nullptr;
}

// ---- The survey ---------------------------------------------------------------------------

void CWpsManager::SiteSurveyCallback()
{
    // The library's own thread. The query runs without the lock; only the hand-over
    // takes it, so the PIN worker never finds a list half written or freed under it.
    auto list = std::make_unique<std::vector<unsigned char>>(kSurveyBufferBytes, 0);
    ULONG size = static_cast<ULONG>(kSurveyBufferBytes);
    Os().vendor->RAWL_SiteSurveyQuery(list->data(), &size);
    std::lock_guard lock(g_surveyMutex);
    if (g_pSurveyOwner) g_pSurveyOwner->surveyList = std::move(list);
}

// ---- Credentials and the final connect ---------------------------------------------------

void CWpsManager::ClearCredentials()
{
    {
        std::lock_guard lock(m_impl->texts);
        m_impl->ssid.clear();
        m_impl->key.clear();
    }
    m_nAuth = 0;
    m_nCipher = 0;
}

void CWpsManager::SetSecurityFromProfile(DWORD authType, DWORD encryptionType)
{
    int auth = m_nAuth, cipher = m_nCipher;
    SecurityFromWpsTypes(authType, encryptionType, auth, cipher);
    m_nAuth = auth;
    m_nCipher = cipher;
}

void CWpsManager::TakeCredentials(const WpsProfileRecord& profile, const wchar_t* functionName)
{
    WpsCredentials c = ReadWpsCredentials(profile, [](const std::string& text) {
        return Os().system->MultiByteToWideChar(text);
    });
    g_szTargetSsid.Set(c.ssid);
    {
        std::lock_guard lock(m_impl->texts);
        m_impl->ssid = c.ssid;
        if (c.hasKey) m_impl->key = c.key;
    }
    if (c.hasKey) SetSecurityFromProfile(c.authType, c.encryptionType);
    g_LogMsg.addLog(L"WPS set profile OK, try to connect.", functionName, LOG_FUNC);
}

void CWpsManager::JoinWithProfile()
{
    if (!g_bWpsProfileOk) {
        g_bWorkerRunning = 0;
        return;
    }
    WLANConnectToNetwork(Key(), Ssid(), static_cast<DWORD>(m_nAuth.load()), static_cast<DWORD>(m_nCipher.load()));
    if (rt::StopRequested()) return;
    m_bResult = 1;
    // Only a link this join has seen counts: a result left by an earlier connection
    // must not read as this one's.
    g_nLinkResult = LinkNoAddress;
    g_bInternetOk = 0;
    for (int i = 0; i < kConnectChecks; ++i) {
        if (WLANCheckConnection() == static_cast<DWORD>(ERROR_SUCCESS)) {
            if (rt::StopRequested()) return;
            if (g_szConnectedSsid.Get() != g_szTargetSsid.Get()) m_bResult = 0;
            break;
        }
        if (rt::StopRequested()) return;
        if (i + 1 < kConnectChecks && !wpsjoin::Pause(kConnectCheckMs)) return;
    }
    m_bDone = 1;
    g_bWorkerRunning = 0;
}

// ---- The wireless service -----------------------------------------------------------------

void CWpsManager::StopZeroConfig()
{
    ServiceControl* scm = Os().services;
    SC_HANDLE manager = scm->OpenSCManagerW(SC_MANAGER_ALL_ACCESS);
    if (!manager) return;
    SC_HANDLE service = scm->OpenServiceW(manager, g_bOsXp ? L"WZCSVC" : L"Wlansvc", SERVICE_ALL_ACCESS);
    if (service) {
        DWORD state = SERVICE_STOPPED;
        if (scm->QueryServiceStatus(service, &state) && state != SERVICE_STOPPED &&
            scm->ControlService(service, SERVICE_CONTROL_STOP, &state)) {
            m_impl->serviceStopped = true;
            LogF(LOG_FUNC, L"CWpsManager::StopZeroConfig", L"Stop succefully, with code = %d.",
                 static_cast<int>(service));
        }
        scm->CloseServiceHandle(service);
    }
    scm->CloseServiceHandle(manager);
}

void CWpsManager::StartZeroConfig()
{
    m_impl->serviceStopped = false;
    ::StartZeroConfig(L"CWpsManager::StartZeroConfig", L"Start succefully, with code = %d.");
}
