// The simulated PC's services, wireless service, processes and world events.
#include <algorithm>

#include "platform/Text.h"
#include "sim/SimHardware.h"

namespace sim {

namespace {

std::wstring W(const std::string& utf8) { return Utf8ToWide(utf8); }
std::string LowerU(const std::string& s) { return WideToUtf8(LowerCase(Utf8ToWide(s))); }
std::wstring Lower(const std::wstring& w) { return LowerCase(w); }

// A service asked to start is running this long after.
constexpr std::int64_t kServiceStartMs = 1000;
// The 64-bit driver installer program works this long.
constexpr std::int64_t kInstallerRunMs = 4000;
constexpr DWORD ERROR_BAD_EXE_FORMAT_CODE = 193;

bool IsXp(const Scenario& s) { return s.os.version.rfind("5.", 0) == 0; }

}  // namespace

// ---- Service control manager ------------------------------------------------------------

SimHardware::Service* SimHardware::FindServiceLocked(const std::string& name)
{
    for (Service& s : m_services)
        if (LowerU(s.name) == LowerU(name)) return &s;
    return nullptr;
}

DWORD SimHardware::ServiceStateLocked(Service& s)
{
    if (s.state == "running") return SERVICE_RUNNING;
    if (s.state == "starting") {
        if (rt::NowMs() < s.runningAt) return SERVICE_START_PENDING;
        s.state = "running";
        return SERVICE_RUNNING;
    }
    return SERVICE_STOPPED;
}

SC_HANDLE SimHardware::OpenSCManagerW(DWORD)
{
    std::lock_guard lock(m_mutex);
    SC_HANDLE h = m_nextScHandle += 8;
    m_scHandles[h] = "";
    return h;
}

SC_HANDLE SimHardware::OpenServiceW(SC_HANDLE manager, const std::wstring& name, DWORD)
{
    std::lock_guard lock(m_mutex);
    auto it = m_scHandles.find(manager);
    if (it == m_scHandles.end() || !it->second.empty()) return 0;
    Service* s = FindServiceLocked(WideToUtf8(name));
    if (!s || s->state == "absent") return 0;
    SC_HANDLE h = m_nextScHandle += 8;
    m_scHandles[h] = s->name;
    return h;
}

BOOL SimHardware::QueryServiceStatus(SC_HANDLE service, DWORD* currentState)
{
    std::lock_guard lock(m_mutex);
    auto it = m_scHandles.find(service);
    if (it == m_scHandles.end() || it->second.empty()) return FALSE;
    *currentState = ServiceStateLocked(*FindServiceLocked(it->second));
    return TRUE;
}

BOOL SimHardware::StartServiceW(SC_HANDLE service)
{
    std::lock_guard lock(m_mutex);
    auto it = m_scHandles.find(service);
    if (it == m_scHandles.end() || it->second.empty()) return FALSE;
    Service& s = *FindServiceLocked(it->second);
    if (ServiceStateLocked(s) != SERVICE_STOPPED) return FALSE;  // already running or starting
    s.state = "starting";
    s.runningAt = rt::NowMs() + kServiceStartMs;
    return TRUE;
}

BOOL SimHardware::ControlService(SC_HANDLE service, DWORD control, DWORD* currentState)
{
    std::lock_guard lock(m_mutex);
    auto it = m_scHandles.find(service);
    if (it == m_scHandles.end() || it->second.empty() || control != SERVICE_CONTROL_STOP) return FALSE;
    Service& s = *FindServiceLocked(it->second);
    if (ServiceStateLocked(s) == SERVICE_STOPPED) return FALSE;
    s.state = "stopped";
    if (currentState) *currentState = SERVICE_STOPPED;
    return TRUE;
}

BOOL SimHardware::CloseServiceHandle(SC_HANDLE handle)
{
    std::lock_guard lock(m_mutex);
    return m_scHandles.erase(handle) > 0;
}

// ---- The wireless service ---------------------------------------------------------------

bool SimHardware::WirelessServiceRunningLocked()
{
    Service* s = FindServiceLocked(IsXp(m_scenario) ? "WZCSVC" : "wlansvc");
    return s && ServiceStateLocked(*s) == SERVICE_RUNNING;
}

bool SimHardware::AdapterUsableLocked()
{
    FinishDueProcessesLocked();
    return m_plugged && AdapterDriverLocked();
}

bool SimHardware::LoadLibraryW(const std::wstring& name)
{
    if (Lower(name) != L"wlanapi.dll") return false;
    return m_scenario.os.wlanApi != "missing";
}

bool SimHardware::GetProcAddress(const char* name)
{
    if (m_scenario.os.wlanApi == "missing") return false;
    if (m_scenario.os.wlanApi == "present") return true;
    for (auto& e : m_scenario.os.wlanApiExports)
        if (e == name) return true;
    return false;
}

DWORD SimHardware::WlanOpenHandle(DWORD clientVersion, DWORD* negotiatedVersion, WLAN_HANDLE* handle)
{
    std::lock_guard lock(m_mutex);
    if (clientVersion != 1 && clientVersion != 2) return ERROR_INVALID_PARAMETER;
    if (!WirelessServiceRunningLocked()) return ERROR_SERVICE_NOT_ACTIVE;
    if (negotiatedVersion) *negotiatedVersion = IsXp(m_scenario) ? 1 : clientVersion;
    *handle = m_nextWlanHandle++;
    m_wlanHandles[*handle] = true;
    return ERROR_SUCCESS;
}

DWORD SimHardware::WlanCloseHandle(WLAN_HANDLE handle)
{
    std::lock_guard lock(m_mutex);
    return m_wlanHandles.erase(handle) ? ERROR_SUCCESS : ERROR_INVALID_PARAMETER;
}

DWORD SimHardware::WlanEnumInterfaces(WLAN_HANDLE handle, WLAN_INTERFACE_INFO_LIST** list)
{
    std::lock_guard lock(m_mutex);
    if (!m_wlanHandles.count(handle) || !list) return ERROR_INVALID_PARAMETER;
    if (!WirelessServiceRunningLocked()) return ERROR_SERVICE_NOT_ACTIVE;
    auto block = std::make_unique<WLAN_INTERFACE_INFO_LIST>();
    const int listed = AdapterUsableLocked() ? 1 : 0;
    if (listed != m_tracedAdapterListed)
        TraceLocked(listed ? "the wireless service lists the adapter" : "the wireless service lists no adapter");
    m_tracedAdapterListed = listed;
    if (listed) {
        WLAN_INTERFACE_INFO info;
        info.InterfaceGuid = GuidFromString(W(m_scenario.adapter.interfaceGuid)).value_or(GUID{});
        info.strInterfaceDescription = W(m_scenario.adapter.description).substr(0, 255);
        UpdateAirLocked();
        info.isState = m_associated >= 0 ? 1 : 4;  // connected : disconnected
        block->InterfaceInfo.push_back(info);
    }
    block->dwNumberOfItems = static_cast<DWORD>(block->InterfaceInfo.size());
    *list = block.get();
    m_wlanBlocks[block.get()] = std::move(block);
    return ERROR_SUCCESS;
}

void SimHardware::WlanFreeMemory(const void* block)
{
    std::lock_guard lock(m_mutex);
    m_wlanBlocks.erase(block);
}

// ---- Processes ------------------------------------------------------------------------------

PROCESS_HANDLE SimHardware::CreateProcessW(const std::wstring& commandLine, int, LONG* lastError)
{
    std::lock_guard lock(m_mutex);
    PROCESS_HANDLE command = 0;
    if (StartCommandLocked(commandLine, &command)) return command;
    // Without an application name the program is the command line up to its ".exe".
    std::wstring lower = Lower(commandLine);
    std::size_t exe = lower.find(L".exe");
    std::wstring program = exe == std::wstring::npos ? commandLine : commandLine.substr(0, exe + 4);
    if (!program.empty() && program.front() == L'"') program.erase(0, 1);
    if (!m_files.PathFileExistsW(program)) {
        if (lastError) *lastError = ERROR_FILE_NOT_FOUND;
        return 0;
    }
    std::wstring name = Lower(program);
    if (name.size() < 26 || name.substr(name.size() - 26) != L"\\adapter\\driverinstall.exe") {
        // The only program this PC knows how to run is the driver package's installer.
        if (lastError) *lastError = ERROR_BAD_EXE_FORMAT_CODE;
        return 0;
    }
    PROCESS_HANDLE h = m_nextProcess += 4;
    Process p;
    p.program = program;
    p.endsAt = rt::NowMs() + kInstallerRunMs;
    m_processes[h] = p;
    return h;
}

void SimHardware::FinishDueProcessesLocked()
{
    for (auto& [h, p] : m_processes)
        if (!p.done && rt::NowMs() >= p.endsAt) {
            p.done = true;
            if (p.isCommand) FinishCommandLocked(p);
            else RunDriverInstallerLocked(p.program);
        }
}

void SimHardware::RunDriverInstallerLocked(const std::wstring& program)
{
    // driverInstall.exe installs the 64-bit package of the system it runs on: on the
    // plugged adapter when it can, else into the driver store for a later plug-in.
    if (m_scenario.os.arch == "x86") return;
    std::wstring folder = program.substr(0, program.size() - std::wstring(L"\\driverInstall.exe").size());
    bool vista = m_scenario.os.version == "6.0";
    std::wstring inf = folder + (vista ? L"\\driver\\vista\\amd64\\netr28ux.inf" : L"\\driver\\win7\\amd64\\netr28ux.inf");
    bool any = false;
    for (const wchar_t* id : {L"USB\\VID_1E2C&PID_003B", L"USB\\VID_1E2C&PID_003C", L"USB\\VID_1E2C&PID_003D"})
        any = UpdateDriverForPlugAndPlayDevicesW(id, inf, INSTALLFLAG_FORCE, nullptr, nullptr) || any;
    if (!any) SetupCopyOEMInfW(inf, SPOST_PATH, SP_COPY_NEWER_OR_SAME, nullptr, 0, nullptr);
}

DWORD SimHardware::WaitForSingleObject(PROCESS_HANDLE process, DWORD timeoutMs)
{
    std::int64_t endsAt;
    {
        std::lock_guard lock(m_mutex);
        auto it = m_processes.find(process);
        if (it == m_processes.end()) return WAIT_OBJECT_0;
        endsAt = it->second.endsAt;
    }
    std::int64_t wait = endsAt - rt::NowMs();
    if (timeoutMs != INFINITE && wait > static_cast<std::int64_t>(timeoutMs)) {
        return rt::Sleep(timeoutMs) ? WAIT_TIMEOUT : WAIT_STOPPED;
    }
    if (wait > 0 && !rt::Sleep(wait)) return WAIT_STOPPED;
    std::lock_guard lock(m_mutex);
    FinishDueProcessesLocked();
    return WAIT_OBJECT_0;
}

BOOL SimHardware::CloseHandle(PROCESS_HANDLE process)
{
    std::lock_guard lock(m_mutex);
    auto it = m_processes.find(process);
    if (it == m_processes.end()) return FALSE;
    // A closed handle leaves the process running; only a finished one is forgotten.
    FinishDueProcessesLocked();
    if (it->second.done) m_processes.erase(it);
    return TRUE;
}

// ---- World events ------------------------------------------------------------------------------

std::vector<std::string> SimHardware::UnsupportedEvents() const
{
    // Every event a scenario can name is played; the reader has checked their networks.
    return {};
}

void SimHardware::StartScenarioEvents()
{
    if (m_scenario.events.empty() || m_events.Started()) return;
    std::vector<EventSettings> events = m_scenario.events;
    std::stable_sort(events.begin(), events.end(),
                     [](const EventSettings& a, const EventSettings& b) { return a.atMs < b.atMs; });
    m_events.Start("world", [this, events] {
        for (const EventSettings& e : events) {
            std::int64_t wait = e.atMs - rt::NowMs();
            if (wait > 0 && !rt::Sleep(wait)) return;
            if (e.what == "plug") Plug();
            else if (e.what == "unplug") Unplug();
            else if (e.what == "internet" || e.what == "gateway") {
                bool on = !e.args.empty() && e.args[0] == "on";
                if (e.what == "internet") SetInternet(on);
                else SetGateway(on);
            } else if ((e.what == "network-on" || e.what == "network-off") && !e.args.empty())
                SetNetworkPresent(e.args[0], e.what == "network-on");
            else if (e.what == "wps-button" && !e.args.empty()) PressWpsButton(e.args[0]);
            else if (e.what == "router-pin" && !e.args.empty()) TypePinIntoRouter(e.args[0]);
            else if (e.what == "associate" && !e.args.empty()) Associate(e.args[0]);
        }
    }, true);
}

void SimHardware::StopScenarioEvents()
{
    if (m_events.Started()) m_events.StopAndJoin();
}

}  // namespace sim
