// The simulated PC's network devices, their drivers and the driver store.
#include <algorithm>
#include <cwctype>

#include "platform/Text.h"
#include "sim/SimHardware.h"

namespace sim {

namespace {

std::wstring W(const std::string& utf8) { return Utf8ToWide(utf8); }
std::wstring Upper(std::wstring w)
{
    for (auto& c : w) c = static_cast<wchar_t>(std::towupper(c));
    return w;
}
std::string UpperU(const std::string& s) { return WideToUtf8(Upper(Utf8ToWide(s))); }

const wchar_t* const kAdapterDriverKey =
    L"SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0011";
constexpr int kStoreSlots = 50;

// A device answers to its full first hardware ID and to that ID without its revision part.
std::vector<std::wstring> HardwareIds(const std::wstring& first)
{
    std::vector<std::wstring> ids{first};
    std::size_t rev = Upper(first).find(L"&REV_");
    if (rev != std::wstring::npos) ids.push_back(first.substr(0, rev));
    return ids;
}

class SimDriverKey : public DeviceRegKey {
public:
    explicit SimDriverKey(std::wstring id) : m_id(std::move(id)) {}
    LONG RegQueryValueExW(const std::wstring& name, std::wstring* data, DWORD bufferBytes) override
    {
        if (Upper(name) != L"NETCFGINSTANCEID") return ERROR_FILE_NOT_FOUND;
        if ((m_id.size() + 1) * 2 > bufferBytes) return ERROR_MORE_DATA;
        *data = m_id;
        return ERROR_SUCCESS;
    }

private:
    std::wstring m_id;
};

class SimDeviceSet : public DeviceInfoSet {
public:
    explicit SimDeviceSet(std::vector<SimHardware::Device> devices) : m_devices(std::move(devices)) {}
    BOOL SetupDiEnumDeviceInfo(DWORD index, LONG* lastError) override
    {
        if (index < m_devices.size()) return TRUE;
        if (lastError) *lastError = ERROR_NO_MORE_ITEMS;
        return FALSE;
    }
    BOOL SetupDiGetDeviceRegistryPropertyW(DWORD index, DWORD property, std::vector<std::wstring>* strings,
                                           DWORD bufferBytes, DWORD* requiredSize, LONG* lastError) override
    {
        if (index >= m_devices.size() || property != SPDRP_HARDWAREID || m_devices[index].hardwareId.empty()) {
            if (lastError) *lastError = ERROR_INVALID_DATA;
            return FALSE;
        }
        std::vector<std::wstring> ids = HardwareIds(m_devices[index].hardwareId);
        DWORD need = 2;  // the list's closing zero
        for (auto& id : ids) need += static_cast<DWORD>((id.size() + 1) * 2);
        if (requiredSize) *requiredSize = need;
        if (bufferBytes < need) {
            if (lastError) *lastError = ERROR_INSUFFICIENT_BUFFER;
            return FALSE;
        }
        *strings = ids;
        return TRUE;
    }
    std::unique_ptr<DeviceRegKey> SetupDiOpenDevRegKey(DWORD index, DWORD, DWORD, DWORD keyType, DWORD) override
    {
        if (index >= m_devices.size() || keyType != DIREG_DRV || m_devices[index].netCfgInstanceId.empty())
            return nullptr;
        return std::make_unique<SimDriverKey>(m_devices[index].netCfgInstanceId);
    }

private:
    std::vector<SimHardware::Device> m_devices;
};

}  // namespace

SimHardware::SimHardware(const Scenario& scenario, Registry& registry, Files& files, bool freshMachine)
    : m_scenario(scenario), m_registry(registry), m_files(files), m_plugged(scenario.adapter.plugged)
{
    for (auto& [name, state] : scenario.services) m_services.push_back(Service{name, state, 0});
    if (freshMachine && scenario.adapter.driverInstalled) InstallAdapterDriverLocked(L"C:\\Windows\\INF\\oem0.inf");
    InitAirLocked(freshMachine);
    m_routers.resize(m_networks.size());
}

SimHardware::~SimHardware()
{
    StopScenarioEvents();
    // Without m_surveyStart: a callback running on the library's thread may be asking for
    // the next survey, which takes it. Nothing else starts the thread any more.
    if (m_surveyWorker.Started()) m_surveyWorker.StopAndJoin();
}

void SimHardware::Plug()
{
    std::lock_guard lock(m_mutex);
    UpdateAirLocked();  // what was due before the event happened before it
    TraceLocked("world: plug");
    m_plugged = true;
    // Plug and play finds the adapter's driver in the store when it is not installed yet.
    if (!AdapterDriverLocked()) InstallFromStoreLocked();
}

void SimHardware::Unplug()
{
    std::lock_guard lock(m_mutex);
    UpdateAirLocked();
    TraceLocked("world: unplug");
    m_plugged = false;
    // The library's attempt and what it got end with the adapter.
    EndWpsAttemptLocked();
    m_wpsCredentials.reset();
    m_wpsFlag = false;
    UpdateAirLocked();
}

bool SimHardware::AdapterDriverLocked()
{
    std::wstring id;
    return m_registry.RegQueryValueExW(HKEY_ROOT::HKEY_LOCAL_MACHINE, kAdapterDriverKey, L"NetCfgInstanceId", &id,
                                       512) == ERROR_SUCCESS &&
           !id.empty();
}

void SimHardware::InstallAdapterDriverLocked(const std::wstring& infPath)
{
    const auto root = HKEY_ROOT::HKEY_LOCAL_MACHINE;
    auto set = [&](const wchar_t* name, const std::wstring& data) {
        m_registry.RegSetValueExW(root, kAdapterDriverKey, name, data, static_cast<DWORD>((data.size() + 1) * 2));
    };
    m_registry.RegCreateKeyExW(root, kAdapterDriverKey);
    set(L"DriverDesc", W(m_scenario.adapter.description));
    set(L"MatchingDeviceId", Upper(HardwareIds(W(m_scenario.adapter.hardwareId)).back()));
    set(L"InfPath", infPath);
    set(L"NetCfgInstanceId", W(m_scenario.adapter.netCfgInstanceId));
}

std::vector<SimHardware::Device> SimHardware::PresentDevicesLocked()
{
    FinishDueProcessesLocked();
    std::vector<Device> devices;
    for (const DeviceSettings& d : m_scenario.devices)
        devices.push_back(Device{W(d.hardwareId), W(d.description), W(d.netCfgInstanceId), false});
    // The USB adapter arrives after the machine's own devices.
    if (m_plugged)
        devices.push_back(Device{W(m_scenario.adapter.hardwareId), W(m_scenario.adapter.description),
                                 AdapterDriverLocked() ? W(m_scenario.adapter.netCfgInstanceId) : L"", true});
    return devices;
}

bool SimHardware::InfInstallsLocked(const std::string& infText, const std::wstring& hardwareId) const
{
    // The package's platform decides where it installs: "NTamd64" sections for 64-bit systems.
    std::string text = UpperU(infText);
    bool amd64 = text.find("NTAMD64") != std::string::npos;
    bool os64 = m_scenario.os.arch != "x86";
    if (amd64 != os64) return false;
    std::string id = WideToUtf8(Upper(hardwareId));
    for (std::size_t at = text.find(id); at != std::string::npos; at = text.find(id, at + 1)) {
        char next = at + id.size() < text.size() ? text[at + id.size()] : '\n';
        if (!(std::isalnum(static_cast<unsigned char>(next)) || next == '&' || next == '_')) return true;
    }
    return false;
}

bool SimHardware::InstallFromStoreLocked()
{
    for (int slot = 0; slot < kStoreSlots; ++slot) {
        std::wstring path = L"C:\\Windows\\INF\\oem" + std::to_wstring(slot) + L".inf";
        auto text = m_files.ReadFile(path);
        if (!text) continue;
        for (const std::wstring& id : HardwareIds(W(m_scenario.adapter.hardwareId)))
            if (InfInstallsLocked(*text, id)) {
                InstallAdapterDriverLocked(path);
                return true;
            }
    }
    return false;
}

std::wstring SimHardware::CopyToStoreLocked(const std::string& infText)
{
    int freeSlot = -1;
    for (int slot = 0; slot < kStoreSlots; ++slot) {
        std::wstring path = L"C:\\Windows\\INF\\oem" + std::to_wstring(slot) + L".inf";
        auto text = m_files.ReadFile(path);
        if (text && *text == infText) return path;
        if (!text && freeSlot < 0) freeSlot = slot;
    }
    if (freeSlot < 0) return L"";
    std::wstring path = L"C:\\Windows\\INF\\oem" + std::to_wstring(freeSlot) + L".inf";
    m_files.CreateDirectoryTree(L"C:\\Windows\\INF");
    auto file = m_files.CreateFileForWriting(path);
    if (!file || !file->Write(infText.data(), infText.size())) return L"";
    return path;
}

std::unique_ptr<DeviceInfoSet> SimHardware::SetupDiGetClassDevsW(const std::wstring& classGuid, DWORD flags)
{
    std::lock_guard lock(m_mutex);
    if (Upper(classGuid) != Upper(kNetClassGuid) || !(flags & DIGCF_PRESENT)) return nullptr;
    return std::make_unique<SimDeviceSet>(PresentDevicesLocked());
}

BOOL SimHardware::UpdateDriverForPlugAndPlayDevicesW(const std::wstring& hardwareId, const std::wstring& infPath,
                                                     DWORD, BOOL* rebootRequired, LONG* lastError)
{
    std::lock_guard lock(m_mutex);
    if (rebootRequired) *rebootRequired = FALSE;
    auto fail = [&](LONG code) {
        if (lastError) *lastError = code;
        return FALSE;
    };
    auto text = m_files.ReadFile(infPath);
    if (!text) return fail(ERROR_FILE_NOT_FOUND);
    if (!InfInstallsLocked(*text, hardwareId)) return fail(ERROR_NO_DRIVER_SELECTED);
    FinishDueProcessesLocked();
    bool deviceThere = false;
    if (m_plugged)
        for (const std::wstring& id : HardwareIds(W(m_scenario.adapter.hardwareId)))
            deviceThere = deviceThere || Upper(id) == Upper(hardwareId);
    if (!deviceThere) return fail(ERROR_NO_SUCH_DEVINST);
    // Windows keeps a copy of every package it installs.
    std::wstring stored = CopyToStoreLocked(*text);
    InstallAdapterDriverLocked(stored.empty() ? infPath : stored);
    return TRUE;
}

BOOL SimHardware::SetupCopyOEMInfW(const std::wstring& sourceInf, DWORD, DWORD, std::wstring* destination,
                                   DWORD destinationChars, LONG* lastError)
{
    std::lock_guard lock(m_mutex);
    auto text = m_files.ReadFile(sourceInf);
    std::wstring stored = text ? CopyToStoreLocked(*text) : L"";
    if (stored.empty()) {
        if (lastError) *lastError = text ? ERROR_ACCESS_DENIED : ERROR_FILE_NOT_FOUND;
        return FALSE;
    }
    if (destination && stored.size() < destinationChars) *destination = stored;
    // A device that waits for this package gets it now.
    if (m_plugged && !AdapterDriverLocked()) InstallFromStoreLocked();
    return TRUE;
}

HardwareView SimHardware::View()
{
    std::lock_guard lock(m_mutex);
    FinishDueProcessesLocked();
    HardwareView v;
    v.adapterPlugged = m_plugged;
    v.adapterDriver = AdapterDriverLocked();
    v.adapterHardwareId = m_scenario.adapter.hardwareId;
    v.adapterDescription = m_scenario.adapter.description;
    for (Service& s : m_services) {
        DWORD state = ServiceStateLocked(s);
        v.services.emplace_back(s.name, s.state == "absent"          ? "not installed"
                                        : state == SERVICE_RUNNING   ? "running"
                                        : state == SERVICE_START_PENDING ? "starting"
                                                                         : "stopped");
    }
    for (const DeviceSettings& d : m_scenario.devices)
        v.otherDevices.push_back(d.description + " (" + d.hardwareId + (d.netCfgInstanceId.empty() ? ", no driver)" : ")"));
    for (auto& [h, p] : m_processes) v.installerRunning = v.installerRunning || !p.done;
    v.openWlanHandles = static_cast<int>(m_wlanHandles.size());
    AirViewLocked(v);
    VendorViewLocked(v);
    return v;
}

}  // namespace sim
