#pragma once
// The simulated PC as a scenario file describes it (the lab's JSON format). Every key is
// optional; the defaults below are the built-in default PC's.
#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "sim/ScenarioValues.h"

namespace sim {

// A scenario or script that cannot be used: "file:line: reason".
struct ScenarioError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct OsSettings {
    std::string version = "6.1";  // "major.minor"
    int build = 7601;
    std::string servicePack = "Service Pack 1";
    int servicePackMajor = 1;  // default: read from "Service Pack N"
    int servicePackMinor = 0;
    std::string arch = "x64";  // x86 | x64 | ia64
    bool admin = true;
    int uiLanguage = 1033;
    int systemLanguage = 1033;
    int ansiCodePage = 1252;
    std::string wlanApi = "present";           // "present" | "missing" | "list"
    std::vector<std::string> wlanApiExports;   // when wlanApi is "list"
    int dpi = 96;
    std::string browserVersion = "8.0.7601.17514";
    std::string comspec = "C:\\Windows\\system32\\cmd.exe";
};

struct ProgramSettings {
    std::string path = "D:\\TesraConnect.exe";
    std::string fileVersion = "1.0.0.4";  // "" : no version resource
    std::optional<std::string> hwidIni;   // nullopt: the disc's own file; "": no file
};

struct AdapterSettings {
    std::string hardwareId = "USB\\VID_1E2C&PID_003B";
    std::string description = "Korvana QW4100 Wireless-N USB Adapter";
    bool plugged = true;
    bool driverInstalled = false;
    std::string netCfgInstanceId = "{5C4A2B1E-0D6F-4E8A-9B3C-7A1D2E3F4051}";
    std::string interfaceGuid = "{5C4A2B1E-0D6F-4E8A-9B3C-7A1D2E3F4051}";
    std::string address = "dhcp";
    std::optional<std::string> connectedTo;
};

struct DeviceSettings {
    std::string hardwareId;
    std::string description;
    std::string netCfgInstanceId;
    std::string address;
    std::string gateway;
};

// What the router hands out. Keys left out of "credentials" take the network's own.
struct WpsCredentials {
    std::string ssid;        // the SSID as bytes (also when given as "ssidHex")
    std::string key;
    std::string auth;        // name ("WPA2-Personal") or number as text: ParseWpsAuthName
    std::string encryption;  // name ("AES") or number as text: ParseWpsEncryptionName
    std::optional<std::string> ssidHex;  // the hex text when the SSID was given that way
};

struct WpsSettings {
    bool pbc = true;
    bool pin = true;
    std::string outcome = "credentials";  // credentials | eap-fail | wrong-nonce | no-integrity | silent
    std::optional<WpsCredentials> credentials;  // nullopt: the network's own
};

struct DhcpSettings {
    std::string mode = "address";  // address | autoconfig | none
    std::string address = "192.168.1.23";
    std::string gateway = "192.168.1.1";
};

struct NetworkSettings {
    std::string ssidBytes;  // the SSID as bytes (from "ssid" as UTF-8 or from "ssidHex")
    std::string bssid = "00:1A:2B:3C:4D:5E";
    int channel = 6;
    int auth = 7;    // DOT11_AUTH_ALGORITHM value
    int cipher = 4;  // DOT11_CIPHER_ALGORITHM value
    int signal = 92;
    std::string key;
    std::string bssType = "infrastructure";  // infrastructure | independent
    bool connectable = true;
    WpsSettings wps;
    DhcpSettings dhcp;
    bool gatewayAnswers = true;
    bool internet = true;
    bool hidden = false;
    bool present = true;
};

// The latest moment an event may be scheduled: 24 hours of virtual time into the run.
constexpr std::int64_t kMaxEventAtMs = 24LL * 60 * 60 * 1000;

struct EventSettings {
    std::int64_t atMs = 0;
    std::string what;                // "unplug", "plug", "wps-button", ...
    std::vector<std::string> args;   // e.g. the SSID
    int line = 0;
};

struct Scenario {
    std::string name = "default";
    OsSettings os;
    ProgramSettings program;
    // key path -> (value name -> data); keys as written ("HKLM\\Software\\...")
    std::map<std::string, std::map<std::string, std::string>> registry;
    AdapterSettings adapter;
    std::vector<DeviceSettings> devices;
    std::map<std::string, std::string> services = {
        {"wlansvc", "running"}, {"WZCSVC", "running"}, {"wltrysvc", "absent"}};
    std::vector<NetworkSettings> networks;
    std::vector<std::string> wlanProfiles;
    std::vector<EventSettings> events;
    std::string startTime = "2012-05-03T07:02:42";

    std::string sourceFile;  // where it came from ("<built-in>" for the default)
};

// Parses and validates a scenario; throws ScenarioError "file:line: reason".
Scenario ParseScenario(const std::string& text, const std::string& fileName);
Scenario LoadScenarioFile(const std::string& path);
// The built-in default PC (Windows 7 SP1 64-bit, administrator, English, adapter
// plugged in, a few networks).
Scenario DefaultScenario();

}  // namespace sim
