#pragma once
// The simulated PC's hardware and services: the network devices with their drivers and
// the driver store, the service control manager, the wireless service, the chip
// vendor's library with its site survey and WPS exchange, process creation, and the
// world events (the adapter plugged and unplugged, a router's WPS button, a PIN typed
// into a router). The adapter's driver lives where Windows keeps it (its driver key in the
// registry, the package in C:\Windows\INF), so it stays installed between runs.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "runtime/Runtime.h"
#include "sim/Scenario.h"
#include "sim/SurveyBuffer.h"
#include "sim/WlanProfileDoc.h"

namespace sim {

// What the PC has now, for the "Simulated PC" panel.
struct HardwareView {
    bool adapterPlugged = false;
    bool adapterDriver = false;
    std::string adapterHardwareId, adapterDescription;
    std::vector<std::pair<std::string, std::string>> services;  // name, "running" ...
    std::vector<std::string> otherDevices;
    bool installerRunning = false;
    int openWlanHandles = 0;
    // The wireless world.
    struct Network {
        std::string ssid;      // as bytes
        std::string security;  // "WPA2PSK/AES"
        std::string key;
        int signal = 0;
        bool present = true, hidden = false;
        bool associated = false;
        // WPS: the modes the router offers, the seconds its push-button window and the
        // PIN typed into it have left (0: none), and that PIN.
        bool wpsPbc = false, wpsPin = false;
        int buttonSeconds = 0, pinSeconds = 0;
        std::string typedPin;
    };
    std::vector<Network> networks;
    bool internet = true, gateway = true;
    std::string association;  // "" : none; else the SSID
    std::string address, gatewayAddress;
    std::vector<std::string> profiles;  // their names, UTF-8
    std::vector<std::string> commands;  // the last commands the interpreter ran
    // The vendor library: initialised, its WPS flag, and the attempt it runs ("" : none),
    // such as "push button: no router in its window (code 258)".
    bool vendorInitialised = false;
    bool wpsFlag = false;
    std::string wpsAttempt;
    std::string vendorSettings;  // what the program set: "PHY type 2, auto-select 0, ..."; "" none
};

class SimHardware : public DeviceInstaller,
                    public ServiceControl,
                    public WlanLibrary,
                    public Processes,
                    public VendorWlan,
                    public IpHelper {
public:
    // freshMachine: the machine never ran; the scenario's driverInstalled then puts the
    // adapter's driver in place.
    SimHardware(const Scenario& scenario, Registry& registry, Files& files, bool freshMachine);
    ~SimHardware() override;

    // World events.
    void Plug();
    void Unplug();
    void SetInternet(bool on);
    void SetGateway(bool on);
    // A network of the scenario comes into range or goes out of it (an association to it
    // drops); false when the scenario has no network of that SSID.
    bool SetNetworkPresent(const std::string& ssid, bool present);
    // The wireless service joins that network by itself, as it may a network of its
    // preferred list: a connection it was asked for meanwhile is given up, and the
    // network gets a stored profile if it has none. Only a network in range, with the
    // adapter usable and the service running; false when the scenario has no such SSID.
    bool Associate(const std::string& ssid);
    // Someone presses the WPS button of the router of that SSID: its push-button window
    // stays open for 2 minutes. False when the scenario has no network of that SSID.
    bool PressWpsButton(const std::string& ssid);
    // Someone types a PIN into that router, which keeps it for 2 minutes: the wizard's
    // PIN as the PIN source tells it, or the one given. False for an unknown SSID.
    bool TypePinIntoRouter(const std::string& ssid);
    bool TypePinIntoRouter(const std::string& ssid, const std::string& pin);
    // Where the routers' user reads the PIN the wizard shows (the PC cannot see the
    // wizard); called without the PC's lock held.
    void SetWizardPinSource(std::function<std::string()> source);
    // The last profile document handed to WlanSetProfile (empty: none yet).
    std::wstring LastProfileDocument();
    // What happened in the world so far, one entry each with the moment on the runtime's
    // clock: world events, the wireless service's scans, list fetches and associations,
    // whether it lists the adapter, and every echo with its answer.
    struct TraceEntry {
        std::int64_t atMs = 0;
        std::string what;
    };
    std::vector<TraceEntry> WorldTrace();
    // The thread of the simulated vendor library, which answers its site survey: it lives
    // in the program's process for as long as the process, like a library's own thread.
    static constexpr const char* kVendorSurveyThread = "vendor survey";
    static bool IsOwnThread(const std::string& workerName) { return workerName == kVendorSurveyThread; }
    HardwareView View();
    // The scenario's events that this PC cannot play ("file:line: reason"); empty when all can.
    std::vector<std::string> UnsupportedEvents() const;
    // Plays the scenario's events at their times on the runtime's clock.
    void StartScenarioEvents();
    void StopScenarioEvents();

    // DeviceInstaller
    std::unique_ptr<DeviceInfoSet> SetupDiGetClassDevsW(const std::wstring& classGuid, DWORD flags) override;
    BOOL UpdateDriverForPlugAndPlayDevicesW(const std::wstring& hardwareId, const std::wstring& infPath,
                                            DWORD installFlags, BOOL* rebootRequired, LONG* lastError) override;
    BOOL SetupCopyOEMInfW(const std::wstring& sourceInf, DWORD mediaType, DWORD copyStyle,
                          std::wstring* destination, DWORD destinationChars, LONG* lastError) override;

    // ServiceControl
    SC_HANDLE OpenSCManagerW(DWORD access) override;
    SC_HANDLE OpenServiceW(SC_HANDLE manager, const std::wstring& name, DWORD access) override;
    BOOL QueryServiceStatus(SC_HANDLE service, DWORD* currentState) override;
    BOOL StartServiceW(SC_HANDLE service) override;
    BOOL ControlService(SC_HANDLE service, DWORD control, DWORD* currentState) override;
    BOOL CloseServiceHandle(SC_HANDLE handle) override;

    // WlanLibrary
    bool LoadLibraryW(const std::wstring& name) override;
    bool GetProcAddress(const char* name) override;
    DWORD WlanOpenHandle(DWORD clientVersion, DWORD* negotiatedVersion, WLAN_HANDLE* handle) override;
    DWORD WlanCloseHandle(WLAN_HANDLE handle) override;
    DWORD WlanEnumInterfaces(WLAN_HANDLE handle, WLAN_INTERFACE_INFO_LIST** list) override;
    void WlanFreeMemory(const void* block) override;
    DWORD WlanScan(WLAN_HANDLE handle, const GUID& interfaceGuid, const DOT11_SSID* ssid,
                   const void* informationElement) override;
    DWORD WlanGetAvailableNetworkList(WLAN_HANDLE handle, const GUID& interfaceGuid, DWORD flags,
                                      WLAN_AVAILABLE_NETWORK_LIST** list) override;
    DWORD WlanSetProfile(WLAN_HANDLE handle, const GUID& interfaceGuid, DWORD flags, const std::wstring& profileXml,
                         const wchar_t* securityDescriptor, BOOL overwrite, DWORD* reasonCode) override;
    DWORD WlanDeleteProfile(WLAN_HANDLE handle, const GUID& interfaceGuid, const std::wstring& profileName) override;
    DWORD WlanConnect(WLAN_HANDLE handle, const GUID& interfaceGuid,
                      const WLAN_CONNECTION_PARAMETERS& parameters) override;
    DWORD WlanDisconnect(WLAN_HANDLE handle, const GUID& interfaceGuid) override;
    DWORD WlanQueryInterface(WLAN_HANDLE handle, const GUID& interfaceGuid, int opCode, DWORD* dataSize,
                             void** data, int* valueType) override;

    // IpHelper
    bool LoadIpHelper() override;
    bool HasExport(const char* name) override;
    void FreeIpHelper() override;
    DWORD GetAdaptersInfo(std::vector<IP_ADAPTER_INFO>* adapters, ULONG* sizeBytes) override;
    ICMP_HANDLE IcmpCreateFile() override;
    BOOL IcmpCloseHandle(ICMP_HANDLE handle) override;
    DWORD IcmpSendEcho(ICMP_HANDLE handle, IPAddr destination, const void* data, WORD dataSize, DWORD replySize,
                       ICMP_ECHO_REPLY* reply, DWORD timeoutMs) override;
    DWORD IcmpSendEcho2(ICMP_HANDLE handle, IPAddr destination, const void* data, WORD dataSize, DWORD replySize,
                        ICMP_ECHO_REPLY* reply, DWORD timeoutMs) override;
    DWORD IcmpSendEcho2Ex(ICMP_HANDLE handle, IPAddr source, IPAddr destination, const void* data, WORD dataSize,
                          DWORD replySize, ICMP_ECHO_REPLY* reply, DWORD timeoutMs) override;

    // Processes
    PROCESS_HANDLE CreateProcessW(const std::wstring& commandLine, int showCommand, LONG* lastError) override;
    DWORD WaitForSingleObject(PROCESS_HANDLE process, DWORD timeoutMs) override;
    BOOL CloseHandle(PROCESS_HANDLE process) override;

    // VendorWlan
    int RAWL_Initial(const char* vendor, std::uintptr_t mainWindow) override;
    int RAWL_GetAvailableAdapters(std::vector<unsigned char>& buffer, int capacity) override;
    int RAWL_AdapterSelect(const unsigned char* record, void (*callback)(), std::uintptr_t mainWindow) override;
    int RAWL_DeInitial() override;
    int RAWL_SiteSurveyScan(void (*done)()) override;
    int RAWL_SiteSurveyQuery(unsigned char* buffer, ULONG* sizeBytes) override;
    int RAWL_ParseInfoElement(const unsigned char* entry, unsigned char* record) override;
    int RAWL_FrequencyToChannel(ULONG frequencyKHz) override;
    int RAWL_WriteWPSFlag(int on) override;
    int RAWL_SetAuthMode(int mode) override;
    int RAWL_Disassociate() override;
    int RAWL_WlanDisconnect() override;
    int RAWL_WlanDeleteAllWindowsProfiles() override;
    int RAWL_WPSDisconnect() override;
    int RAWL_SetPreferWPSAPPhyType(int type) override;
    int RAWL_SetWPSAutoSelect(int on) override;
    int RAWL_SetWPSMode(WpsModeRecord mode) override;
    int RAWL_SetWPSProfile(WpsProfileRecord profile) override;
    int RAWL_SetWPSAssociateIE(int on) override;
    int RAWL_SetWPSProbeReqIE(int on) override;
    int RAWL_QueryWPSStatus(DWORD* status) override;
    int RAWL_QueryWPSProfile(WpsProfileRecord* profile) override;

    // A network-class device as the device installer lists it.
    struct Device {
        std::wstring hardwareId;
        std::wstring description;
        std::wstring netCfgInstanceId;  // empty: no driver key
        bool isAdapter = false;
    };

private:
    struct Service {
        std::string name;
        std::string state;          // "running" | "stopped" | "absent"
        std::int64_t runningAt = 0;  // a start request completes at this time
    };
    struct Process {
        std::wstring program;
        std::int64_t endsAt = 0;
        bool done = false;
        bool isCommand = false;             // the command interpreter running one command
        std::vector<std::wstring> command;  // its words
        std::string output;                 // what it prints (ping: decided when it starts)
        std::wstring redirect;              // "> FILE"
    };
    // What the adapter has from the network it is associated with.
    struct IpConfig {
        std::string address = "0.0.0.0", mask = "0.0.0.0", gateway;
        bool dhcp = true;
    };

    // With m_mutex held.
    std::vector<Device> PresentDevicesLocked();
    bool AdapterDriverLocked();
    void InstallAdapterDriverLocked(const std::wstring& infPath);
    bool InfInstallsLocked(const std::string& infText, const std::wstring& hardwareId) const;
    bool InstallFromStoreLocked();
    std::wstring CopyToStoreLocked(const std::string& infText);
    Service* FindServiceLocked(const std::string& name);
    DWORD ServiceStateLocked(Service& service);
    bool WirelessServiceRunningLocked();
    bool AdapterUsableLocked();
    void FinishDueProcessesLocked();
    void RunDriverInstallerLocked(const std::wstring& program);
    // atMs < 0: now.
    void TraceLocked(std::string what, std::int64_t atMs = -1);
    // Traces a change of the association since the last trace of it (atMs < 0: now).
    void TraceAssociationLocked(std::int64_t atMs = -1);
    // The wireless world (SimAir.cpp, SimIp.cpp).
    void InitAirLocked(bool freshMachine);
    void UpdateAirLocked();  // brings scans, connection requests and associations up to now
    void AirViewLocked(HardwareView& view);
    DWORD CheckWlanCallLocked(WLAN_HANDLE handle, const GUID& interfaceGuid);
    std::vector<WLAN_AVAILABLE_NETWORK> SeenNowLocked();
    bool FitsLocked(const WlanProfile& profile, const NetworkSettings& network) const;
    void SaveProfilesLocked();
    const WlanProfile* FindProfileLocked(const std::wstring& name) const;
    template <class T> T* KeepBlockLocked(std::unique_ptr<T> block);
    IpConfig AdapterIpLocked();
    std::vector<IP_ADAPTER_INFO> AdaptersLocked();
    bool AnswersLocked(IPAddr destination, IPAddr source);
    DWORD EchoOnce(ICMP_HANDLE handle, IPAddr source, IPAddr destination, WORD dataSize, DWORD replySize,
                   ICMP_ECHO_REPLY* reply, DWORD timeoutMs);
    bool StartCommandLocked(const std::wstring& commandLine, PROCESS_HANDLE* handle);
    void FinishCommandLocked(Process& p);
    // The vendor library (SimVendor.cpp, SimWps.cpp).
    void SurveyLoop();
    std::vector<SurveyNetwork> SurveyNowLocked();
    bool VendorReadyLocked();
    void EndWpsAttemptLocked();
    DWORD WpsCodeLocked();  // brings the attempt up to now
    bool PbcWindowOpenLocked(std::size_t network, std::int64_t now) const;
    bool PinTypedLocked(std::size_t network, std::int64_t now) const;
    void VendorViewLocked(HardwareView& view);
    int FindNetworkLocked(const std::string& ssid) const;

    const Scenario& m_scenario;
    Registry& m_registry;
    Files& m_files;
    std::recursive_mutex m_mutex;
    bool m_plugged;
    std::vector<Service> m_services;
    std::map<SC_HANDLE, std::string> m_scHandles;  // service handles -> service name ("" : the manager)
    SC_HANDLE m_nextScHandle = 0x1A2B30;
    std::map<WLAN_HANDLE, bool> m_wlanHandles;
    WLAN_HANDLE m_nextWlanHandle = 1;
    std::map<const void*, std::shared_ptr<void>> m_wlanBlocks;  // what the service handed out

    // The wireless world.
    std::vector<NetworkSettings> m_networks;  // the scenario's, with who is in range now
    bool m_internetUp = true, m_gatewayUp = true;
    std::vector<WLAN_AVAILABLE_NETWORK> m_seen;  // the service's list, as of its last scan
    std::int64_t m_scanEndsAt = -1;              // a scan in progress ends then
    std::int64_t m_seenAt = -1;  // -1: the service has not looked yet
    std::vector<WlanProfile> m_profiles;
    std::wstring m_lastProfileDocument;
    int m_associated = -1;  // the network the adapter is associated with
    std::wstring m_associatedProfile;
    struct PendingConnect {
        std::wstring profile;
        std::int64_t at = 0;
    };
    std::optional<PendingConnect> m_pending;
    bool m_addressesReleased = false;  // ipconfig /release until /renew
    bool m_routeViaAdapter = false;    // route change to the adapter's gateway
    std::map<ICMP_HANDLE, bool> m_icmpHandles;
    ICMP_HANDLE m_nextIcmp = 0x1F0;
    bool m_ipHelperLoaded = false;
    std::vector<std::string> m_commandsRun;
    std::map<PROCESS_HANDLE, Process> m_processes;
    PROCESS_HANDLE m_nextProcess = 0x2C4;
    bool m_vendorInitialised = false;
    rt::Worker m_events;

    // The vendor library's survey: one request at a time, answered on its own thread.
    rt::Worker m_surveyWorker;
    rt::Event m_surveyWake{true};
    std::mutex m_surveyStart;
    bool m_surveyPending = false;
    std::int64_t m_surveyEndsAt = 0;
    void (*m_surveyDone)() = nullptr;
    std::vector<SurveyNetwork> m_surveyed;  // as the last survey saw the world
    bool m_surveyedOnce = false;

    // The WPS exchange. Per network: when its button was pressed and a PIN typed into it.
    struct RouterWps {
        std::int64_t buttonAt = -1, pinAt = -1;
        std::string pin;
    };
    std::vector<RouterWps> m_routers;
    struct WpsAttempt {
        bool pin = false;
        std::string pinDigits;
        std::string ssid;             // the access point the PIN attempt names ("" : any)
        unsigned char bssid[6] = {};  // all zero: any of that SSID
        std::int64_t startedAt = 0;
        int router = -1;              // the router the exchange runs with
        std::int64_t exchangeAt = -1;
        bool overlap = false;         // two push-button windows open at once
        DWORD finalCode = 0;          // the exchange has ended with this code
    };
    std::optional<WpsAttempt> m_wps;
    std::optional<WpsProfileRecord> m_wpsCredentials;  // from the last attempt that got them
    bool m_wpsFlag = false;
    std::function<std::string()> m_pinSource;
    // What the program set and the library only keeps.
    int m_authMode = -1, m_preferPhyType = -1, m_autoSelect = -1, m_associateIe = -1, m_probeReqIe = -1;
    std::vector<TraceEntry> m_trace;
    int m_tracedAssociation = -1;
    int m_tracedAdapterListed = -1;  // -1: not asked yet
};

}  // namespace sim
