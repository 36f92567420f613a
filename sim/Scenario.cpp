#include "sim/Scenario.h"

#include "platform/WlanLibrary.h"
#include "sim/HostFile.h"
#include "sim/JsonReader.h"
#include "sim/RegistryStore.h"
#include "sim/ScenarioValues.h"
#include "sim/Words.h"
#include "sim/WorldEvents.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string_view>
#include <utility>
#include <variant>

namespace sim {
namespace {

using namespace json;

constexpr std::size_t kMaxNetworks = 1000;

// ---------------------------------------------------------------------------------------
// The schema: walks the JSON tree into a Scenario, checking every key and value.

class ScenarioReader {
public:
    explicit ScenarioReader(const std::string& file) : m_file(file) {}

    Scenario Read(const JsonValue& root);

private:
    // Handlers take the value and its key (for the messages).
    using V = const JsonValue&;
    using K = const std::string&;
    using Handler = std::function<void(V, K)>;
    using Handlers = std::vector<std::pair<std::string_view, Handler>>;

    [[noreturn]] void FailAt(int line, const std::string& reason) const { Fail(m_file, line, reason); }

    // Runs the handler of every member of an object; a key without one is an error.
    void Members(const JsonValue& object, const std::string& where, const Handlers& handlers) const {
        if (object.kind != JsonValue::Kind::Object)
            FailAt(object.line, where.empty() ? "a scenario must be a JSON object"
                                              : Quoted(where) + " must be an object");
        for (const JsonMember& member : object.members) {
            const Handler* handler = nullptr;
            for (const auto& [key, h] : handlers)
                if (key == member.key) handler = &h;
            if (!handler)
                FailAt(member.line, "unknown key " + Quoted(member.key) +
                                        (where.empty() ? " at the top level" : " in " + Quoted(where)));
            (*handler)(member.value, member.key);
        }
    }

    const std::string& String(const JsonValue& v, const std::string& key) const {
        if (v.kind != JsonValue::Kind::String) FailAt(v.line, Quoted(key) + " must be a string");
        return v.text;
    }
    bool Bool(const JsonValue& v, const std::string& key) const {
        if (v.kind != JsonValue::Kind::Bool) FailAt(v.line, Quoted(key) + " must be true or false");
        return v.boolean;
    }
    int Integer(const JsonValue& v, const std::string& key, int min, int max) const {
        if (v.kind != JsonValue::Kind::Number || !v.integer || *v.integer < min || *v.integer > max)
            FailAt(v.line, Quoted(key) + " must be a number from " + std::to_string(min) + " to " +
                               std::to_string(max));
        return static_cast<int>(*v.integer);
    }
    std::string Choice(const JsonValue& v, const std::string& key,
                       const std::vector<std::string_view>& choices) const {
        for (std::string_view choice : choices)
            if (v.kind == JsonValue::Kind::String && v.text == choice) return v.text;
        std::string list;
        for (std::string_view choice : choices) list += (list.empty() ? "" : ", ") + Quoted(choice);
        FailAt(v.line, Quoted(key) + " must be one of " + list);
    }
    std::optional<std::string> NullOrString(const JsonValue& v, const std::string& key) const {
        if (v.kind == JsonValue::Kind::Null) return std::nullopt;
        if (v.kind != JsonValue::Kind::String) FailAt(v.line, Quoted(key) + " must be null or a string");
        return v.text;
    }
    const std::vector<JsonValue>& Array(const JsonValue& v, const std::string& key) const {
        if (v.kind != JsonValue::Kind::Array) FailAt(v.line, Quoted(key) + " must be an array");
        return v.items;
    }
    std::string Ipv4(const JsonValue& v, const std::string& key, bool emptyAllowed) const {
        const std::string& text = String(v, key);
        if (!IsIpv4(text) && !(emptyAllowed && text.empty()))
            FailAt(v.line, Quoted(key) + " must be an IPv4 address such as \"192.168.1.23\"" +
                               (emptyAllowed ? " or \"\"" : ""));
        return text;
    }
    // A name of the table, its number as a JSON number, or its number as text.
    int Algorithm(const JsonValue& v, const std::string& key, std::span<const NamedValue> names) const {
        std::optional<int> value;
        if (v.kind == JsonValue::Kind::String) value = ValueByName(names, v.text);
        if (v.kind == JsonValue::Kind::Number && v.integer && *v.integer >= 0 && *v.integer <= INT_MAX)
            value = static_cast<int>(*v.integer);
        if (!value) FailAt(v.line, Quoted(key) + " must be one of " + NameList(names) + " or a number");
        return *value;
    }
    std::string Ssid(const JsonValue& v, const std::string& key) const {
        const std::string& text = String(v, key);
        if (text.size() > 32) FailAt(v.line, Quoted(key) + " is longer than 32 bytes");
        return text;
    }
    std::string SsidHex(const JsonValue& v, const std::string& key, bool limit) const {
        const auto bytes = HexBytes(String(v, key));
        if (!bytes) FailAt(v.line, Quoted(key) + " must be an even number of hex digits");
        if (limit && bytes->size() > 32) FailAt(v.line, Quoted(key) + " is longer than 32 bytes");
        return *bytes;
    }

    Handler Text(std::string& target) const {
        return [this, &target](V v, K key) { target = String(v, key); };
    }
    Handler Flag(bool& target) const {
        return [this, &target](V v, K key) { target = Bool(v, key); };
    }
    Handler Number(int& target, int min, int max) const {
        return [this, &target, min, max](V v, K key) {
            target = Integer(v, key, min, max);
        };
    }
    Handler OneOf(std::string& target, std::initializer_list<std::string_view> choices) const {
        return [this, &target, list = std::vector<std::string_view>(choices)](V v, K key) {
            target = Choice(v, key, list);
        };
    }
    Handler Address(std::string& target, bool emptyAllowed) const {
        return [this, &target, emptyAllowed](V v, K key) { target = Ipv4(v, key, emptyAllowed); };
    }

    void ReadOs(const JsonValue& v, OsSettings& os) const;
    void ReadRegistry(const JsonValue& v, Scenario& scenario) const;
    NetworkSettings ReadNetwork(const JsonValue& v, const std::string& where, bool& bssidGiven) const;
    WpsCredentials ReadCredentials(const JsonValue& v, const std::string& where,
                                   const NetworkSettings& network) const;
    EventSettings ReadEvent(const JsonValue& v, const std::string& where) const;
    void CheckEventNetworks(const Scenario& scenario) const;

    const std::string& m_file;
};

void ScenarioReader::ReadOs(const JsonValue& v, OsSettings& os) const {
    bool majorGiven = false;
    Members(v, "os", {
        {"version", [&](V x, K k) {
             os.version = String(x, k);
             if (!DottedNumbers(os.version, 2, 65535))
                 FailAt(x.line, Quoted(k) + " must be \"major.minor\", such as \"6.1\"");
         }},
        {"build", Number(os.build, 0, INT_MAX)},
        {"servicePack", Text(os.servicePack)},
        {"servicePackMajor", [&](V x, K k) {
             os.servicePackMajor = Integer(x, k, 0, 65535);
             majorGiven = true;
         }},
        {"servicePackMinor", Number(os.servicePackMinor, 0, 65535)},
        {"arch", OneOf(os.arch, {"x86", "x64", "ia64"})},
        {"admin", Flag(os.admin)},
        {"uiLanguage", Number(os.uiLanguage, 1, 65535)},
        {"systemLanguage", Number(os.systemLanguage, 1, 65535)},
        {"ansiCodePage", Number(os.ansiCodePage, 1, 65535)},
        {"wlanApi", [&](V x, K k) {
             if (x.kind == JsonValue::Kind::String && (x.text == "present" || x.text == "missing")) {
                 os.wlanApi = x.text;
                 os.wlanApiExports.clear();
                 return;
             }
             if (x.kind != JsonValue::Kind::Array)
                 FailAt(x.line, Quoted(k) + " must be \"present\", \"missing\" or an array of "
                                            "exported names");
             os.wlanApi = "list";
             os.wlanApiExports.clear();
             for (const JsonValue& item : x.items) {
                 const std::string& name = String(item, k);
                 bool known = false;
                 for (std::string_view function : kWlanFunctionNames) known = known || name == function;
                 if (!known) FailAt(item.line, Quoted(name) + " is not a function of the wireless API");
                 for (const std::string& other : os.wlanApiExports)
                     if (other == name) FailAt(item.line, Quoted(name) + " is listed twice");
                 os.wlanApiExports.push_back(name);
             }
         }},
        {"dpi", Number(os.dpi, 48, 960)},
        {"browserVersion", Text(os.browserVersion)},
        {"comspec", Text(os.comspec)},
    });
    if (!majorGiven) os.servicePackMajor = ServicePackNumber(os.servicePack);
}

void ScenarioReader::ReadRegistry(const JsonValue& v, Scenario& scenario) const {
    if (v.kind != JsonValue::Kind::Object) FailAt(v.line, "\"registry\" must be an object");
    for (const JsonMember& key : v.members) {
        // The same keys as the machine's registry file holds.
        if (const std::string problem = RegistryStore::KeyProblem(key.key); !problem.empty())
            FailAt(key.line, "registry key " + Quoted(key.key) + " " + problem);
        if (key.value.kind != JsonValue::Kind::Object)
            FailAt(key.value.line,
                   "registry key " + Quoted(key.key) + " must be an object of value names and texts");
        auto& values = scenario.registry[key.key];
        for (const JsonMember& value : key.value.members) values[value.key] = String(value.value, value.key);
    }
}

// Left out of a network: the BSSID is made up from the network's place in the list (see
// Read), channel 6, RSNA_PSK with CCMP, signal 92, no key, infrastructure, connectable,
// both WPS modes answering with the network's own credentials, DHCP giving 192.168.1.23
// with gateway 192.168.1.1, gateway and internet answering, not hidden, present.
NetworkSettings ScenarioReader::ReadNetwork(const JsonValue& v, const std::string& where,
                                            bool& bssidGiven) const {
    NetworkSettings network;
    bssidGiven = false;
    const JsonValue* ssidValue = nullptr;
    const JsonValue* ssidHexValue = nullptr;
    const JsonValue* credentials = nullptr;
    Members(v, where, {
        {"ssid", [&](V x, K k) {
             network.ssidBytes = Ssid(x, k);
             ssidValue = &x;
         }},
        {"ssidHex", [&](V x, K k) {
             network.ssidBytes = SsidHex(x, k, true);
             ssidHexValue = &x;
         }},
        {"bssid", [&](V x, K k) {
             const auto bssid = BssidText(String(x, k));
             if (!bssid)
                 FailAt(x.line, Quoted(k) + " must be six hex pairs with colons, such as "
                                            "\"00:1A:2B:3C:4D:5E\"");
             network.bssid = *bssid;
             bssidGiven = true;
         }},
        {"channel", [&](V x, K k) {
             if (x.kind == JsonValue::Kind::Number && x.integer &&
                 ((*x.integer >= 1 && *x.integer <= 14) || (*x.integer >= 36 && *x.integer <= 165)))
                 network.channel = static_cast<int>(*x.integer);
             else
                 FailAt(x.line, Quoted(k) + " must be a number from 1 to 14 or from 36 to 165");
         }},
        {"auth", [&](V x, K k) { network.auth = Algorithm(x, k, AuthNames()); }},
        {"cipher", [&](V x, K k) { network.cipher = Algorithm(x, k, CipherNames()); }},
        {"signal", Number(network.signal, 0, 100)},
        {"key", Text(network.key)},
        {"bssType", OneOf(network.bssType, {"infrastructure", "independent"})},
        {"connectable", Flag(network.connectable)},
        {"wps", [&](V x, K) {
             Members(x, where + ".wps", {
                 {"pbc", Flag(network.wps.pbc)},
                 {"pin", Flag(network.wps.pin)},
                 {"outcome", OneOf(network.wps.outcome,
                                   {"credentials", "eap-fail", "wrong-nonce", "no-integrity", "silent"})},
                 {"credentials", [&](V c, K k) {
                      if (c.kind == JsonValue::Kind::Null) credentials = nullptr;
                      else if (c.kind == JsonValue::Kind::Object) credentials = &c;
                      else FailAt(c.line, Quoted(k) + " must be null or an object");
                  }},
             });
         }},
        {"dhcp", [&](V x, K k) {
             if (x.kind == JsonValue::Kind::String && (x.text == "autoconfig" || x.text == "none")) {
                 network.dhcp.mode = x.text;
                 return;
             }
             if (x.kind != JsonValue::Kind::Object)
                 FailAt(x.line, Quoted(k) + " must be an object, \"autoconfig\" or \"none\"");
             network.dhcp.mode = "address";
             Members(x, where + ".dhcp", {
                 {"address", Address(network.dhcp.address, false)},
                 {"gateway", Address(network.dhcp.gateway, true)},
             });
         }},
        {"gatewayAnswers", Flag(network.gatewayAnswers)},
        {"internet", Flag(network.internet)},
        {"hidden", Flag(network.hidden)},
        {"present", Flag(network.present)},
    });
    if (ssidValue && ssidHexValue)
        FailAt(std::max(ssidValue->line, ssidHexValue->line), "give \"ssid\" or \"ssidHex\", not both");
    // Credentials are read last: what they leave out is the network's own.
    if (credentials)
        network.wps.credentials = ReadCredentials(*credentials, where + ".wps.credentials", network);
    return network;
}

// What the credentials leave out is the network's own SSID, key and security (in WPS
// numbering). Their SSID may be longer than 32 bytes: that is how a scenario tests a
// router that hands out one too long to convert.
WpsCredentials ScenarioReader::ReadCredentials(const JsonValue& v, const std::string& where,
                                               const NetworkSettings& network) const {
    WpsCredentials c;
    c.ssid = network.ssidBytes;
    c.key = network.key;
    c.auth = NameOf(WpsAuthNames(), WpsAuthOf(network.auth));
    c.encryption = NameOf(WpsEncryptionNames(), WpsEncryptionOf(network.cipher));
    int ssidLine = 0;
    auto wpsNumber = [this](V x, K k, auto parse, const std::string& names) {
        if (x.kind == JsonValue::Kind::Number && x.integer && *x.integer >= 0 && *x.integer <= INT_MAX)
            return std::to_string(*x.integer);
        if (x.kind != JsonValue::Kind::String || !parse(x.text))
            FailAt(x.line, Quoted(k) + " must be one of " + names + " or a number");
        return x.text;
    };
    Members(v, where, {
        {"ssid", [&](V x, K k) {
             if (ssidLine) FailAt(x.line, "give \"ssid\" or \"ssidHex\", not both");
             c.ssid = String(x, k);
             ssidLine = x.line;
         }},
        {"ssidHex", [&](V x, K k) {
             if (ssidLine) FailAt(x.line, "give \"ssid\" or \"ssidHex\", not both");
             c.ssid = SsidHex(x, k, false);
             c.ssidHex = x.text;
             ssidLine = x.line;
         }},
        {"key", Text(c.key)},
        {"auth", [&](V x, K k) {
             c.auth = wpsNumber(x, k, ParseWpsAuthName, NameList(WpsAuthNames()));
         }},
        {"encryption", [&](V x, K k) {
             c.encryption = wpsNumber(x, k, ParseWpsEncryptionName, NameList(WpsEncryptionNames()));
         }},
    });
    return c;
}

EventSettings ScenarioReader::ReadEvent(const JsonValue& v, const std::string& where) const {
    EventSettings event;
    Members(v, where, {
        {"at", [&](V x, K k) {
             std::optional<std::int64_t> ms;
             if (x.kind == JsonValue::Kind::Number && x.integer && *x.integer >= 0) ms = *x.integer;
             if (x.kind == JsonValue::Kind::String) ms = ParseDurationMs(x.text);
             if (!ms)
                 FailAt(x.line, Quoted(k) + " must be a duration such as \"500ms\", \"3s\", \"2m\" or a "
                                            "number of milliseconds");
             if (*ms > kMaxEventAtMs) FailAt(x.line, Quoted(k) + " must be at most 24 hours into the run");
             event.atMs = *ms;
         }},
        {"do", [&](V x, K k) {
             event.line = x.line;
             auto split = SplitWords(String(x, k));
             if (auto* reason = std::get_if<std::string>(&split)) FailAt(x.line, Quoted(k) + ": " + *reason);
             auto& words = std::get<std::vector<Word>>(split);
             if (words.empty()) FailAt(x.line, Quoted(k) + " names no event");
             event.what = words.front().value;
             for (std::size_t i = 1; i < words.size(); ++i) event.args.push_back(words[i].value);
             const WorldEventSpelling* spelling = words.front().quoted ? nullptr : FindWorldEvent(event.what);
             if (!spelling) FailAt(x.line, "unknown event " + Quoted(event.what));
             const std::string what = "event " + Quoted(event.what);
             if (spelling->arg == WorldEventArg::None && !event.args.empty())
                 FailAt(x.line, what + " takes no arguments");
             if (spelling->arg == WorldEventArg::Ssid && event.args.size() != 1)
                 FailAt(x.line, what + " takes one SSID in double quotes");
             if (spelling->arg == WorldEventArg::OnOff &&
                 (event.args.size() != 1 || (event.args[0] != "on" && event.args[0] != "off")))
                 FailAt(x.line, what + " takes on or off");
         }},
    });
    if (event.what.empty()) FailAt(v.line, "an event needs \"do\"");
    return event;
}

// An event that names a router must name one of the scenario's networks, so that a
// misspelt SSID does not silently do nothing.
void ScenarioReader::CheckEventNetworks(const Scenario& scenario) const {
    for (const EventSettings& event : scenario.events) {
        const WorldEventSpelling* spelling = FindWorldEvent(event.what);
        if (!spelling || spelling->arg != WorldEventArg::Ssid) continue;
        bool found = false;
        for (const NetworkSettings& network : scenario.networks)
            found = found || network.ssidBytes == event.args[0];
        if (!found)
            FailAt(event.line, "event " + Quoted(event.what) + " names no network of this scenario: " +
                                   Quoted(event.args[0]));
    }
}

Scenario ScenarioReader::Read(const JsonValue& root) {
    Scenario s;
    std::vector<bool> bssidGiven;
    bool networksGiven = false;
    Members(root, "", {
        {"name", [&](V x, K k) {
             // The name is also the machine's folder name.
             s.name = String(x, k);
             if (s.name.empty() || s.name == "." || s.name == ".." ||
                 s.name.find_first_of("/\\:*?\"<>|") != std::string::npos)
                 FailAt(x.line, Quoted(k) + " must be a non-empty name that can be a folder name");
         }},
        {"os", [&](V x, K) { ReadOs(x, s.os); }},
        {"program", [&](V x, K) {
             Members(x, "program", {
                 {"path", Text(s.program.path)},
                 {"fileVersion", [&](V f, K k) {
                      s.program.fileVersion = String(f, k);
                      if (!s.program.fileVersion.empty() && !DottedNumbers(s.program.fileVersion, 4, 65535))
                          FailAt(f.line, Quoted(k) + " must be \"\" or four numbers with dots, such as "
                                                     "\"1.0.0.4\"");
                  }},
                 {"hwidIni", [&](V h, K k) { s.program.hwidIni = NullOrString(h, k); }},
             });
         }},
        {"registry", [&](V x, K) { ReadRegistry(x, s); }},
        {"adapter", [&](V x, K) {
             AdapterSettings& a = s.adapter;
             Members(x, "adapter", {
                 {"hardwareId", Text(a.hardwareId)},
                 {"description", Text(a.description)},
                 {"plugged", Flag(a.plugged)},
                 {"driverInstalled", Flag(a.driverInstalled)},
                 {"netCfgInstanceId", Text(a.netCfgInstanceId)},
                 {"interfaceGuid", Text(a.interfaceGuid)},
                 {"address", [&](V d, K k) {
                      a.address = String(d, k);
                      if (a.address != "dhcp" && !IsIpv4(a.address))
                          FailAt(d.line, Quoted(k) + " must be \"dhcp\" or an IPv4 address");
                  }},
                 {"connectedTo", [&](V c, K k) {
                      a.connectedTo = NullOrString(c, k);
                      if (a.connectedTo && a.connectedTo->size() > 32)
                          FailAt(c.line, Quoted(k) + " is longer than 32 bytes");
                  }},
             });
         }},
        {"devices", [&](V x, K k) {
             for (const JsonValue& item : Array(x, k)) {
                 DeviceSettings& d = s.devices.emplace_back();
                 Members(item, "devices[" + std::to_string(s.devices.size() - 1) + "]", {
                     {"hardwareId", Text(d.hardwareId)},
                     {"description", Text(d.description)},
                     {"netCfgInstanceId", Text(d.netCfgInstanceId)},
                     {"address", Address(d.address, true)},
                     {"gateway", Address(d.gateway, true)},
                 });
             }
         }},
        {"services", [&](V x, K k) {
             // Services left out keep their default state.
             if (x.kind != JsonValue::Kind::Object) FailAt(x.line, Quoted(k) + " must be an object");
             for (const JsonMember& service : x.members) {
                 if (service.key.empty()) FailAt(service.line, "a service needs a name");
                 s.services[service.key] =
                     Choice(service.value, service.key, {"running", "stopped", "absent"});
             }
         }},
        {"networks", [&](V x, K k) {
             // Far more than any scan shows; it keeps the BSSIDs made up below unique.
             networksGiven = true;
             if (Array(x, k).size() > kMaxNetworks)
                 FailAt(x.line, Quoted(k) + " may list at most " + std::to_string(kMaxNetworks) + " networks");
             for (const JsonValue& item : Array(x, k)) {
                 bool given = false;
                 const std::string where = "networks[" + std::to_string(s.networks.size()) + "]";
                 s.networks.push_back(ReadNetwork(item, where, given));
                 bssidGiven.push_back(given);
             }
         }},
        {"wlanProfiles", [&](V x, K k) {
             for (const JsonValue& item : Array(x, k)) {
                 if (item.kind != JsonValue::Kind::String)
                     FailAt(item.line, Quoted(k) + " must be an array of strings");
                 s.wlanProfiles.push_back(item.text);
             }
         }},
        {"events", [&](V x, K k) {
             for (const JsonValue& item : Array(x, k))
                 s.events.push_back(ReadEvent(item, "events[" + std::to_string(s.events.size()) + "]"));
         }},
        {"startTime", [&](V x, K k) {
             s.startTime = String(x, k);
             if (!ParseStartTime(s.startTime))
                 FailAt(x.line, Quoted(k) + " must be \"YYYY-MM-DDTHH:MM:SS\", such as "
                                            "\"2012-05-03T07:02:42\"");
         }},
    });

    // A network without a BSSID gets 00:1A:2B:3C:4D:<index>, skipping any in use, so every
    // access point has its own and the same file always gives the same ones.
    std::set<std::string> used;
    for (std::size_t i = 0; i < s.networks.size(); ++i)
        if (bssidGiven[i]) used.insert(s.networks[i].bssid);
    for (std::size_t i = 0; i < s.networks.size(); ++i) {
        if (bssidGiven[i]) continue;
        for (unsigned n = 0x4D00 + static_cast<unsigned>(i);; ++n) {
            char text[18];
            std::snprintf(text, sizeof text, "00:1A:2B:3C:%02X:%02X", (n >> 8) & 0xFF, n & 0xFF);
            if (used.insert(text).second) {
                s.networks[i].bssid = text;
                break;
            }
        }
    }
    // Without the key the PC has the built-in PC's networks around it.
    if (!networksGiven) s.networks = DefaultScenario().networks;
    CheckEventNetworks(s);
    return s;
}

NetworkSettings DefaultNetwork(std::string ssid, std::string bssid, int channel, int auth, int cipher,
                               int signal, std::string key) {
    NetworkSettings n;
    n.ssidBytes = std::move(ssid);
    n.bssid = std::move(bssid);
    n.channel = channel;
    n.auth = auth;
    n.cipher = cipher;
    n.signal = signal;
    n.key = std::move(key);
    return n;
}

}  // namespace

Scenario ParseScenario(const std::string& text, const std::string& fileName) {
    const JsonValue root = ReadJsonDocument(text, fileName);
    Scenario scenario = ScenarioReader(fileName).Read(root);
    scenario.sourceFile = fileName;
    return scenario;
}

Scenario LoadScenarioFile(const std::string& path) {
    std::string text;
    try {
        text = ReadHostFile(path, kMaxLabFileBytes);
    } catch (const HostFileError& e) {
        throw ScenarioError(e.what());
    }
    return ParseScenario(text, path);
}

Scenario DefaultScenario() {
    Scenario s;
    s.networks = {
        DefaultNetwork("Home", "00:1A:2B:3C:4D:5E", 6, 7, 4, 92, "correct horse"),
        DefaultNetwork("Cafe Guest", "00:1A:2B:3C:4D:61", 11, 1, 0, 60, ""),
        DefaultNetwork("Neighbour", "00:1A:2B:3C:4D:62", 1, 4, 2, 35, "tulip garden 7"),
        DefaultNetwork("OldRouter", "00:1A:2B:3C:4D:63", 3, 1, 0x101, 48, "abcde"),
    };
    s.sourceFile = "<built-in>";
    return s;
}

}  // namespace sim
