#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "sim/Scenario.h"

namespace {

// The message of the ScenarioError the text gives, or "" when it parses.
std::string ErrorOf(const std::string& text) {
    try {
        sim::ParseScenario(text, "pc.json");
    } catch (const sim::ScenarioError& e) {
        return e.what();
    }
    return "";
}

struct BadCase {
    const char* name;
    const char* text;
    const char* error;
};

class ScenarioErrorTest : public testing::TestWithParam<BadCase> {};

TEST_P(ScenarioErrorTest, ReportsFileLineAndReason) {
    EXPECT_EQ(ErrorOf(GetParam().text), GetParam().error);
}

const BadCase kBadCases[] = {
    // Keys
    {"UnknownTopLevelKey", "{\n  \"name\": \"x\",\n  \"nmae\": \"y\"\n}",
     "pc.json:3: unknown key \"nmae\" at the top level"},
    {"UnknownAdapterKey", "{\n \"adapter\": {\n  \"plugged\": true,\n  \"adaptr\": 1\n }\n}",
     "pc.json:4: unknown key \"adaptr\" in \"adapter\""},
    {"UnknownWpsKey",
     R"({ "networks": [
  { "ssid": "A" },
  { "ssid": "B",
    "wps": { "pbc": true,
             "pbcc": false } } ] })",
     "pc.json:5: unknown key \"pbcc\" in \"networks[1].wps\""},
    {"UnknownCredentialsKey",
     "{\"networks\": [{\"wps\": {\"credentials\": {\n\"password\": \"x\"}}}]}",
     "pc.json:2: unknown key \"password\" in \"networks[0].wps.credentials\""},
    {"UnknownEventKey", "{\"events\": [\n{\"at\": 5, \"do\": \"plug\",\n \"when\": 3}]}",
     "pc.json:3: unknown key \"when\" in \"events[0]\""},
    {"UnknownDeviceKey", "{\"devices\": [{},\n {\"ip\": \"1.2.3.4\"}]}",
     "pc.json:2: unknown key \"ip\" in \"devices[1]\""},
    {"DuplicateKey", "{\"os\": {\"dpi\": 96,\n \"dpi\": 120}}", "pc.json:2: duplicate key \"dpi\""},

    // Types; the line is the value's when it stands on a line of its own
    {"BoolAsText", "{\"os\": {\n\"admin\": \"yes\"}}", "pc.json:2: \"admin\" must be true or false"},
    {"NumberAsText", "{\"os\": {\"build\":\n  \"7601\"}}",
     "pc.json:2: \"build\" must be a number from 0 to 2147483647"},
    {"FractionForInteger", "{\"os\": {\"dpi\": 96.5}}", "pc.json:1: \"dpi\" must be a number from 48 to 960"},
    {"ObjectAsArray", "{\n\"os\": []}", "pc.json:2: \"os\" must be an object"},
    {"NetworksNotArray", "{\"networks\": {}}", "pc.json:1: \"networks\" must be an array"},
    {"NetworkNotObject", "{\"networks\": [\n  {},\n  \"Home\"]}", "pc.json:3: \"networks[1]\" must be an object"},
    {"HwidIniNumber", "{\"program\": {\"hwidIni\": 5}}", "pc.json:1: \"hwidIni\" must be null or a string"},
    {"ConnectedToBool", "{\"adapter\": {\"connectedTo\": false}}",
     "pc.json:1: \"connectedTo\" must be null or a string"},
    {"ProfileNotText", "{\"wlanProfiles\": [\"Home\",\n 7]}", "pc.json:2: \"wlanProfiles\" must be an array of strings"},
    {"RootNotObject", "\n[1, 2]", "pc.json:2: a scenario must be a JSON object"},

    // Values
    {"BadArch", "{\"os\": {\n \"arch\": \"amd64\"}}", "pc.json:2: \"arch\" must be one of \"x86\", \"x64\", \"ia64\""},
    {"BadVersion", "{\"os\": {\"version\": \"6\"}}", "pc.json:1: \"version\" must be \"major.minor\", such as \"6.1\""},
    {"LanguageZero", "{\"os\": {\"uiLanguage\": 0}}", "pc.json:1: \"uiLanguage\" must be a number from 1 to 65535"},
    {"LanguageTooBig", "{\"os\": {\"systemLanguage\": 65536}}",
     "pc.json:1: \"systemLanguage\" must be a number from 1 to 65535"},
    {"WlanApiWord", "{\"os\": {\"wlanApi\": \"absent\"}}",
     "pc.json:1: \"wlanApi\" must be \"present\", \"missing\" or an array of exported names"},
    {"WlanApiUnknownName", "{\"os\": {\"wlanApi\": [\"WlanOpenHandle\",\n \"WlanRegisterNotification\"]}}",
     "pc.json:2: \"WlanRegisterNotification\" is not a function of the wireless API"},
    {"WlanApiTwice", "{\"os\": {\"wlanApi\": [\"WlanScan\", \"WlanScan\"]}}", "pc.json:1: \"WlanScan\" is listed twice"},
    {"FileVersionShort", "{\"program\": {\"fileVersion\": \"1.0\"}}",
     "pc.json:1: \"fileVersion\" must be \"\" or four numbers with dots, such as \"1.0.0.4\""},
    {"AdapterAddress", "{\"adapter\": {\"address\": \"auto\"}}",
     "pc.json:1: \"address\" must be \"dhcp\" or an IPv4 address"},
    {"ServiceState", "{\"services\": {\"wlansvc\": \"running\",\n \"WZCSVC\": \"paused\"}}",
     "pc.json:2: \"WZCSVC\" must be one of \"running\", \"stopped\", \"absent\""},
    {"RegistryHive", "{\"registry\": {\n \"HKLN\\\\Software\": {}}}",
     "pc.json:2: registry key \"HKLN\\Software\" must begin with HKLM, HKCU, HKCR, HKU, HKCC or their long names"},
    {"RegistryEmptyName", "{\"registry\": {\n \"HKLM\\\\a\\\\\\\\b\": {}}}",
     "pc.json:2: registry key \"HKLM\\a\\\\b\" has an empty name between two backslashes"},
    {"RegistryValueNumber", "{\"registry\": {\"HKLM\\\\Software\\\\Tesra\": {\n \"language\": 1033}}}",
     "pc.json:2: \"language\" must be a string"},
    {"StartTimeNoDay", "{\"startTime\": \"2012-02-30T07:02:42\"}",
     "pc.json:1: \"startTime\" must be \"YYYY-MM-DDTHH:MM:SS\", such as \"2012-05-03T07:02:42\""},
    {"EmptyName", "{\"name\": \"\"}", "pc.json:1: \"name\" must be a non-empty name that can be a folder name"},
    {"NameWithSlash", "{\"name\": \"a/b\"}", "pc.json:1: \"name\" must be a non-empty name that can be a folder name"},

    // Networks
    {"BssidShort", "{\"networks\": [{\n\"bssid\": \"00:1A:2B:3C:4D\"}]}",
     "pc.json:2: \"bssid\" must be six hex pairs with colons, such as \"00:1A:2B:3C:4D:5E\""},
    {"BssidDashes", "{\"networks\": [{\"bssid\": \"00-1A-2B-3C-4D-5E\"}]}",
     "pc.json:1: \"bssid\" must be six hex pairs with colons, such as \"00:1A:2B:3C:4D:5E\""},
    {"BssidNotHex", "{\"networks\": [{\"bssid\": \"00:1A:2B:3C:4D:5G\"}]}",
     "pc.json:1: \"bssid\" must be six hex pairs with colons, such as \"00:1A:2B:3C:4D:5E\""},
    {"SsidOver32Bytes", "{\"networks\": [\n{\"ssid\": \"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456\"}]}",
     "pc.json:2: \"ssid\" is longer than 32 bytes"},
    {"SsidOver32BytesOfUtf8", "{\"networks\": [{\"ssid\": \"\\u00e9\\u00e9\\u00e9\\u00e9\\u00e9\\u00e9\\u00e9\\u00e9"
                              "\\u00e9\\u00e9\\u00e9\\u00e9\\u00e9\\u00e9\\u00e9\\u00e9x\"}]}",
     "pc.json:1: \"ssid\" is longer than 32 bytes"},
    {"SsidHexOdd", "{\"networks\": [{\"ssidHex\": \"4142F\"}]}",
     "pc.json:1: \"ssidHex\" must be an even number of hex digits"},
    {"SsidHexNotHex", "{\"networks\": [{\"ssidHex\": \"41 42\"}]}",
     "pc.json:1: \"ssidHex\" must be an even number of hex digits"},
    {"SsidHexOver32Bytes",
     "{\"networks\": [{\"ssidHex\": \"000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F20\"}]}",
     "pc.json:1: \"ssidHex\" is longer than 32 bytes"},
    {"SsidAndSsidHex", "{\"networks\": [{\"ssid\": \"A\",\n \"ssidHex\": \"41\"}]}",
     "pc.json:2: give \"ssid\" or \"ssidHex\", not both"},
    {"ChannelBetweenBands", "{\"networks\": [{\"channel\": 15}]}",
     "pc.json:1: \"channel\" must be a number from 1 to 14 or from 36 to 165"},
    {"ChannelZero", "{\"networks\": [{\"channel\": 0}]}",
     "pc.json:1: \"channel\" must be a number from 1 to 14 or from 36 to 165"},
    {"AuthName", "{\"networks\": [{\"auth\": \"WPA2\"}]}",
     "pc.json:1: \"auth\" must be one of OPEN, SHARED_KEY, WPA, WPA_PSK, WPA_NONE, RSNA, RSNA_PSK or a number"},
    {"CipherName", "{\"networks\": [{\"cipher\": \"AES\"}]}",
     "pc.json:1: \"cipher\" must be one of NONE, WEP40, TKIP, CCMP, WEP104, WEP or a number"},
    {"SignalOver100", "{\"networks\": [{\"signal\": 101}]}", "pc.json:1: \"signal\" must be a number from 0 to 100"},
    {"SignalAsText", "{\"networks\": [{\"signal\": \"92\"}]}", "pc.json:1: \"signal\" must be a number from 0 to 100"},
    {"BssType", "{\"networks\": [{\"bssType\": \"adhoc\"}]}",
     "pc.json:1: \"bssType\" must be one of \"infrastructure\", \"independent\""},
    {"WpsOutcome", "{\"networks\": [{\"wps\": {\"outcome\": \"fail\"}}]}",
     "pc.json:1: \"outcome\" must be one of \"credentials\", \"eap-fail\", \"wrong-nonce\", \"no-integrity\", "
     "\"silent\""},
    {"CredentialsText", "{\"networks\": [{\"wps\": {\"credentials\": \"Home\"}}]}",
     "pc.json:1: \"credentials\" must be null or an object"},
    {"CredentialsAuth", "{\"networks\": [{\"wps\": {\"credentials\": {\"auth\": \"WPA3-Personal\"}}}]}",
     "pc.json:1: \"auth\" must be one of Open, WPA-Personal, Shared, WPA-Enterprise, WPA2-Enterprise, "
     "WPA2-Personal or a number"},
    {"CredentialsEncryption", "{\"networks\": [{\"wps\": {\"credentials\": {\"encryption\": \"CCMP\"}}}]}",
     "pc.json:1: \"encryption\" must be one of None, WEP, TKIP, AES or a number"},
    {"DhcpWord", "{\"networks\": [{\"dhcp\": \"static\"}]}",
     "pc.json:1: \"dhcp\" must be an object, \"autoconfig\" or \"none\""},
    {"DhcpAddress", "{\"networks\": [{\"dhcp\": {\n\"address\": \"192.168.1.300\"}}]}",
     "pc.json:2: \"address\" must be an IPv4 address such as \"192.168.1.23\""},
    {"DhcpUnknownKey", "{\"networks\": [{\"dhcp\": {\"mask\": \"255.255.255.0\"}}]}",
     "pc.json:1: unknown key \"mask\" in \"networks[0].dhcp\""},

    // Events
    {"DurationWithBlank", "{\"events\": [\n{\"at\": \"20 s\", \"do\": \"plug\"}]}",
     "pc.json:2: \"at\" must be a duration such as \"500ms\", \"3s\", \"2m\" or a number of milliseconds"},
    {"DurationFraction", "{\"events\": [{\"at\": \"1.5s\", \"do\": \"plug\"}]}",
     "pc.json:1: \"at\" must be a duration such as \"500ms\", \"3s\", \"2m\" or a number of milliseconds"},
    {"DurationHours", "{\"events\": [{\"at\": \"1h\", \"do\": \"plug\"}]}",
     "pc.json:1: \"at\" must be a duration such as \"500ms\", \"3s\", \"2m\" or a number of milliseconds"},
    {"DurationNegative", "{\"events\": [{\"at\": -5, \"do\": \"plug\"}]}",
     "pc.json:1: \"at\" must be a duration such as \"500ms\", \"3s\", \"2m\" or a number of milliseconds"},
    {"UnknownEventWord", "{\"events\": [{\"at\": \"1s\",\n \"do\": \"explode\"}]}",
     "pc.json:2: unknown event \"explode\""},
    {"EventWithoutDo", "{\"events\": [\n {\"at\": \"1s\"}]}", "pc.json:2: an event needs \"do\""},
    {"EventEmptyDo", "{\"events\": [{\"do\": \"  \"}]}", "pc.json:1: \"do\" names no event"},
    {"PlugWithArgument", "{\"events\": [{\"do\": \"plug now\"}]}", "pc.json:1: event \"plug\" takes no arguments"},
    {"InternetMaybe", "{\"events\": [{\"do\": \"internet maybe\"}]}", "pc.json:1: event \"internet\" takes on or off"},
    {"WpsButtonTwoSsids", "{\"events\": [{\"do\": \"wps-button \\\"A\\\" \\\"B\\\"\"}]}",
     "pc.json:1: event \"wps-button\" takes one SSID in double quotes"},
    {"EventQuoteNotClosed", "{\"events\": [{\"do\": \"router-pin \\\"Home\"}]}",
     "pc.json:1: \"do\": unterminated text"},
    {"EventTooLate", "{\"events\": [{\"at\": 9223372036854775807, \"do\": \"plug\"}]}",
     "pc.json:1: \"at\" must be at most 24 hours into the run"},
    {"EventTooLateInMinutes", "{\"events\": [{\"at\": \"1441m\", \"do\": \"plug\"}]}",
     "pc.json:1: \"at\" must be at most 24 hours into the run"},
    {"EventNamesNoNetwork",
     "{\"networks\": [{\"ssid\": \"Home\"}],\n \"events\": [{\"at\": \"3s\",\n  \"do\": \"network-off \\\"Hoem\\\"\"}]}",
     "pc.json:3: event \"network-off\" names no network of this scenario: \"Hoem\""},

    // Syntax
    {"EmptyFile", "\n\n", "pc.json:3: the file is empty"},
    {"MissingComma", "{\n  \"name\": \"a\"\n  \"os\": {}\n}", "pc.json:3: expected \",\" or \"}\""},
    {"MissingColon", "{\n  \"name\" \"a\"\n}", "pc.json:2: expected \":\" after the key \"name\""},
    {"TrailingCommaInObject", "{\n  \"name\": \"a\",\n}", "pc.json:2: trailing comma before \"}\""},
    {"TrailingCommaInArray", "{\"wlanProfiles\": [\n \"a\",\n \"b\",\n ]}", "pc.json:3: trailing comma before \"]\""},
    {"TextNotClosed", "{\n \"name\": \"abc\n}", "pc.json:2: a text in double quotes is not closed"},
    {"BareWord", "{\"os\": {\n \"arch\": x64}}",
     "pc.json:2: unexpected word \"x64\" (texts are written in double quotes)"},
    {"SingleBackslash", "{\"os\": {\n \"comspec\": \"C:\\Windows\\cmd.exe\"}}",
     "pc.json:2: unknown escape \"\\W\" in a text (a backslash is written \"\\\\\")"},
    {"ObjectNotClosed", "{\n \"os\": {\n  \"dpi\": 96\n", "pc.json:4: unexpected end of the file, the object opened on line 2 is not closed"},
    {"TextAfterEnd", "{}\n{}", "pc.json:2: unexpected text after the end of the scenario"},
    {"BadNumber", "{\"os\": {\"dpi\": 096}}", "pc.json:1: bad number \"096\""},
    {"MissingValue", "{\"os\": {\"dpi\": }}", "pc.json:1: a value is missing before \"}\""},
    {"SingleQuotes", "{'name': 'a'}", "pc.json:1: expected a key in double quotes"},
    {"CommentNotClosed", "{\n /* a comment\n\n", "pc.json:2: a /* comment is not closed"},
    // Comments count their lines.
    {"LineAfterComments", "{ // the PC\n /* first\n    second */\n \"os\": { \"arch\": // which\n   \"arm\" } }",
     "pc.json:5: \"arch\" must be one of \"x86\", \"x64\", \"ia64\""},
};

INSTANTIATE_TEST_SUITE_P(Malformed, ScenarioErrorTest, testing::ValuesIn(kBadCases),
                         [](const testing::TestParamInfo<BadCase>& info) { return std::string(info.param.name); });

TEST(ScenarioTest, EmptyObjectGivesTheDefaults) {
    const sim::Scenario s = sim::ParseScenario("{}", "empty.json");
    EXPECT_EQ(s.sourceFile, "empty.json");
    EXPECT_EQ(s.name, "default");
    EXPECT_EQ(s.os.version, "6.1");
    EXPECT_EQ(s.os.build, 7601);
    EXPECT_EQ(s.os.servicePack, "Service Pack 1");
    EXPECT_EQ(s.os.servicePackMajor, 1);
    EXPECT_EQ(s.os.servicePackMinor, 0);
    EXPECT_EQ(s.os.arch, "x64");
    EXPECT_TRUE(s.os.admin);
    EXPECT_EQ(s.os.uiLanguage, 1033);
    EXPECT_EQ(s.os.systemLanguage, 1033);
    EXPECT_EQ(s.os.ansiCodePage, 1252);
    EXPECT_EQ(s.os.wlanApi, "present");
    EXPECT_TRUE(s.os.wlanApiExports.empty());
    EXPECT_EQ(s.os.dpi, 96);
    EXPECT_EQ(s.os.browserVersion, "8.0.7601.17514");
    EXPECT_EQ(s.os.comspec, "C:\\Windows\\system32\\cmd.exe");
    EXPECT_EQ(s.program.path, "D:\\TesraConnect.exe");
    EXPECT_EQ(s.program.fileVersion, "1.0.0.4");
    EXPECT_FALSE(s.program.hwidIni.has_value());
    EXPECT_TRUE(s.registry.empty());
    EXPECT_EQ(s.adapter.hardwareId, "USB\\VID_1E2C&PID_003B");
    EXPECT_TRUE(s.adapter.plugged);
    EXPECT_FALSE(s.adapter.driverInstalled);
    EXPECT_EQ(s.adapter.address, "dhcp");
    EXPECT_FALSE(s.adapter.connectedTo.has_value());
    EXPECT_TRUE(s.devices.empty());
    const std::map<std::string, std::string> services = {
        {"wlansvc", "running"}, {"WZCSVC", "running"}, {"wltrysvc", "absent"}};
    EXPECT_EQ(s.services, services);
    // The networks of the built-in PC are around it.
    std::vector<std::string> ssids;
    for (const sim::NetworkSettings& n : s.networks) ssids.push_back(n.ssidBytes);
    EXPECT_EQ(ssids, (std::vector<std::string>{"Home", "Cafe Guest", "Neighbour", "OldRouter"}));
    EXPECT_TRUE(s.wlanProfiles.empty());
    EXPECT_TRUE(s.events.empty());
    EXPECT_EQ(s.startTime, "2012-05-03T07:02:42");
}

// The example of the lab's scenario format, comments and all.
const char* const kLabExample = R"({
  "name": "default",
  "os": {
    "version": "6.1", "build": 7601, "servicePack": "Service Pack 1",
    "servicePackMajor": 1, "servicePackMinor": 0,   // default: read from "Service Pack N"
    "arch": "x64",                  // x86 | x64 | ia64
    "admin": true,
    "uiLanguage": 1033,             // GetUserDefaultUILanguage
    "systemLanguage": 1033,         // GetSystemDefaultLangID
    "ansiCodePage": 1252,
    "wlanApi": "present",           // present | missing | or a list of the exported names
    "dpi": 96,
    "browserVersion": "8.0.7601.17514",
    "comspec": "C:\\Windows\\system32\\cmd.exe"
  },
  "program": {
    "path": "D:\\TesraConnect.exe", "fileVersion": "1.0.0.4",
    "hwidIni": null                 // null: the disc's own file; "": no file; else its text
  },
  "registry": {                     // values present before the run
    "HKLM\\Software\\Tesra Systems\\Tesra connect\\Metrics\\AdapterSetup": {
      "adapter": "QW4100", "Software": "1004", "language": "1033" }
  },
  "adapter": {
    "hardwareId": "USB\\VID_1E2C&PID_003B",
    "description": "Korvana QW4100 Wireless-N USB Adapter",
    "plugged": true,                // at the start of the run
    "driverInstalled": false,       // the driver package is not in place yet
    "netCfgInstanceId": "{5C4A2B1E-0D6F-4E8A-9B3C-7A1D2E3F4051}",
    "interfaceGuid": "{5C4A2B1E-0D6F-4E8A-9B3C-7A1D2E3F4051}",
    "address": "dhcp",              // what the adapter gets once associated
    "connectedTo": null             // an SSID the adapter is associated with at the start
  },
  "devices": [                      // other present network-class devices, in order
    { "hardwareId": "PCI\\VEN_8086&DEV_10D3", "description": "Ethernet",
      "netCfgInstanceId": "{...}", "address": "10.0.0.5", "gateway": "10.0.0.1" }
  ],
  "services": { "wlansvc": "running", "WZCSVC": "running", "wltrysvc": "absent" },
  "networks": [
    { "ssid": "Home", "bssid": "00:1A:2B:3C:4D:5E", "channel": 6,
      "auth": "RSNA_PSK", "cipher": "CCMP", "signal": 92, "key": "correct horse",
      "bssType": "infrastructure", "connectable": true,
      "wps": { "pbc": true, "pin": true,
               "outcome": "credentials",   // credentials | eap-fail | wrong-nonce | no-integrity | silent
               "credentials": null },      // null: this network's own SSID, key and security
      "dhcp": { "address": "192.168.1.23", "gateway": "192.168.1.1" },
      "gatewayAnswers": true, "internet": true,
      "hidden": false,              // true: the scan shows it with an empty SSID
      "present": true }             // false: out of range until `world network-on`
  ],
  "wlanProfiles": [],               // SSIDs the wireless service already has a profile for
  "events": [ { "at": "20s", "do": "unplug" } ],
  "startTime": "2012-05-03T07:02:42"   // virtual wall clock at the start
})";

TEST(ScenarioTest, ReadsTheLabExample) {
    const sim::Scenario s = sim::ParseScenario(kLabExample, "example.json");
    EXPECT_EQ(s.name, "default");
    EXPECT_EQ(s.os.comspec, "C:\\Windows\\system32\\cmd.exe");
    EXPECT_EQ(s.os.servicePackMajor, 1);
    EXPECT_EQ(s.program.path, "D:\\TesraConnect.exe");
    EXPECT_FALSE(s.program.hwidIni.has_value());
    const std::map<std::string, std::map<std::string, std::string>> registry = {
        {"HKLM\\Software\\Tesra Systems\\Tesra connect\\Metrics\\AdapterSetup",
         {{"adapter", "QW4100"}, {"Software", "1004"}, {"language", "1033"}}}};
    EXPECT_EQ(s.registry, registry);
    EXPECT_EQ(s.adapter.description, "Korvana QW4100 Wireless-N USB Adapter");
    EXPECT_EQ(s.adapter.interfaceGuid, "{5C4A2B1E-0D6F-4E8A-9B3C-7A1D2E3F4051}");
    ASSERT_EQ(s.devices.size(), 1u);
    EXPECT_EQ(s.devices[0].hardwareId, "PCI\\VEN_8086&DEV_10D3");
    EXPECT_EQ(s.devices[0].description, "Ethernet");
    EXPECT_EQ(s.devices[0].netCfgInstanceId, "{...}");
    EXPECT_EQ(s.devices[0].address, "10.0.0.5");
    EXPECT_EQ(s.devices[0].gateway, "10.0.0.1");
    ASSERT_EQ(s.networks.size(), 1u);
    const sim::NetworkSettings& home = s.networks[0];
    EXPECT_EQ(home.ssidBytes, "Home");
    EXPECT_EQ(home.bssid, "00:1A:2B:3C:4D:5E");
    EXPECT_EQ(home.channel, 6);
    EXPECT_EQ(home.auth, 7);
    EXPECT_EQ(home.cipher, 4);
    EXPECT_EQ(home.signal, 92);
    EXPECT_EQ(home.key, "correct horse");
    EXPECT_TRUE(home.wps.pbc);
    EXPECT_TRUE(home.wps.pin);
    EXPECT_EQ(home.wps.outcome, "credentials");
    EXPECT_FALSE(home.wps.credentials.has_value());
    EXPECT_EQ(home.dhcp.mode, "address");
    EXPECT_EQ(home.dhcp.address, "192.168.1.23");
    EXPECT_EQ(home.dhcp.gateway, "192.168.1.1");
    EXPECT_TRUE(home.present);
    EXPECT_FALSE(home.hidden);
    ASSERT_EQ(s.events.size(), 1u);
    EXPECT_EQ(s.events[0].atMs, 20000);
    EXPECT_EQ(s.events[0].what, "unplug");
    EXPECT_TRUE(s.events[0].args.empty());
    EXPECT_EQ(s.events[0].line, 52);
    EXPECT_EQ(s.startTime, "2012-05-03T07:02:42");
}

TEST(ScenarioTest, ReadsOtherValuesThanTheDefaults) {
    const sim::Scenario s = sim::ParseScenario(R"({
      "name": "xp-sp2",
      "os": { "version": "5.1", "build": 2600, "servicePack": "Service Pack 2", "arch": "x86",
              "admin": false, "uiLanguage": 1031, "systemLanguage": 1031, "ansiCodePage": 1252,
              "dpi": 120 },
      "program": { "fileVersion": "", "hwidIni": "" },
      "adapter": { "plugged": false, "driverInstalled": true, "address": "10.1.1.9",
                   "connectedTo": "Home" },
      "services": { "WZCSVC": "stopped" },
      "networks": [
        { "ssid": "Caf\u00e9", "auth": "OPEN", "cipher": "WEP", "dhcp": "autoconfig",
          "bssType": "independent", "connectable": false, "hidden": true, "present": false,
          "gatewayAnswers": false, "internet": false },
        { "ssid": "B", "auth": 4, "cipher": "0x2", "dhcp": "none" }
      ],
      "wlanProfiles": ["Home", "Work"],
      "startTime": "2000-02-29T23:59:59"
    })", "xp.json");
    EXPECT_EQ(s.name, "xp-sp2");
    EXPECT_EQ(s.os.version, "5.1");
    EXPECT_EQ(s.os.servicePackMajor, 2);
    EXPECT_EQ(s.os.arch, "x86");
    EXPECT_FALSE(s.os.admin);
    EXPECT_EQ(s.os.uiLanguage, 1031);
    EXPECT_EQ(s.os.dpi, 120);
    EXPECT_EQ(s.program.fileVersion, "");
    EXPECT_EQ(s.program.hwidIni, std::optional<std::string>(""));
    EXPECT_FALSE(s.adapter.plugged);
    EXPECT_TRUE(s.adapter.driverInstalled);
    EXPECT_EQ(s.adapter.address, "10.1.1.9");
    EXPECT_EQ(s.adapter.connectedTo, std::optional<std::string>("Home"));
    // A service left out keeps its default state.
    EXPECT_EQ(s.services.at("WZCSVC"), "stopped");
    EXPECT_EQ(s.services.at("wlansvc"), "running");
    EXPECT_EQ(s.services.at("wltrysvc"), "absent");
    ASSERT_EQ(s.networks.size(), 2u);
    EXPECT_EQ(s.networks[0].ssidBytes, "Caf\xC3\xA9");
    EXPECT_EQ(s.networks[0].auth, 1);
    EXPECT_EQ(s.networks[0].cipher, 0x101);
    EXPECT_EQ(s.networks[0].dhcp.mode, "autoconfig");
    EXPECT_EQ(s.networks[0].bssType, "independent");
    EXPECT_FALSE(s.networks[0].connectable);
    EXPECT_TRUE(s.networks[0].hidden);
    EXPECT_FALSE(s.networks[0].present);
    EXPECT_FALSE(s.networks[0].gatewayAnswers);
    EXPECT_FALSE(s.networks[0].internet);
    EXPECT_EQ(s.networks[1].auth, 4);
    EXPECT_EQ(s.networks[1].cipher, 2);
    EXPECT_EQ(s.networks[1].dhcp.mode, "none");
    EXPECT_EQ(s.wlanProfiles, (std::vector<std::string>{"Home", "Work"}));
    EXPECT_EQ(s.startTime, "2000-02-29T23:59:59");
}

TEST(ScenarioTest, SsidHexGivesTheBytes) {
    const sim::Scenario s = sim::ParseScenario(R"({ "networks": [
        { "ssidHex": "00ff41e9" },
        { "ssidHex": "" },
        { "ssidHex": "4142434445464748494A4B4C4D4E4F505152535455565758595A303132333435" },
        { "ssid": "\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9" }
      ] })", "hex.json");
    ASSERT_EQ(s.networks.size(), 4u);
    EXPECT_EQ(s.networks[0].ssidBytes, std::string("\x00\xFF\x41\xE9", 4));
    EXPECT_EQ(s.networks[1].ssidBytes, "");
    EXPECT_EQ(s.networks[2].ssidBytes, "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345");  // 32 bytes: the most there is
    EXPECT_EQ(s.networks[3].ssidBytes.size(), 32u);
}

TEST(ScenarioTest, ServicePackMajorIsReadFromTheServicePackUnlessGiven) {
    const struct {
        const char* os;
        int major;
    } cases[] = {
        {R"({"servicePack": "Service Pack 3"})", 3},
        {R"({"servicePack": "Service Pack 2, v.3244"})", 2},
        {R"({"servicePack": ""})", 0},
        {R"({"servicePack": "Beta"})", 0},
        {R"({"servicePackMajor": 5, "servicePack": "Service Pack 1"})", 5},
        {R"({"servicePack": "Service Pack 1", "servicePackMajor": 0})", 0},
        {R"({"version": "6.0"})", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.os);
        EXPECT_EQ(sim::ParseScenario(std::string("{\"os\": ") + c.os + "}", "sp.json").os.servicePackMajor, c.major);
    }
}

TEST(ScenarioTest, WlanApiIsPresentMissingOrAList) {
    EXPECT_EQ(sim::ParseScenario(R"({"os": {"wlanApi": "missing"}})", "a.json").os.wlanApi, "missing");
    EXPECT_EQ(sim::ParseScenario(R"({"os": {"wlanApi": "present"}})", "a.json").os.wlanApi, "present");

    const sim::Scenario s = sim::ParseScenario(
        R"({"os": {"wlanApi": ["WlanOpenHandle", "WlanCloseHandle", "WlanQueryInterface"]}})", "a.json");
    EXPECT_EQ(s.os.wlanApi, "list");
    EXPECT_EQ(s.os.wlanApiExports,
              (std::vector<std::string>{"WlanOpenHandle", "WlanCloseHandle", "WlanQueryInterface"}));

    const sim::Scenario none = sim::ParseScenario(R"({"os": {"wlanApi": []}})", "a.json");
    EXPECT_EQ(none.os.wlanApi, "list");
    EXPECT_TRUE(none.os.wlanApiExports.empty());

    const sim::Scenario all = sim::ParseScenario(R"({"os": {"wlanApi": [
        "WlanOpenHandle", "WlanCloseHandle", "WlanFreeMemory", "WlanEnumInterfaces", "WlanScan",
        "WlanGetAvailableNetworkList", "WlanConnect", "WlanDeleteProfile", "WlanSetProfile",
        "WlanDisconnect", "WlanQueryInterface"]}})", "a.json");
    EXPECT_EQ(all.os.wlanApiExports.size(), 11u);
}

TEST(ScenarioTest, NetworkDefaultsAndMadeUpBssids) {
    const sim::Scenario s = sim::ParseScenario(R"({ "networks": [
        { "ssid": "A" },
        { "ssid": "B", "bssid": "00:1a:2b:3c:4d:00" },
        { "ssid": "C" }
      ] })", "n.json");
    ASSERT_EQ(s.networks.size(), 3u);
    const sim::NetworkSettings& a = s.networks[0];
    EXPECT_EQ(a.channel, 6);
    EXPECT_EQ(a.auth, 7);
    EXPECT_EQ(a.cipher, 4);
    EXPECT_EQ(a.signal, 92);
    EXPECT_EQ(a.key, "");
    EXPECT_EQ(a.bssType, "infrastructure");
    EXPECT_TRUE(a.connectable);
    EXPECT_TRUE(a.wps.pbc);
    EXPECT_EQ(a.wps.outcome, "credentials");
    EXPECT_FALSE(a.wps.credentials.has_value());
    EXPECT_EQ(a.dhcp.mode, "address");
    EXPECT_TRUE(a.present);
    // Written BSSIDs are kept (in capitals); made-up ones avoid them and each other.
    EXPECT_EQ(s.networks[1].bssid, "00:1A:2B:3C:4D:00");
    EXPECT_EQ(s.networks[0].bssid, "00:1A:2B:3C:4D:01");
    EXPECT_EQ(s.networks[2].bssid, "00:1A:2B:3C:4D:02");
    // The same file gives the same BSSIDs.
    const sim::Scenario again = sim::ParseScenario(R"({ "networks": [{}, {}] })", "n.json");
    EXPECT_EQ(again.networks[0].bssid, "00:1A:2B:3C:4D:00");
    EXPECT_EQ(again.networks[1].bssid, "00:1A:2B:3C:4D:01");
}

TEST(ScenarioTest, CredentialsLeftOutAreTheNetworksOwn) {
    const sim::Scenario s = sim::ParseScenario(R"({ "networks": [
        { "ssid": "Home", "key": "correct horse", "auth": "WPA_PSK", "cipher": "TKIP",
          "wps": { "credentials": { "key": "other key" } } },
        { "ssid": "Long", "wps": { "outcome": "silent", "pbc": false,
          "credentials": { "ssidHex": "41424344454647484950515253545556575859606162636465666768697071727374",
                           "auth": 32, "encryption": "0x0008" } } },
        { "ssid": "Open", "auth": "OPEN", "cipher": "NONE", "wps": { "credentials": {} } }
      ] })", "wps.json");
    ASSERT_EQ(s.networks.size(), 3u);
    ASSERT_TRUE(s.networks[0].wps.credentials.has_value());
    const sim::WpsCredentials& home = *s.networks[0].wps.credentials;
    EXPECT_EQ(home.ssid, "Home");
    EXPECT_EQ(home.key, "other key");
    EXPECT_EQ(home.auth, "WPA-Personal");
    EXPECT_EQ(home.encryption, "TKIP");
    EXPECT_FALSE(home.ssidHex.has_value());

    ASSERT_TRUE(s.networks[1].wps.credentials.has_value());
    const sim::WpsCredentials& longer = *s.networks[1].wps.credentials;
    EXPECT_EQ(s.networks[1].wps.outcome, "silent");
    EXPECT_FALSE(s.networks[1].wps.pbc);
    EXPECT_EQ(longer.ssid.size(), 34u);  // the router may hand out more than an SSID holds
    EXPECT_EQ(longer.ssid.substr(0, 4), "ABCD");
    EXPECT_EQ(longer.ssidHex, std::optional<std::string>(
                                  "41424344454647484950515253545556575859606162636465666768697071727374"));
    EXPECT_EQ(sim::ParseWpsAuthName(longer.auth), 0x20);
    EXPECT_EQ(sim::ParseWpsEncryptionName(longer.encryption), 0x08);

    const sim::WpsCredentials& open = *s.networks[2].wps.credentials;
    EXPECT_EQ(open.auth, "Open");
    EXPECT_EQ(open.encryption, "None");
    EXPECT_EQ(open.key, "");
}

TEST(ScenarioTest, EventsSplitTheirWordsAsTheScriptLanguageDoes) {
    const sim::Scenario s = sim::ParseScenario(R"({
      "networks": [ { "ssid": "Caf\u00e9 \"2\"" }, { "ssid": "C:\\Net" }, { "ssid": "#1" } ],
      "events": [
        { "at": "500ms", "do": "plug" },
        { "at": 1500, "do": "wps-button \"Caf\u00e9 \\\"2\\\"\"" },
        { "at": "2m", "do": "  internet   off " },
        { "at": "3s", "do": "network-off \"C:\\Net\"" },
        { "do": "router-pin \"C:\\\\Net\"" },
        { "at": "7",
          "do": "gateway on" },
        { "do": "network-on \"#1\" # a comment, as in a script" }
      ] })", "ev.json");
    ASSERT_EQ(s.events.size(), 7u);
    // `#` starts a comment outside a text and is a character inside one.
    EXPECT_EQ(s.events[6].args, (std::vector<std::string>{"#1"}));
    EXPECT_EQ(s.events[0].atMs, 500);
    EXPECT_EQ(s.events[0].what, "plug");
    EXPECT_EQ(s.events[1].atMs, 1500);
    EXPECT_EQ(s.events[1].what, "wps-button");
    EXPECT_EQ(s.events[1].args, (std::vector<std::string>{"Caf\xC3\xA9 \"2\""}));
    EXPECT_EQ(s.events[2].atMs, 120000);
    EXPECT_EQ(s.events[2].args, (std::vector<std::string>{"off"}));
    // A backslash before anything but an escape letter stands for itself.
    EXPECT_EQ(s.events[3].args, (std::vector<std::string>{"C:\\Net"}));
    EXPECT_EQ(s.events[4].args, (std::vector<std::string>{"C:\\Net"}));
    EXPECT_EQ(s.events[4].atMs, 0);
    EXPECT_EQ(s.events[5].atMs, 7);
    EXPECT_EQ(s.events[5].what, "gateway");
    EXPECT_EQ(s.events[5].line, 10);
}

TEST(ScenarioTest, DefaultScenarioIsAWindows7PcWithFourNetworks) {
    const sim::Scenario s = sim::DefaultScenario();
    EXPECT_EQ(s.sourceFile, "<built-in>");
    EXPECT_EQ(s.os.version, "6.1");
    EXPECT_EQ(s.os.servicePack, "Service Pack 1");
    EXPECT_EQ(s.os.arch, "x64");
    EXPECT_TRUE(s.os.admin);
    EXPECT_EQ(s.os.uiLanguage, 1033);
    EXPECT_TRUE(s.adapter.plugged);
    EXPECT_FALSE(s.adapter.driverInstalled);
    ASSERT_EQ(s.networks.size(), 4u);
    const struct {
        const char* ssid;
        int auth, cipher, signal;
        const char* key;
    } expected[] = {{"Home", 7, 4, 92, "correct horse"},
                    {"Cafe Guest", 1, 0, 60, ""},
                    {"Neighbour", 4, 2, 35, nullptr},
                    {"OldRouter", 1, 0x101, 48, "abcde"}};
    std::set<std::string> bssids;
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(expected[i].ssid);
        EXPECT_EQ(s.networks[i].ssidBytes, expected[i].ssid);
        EXPECT_EQ(s.networks[i].auth, expected[i].auth);
        EXPECT_EQ(s.networks[i].cipher, expected[i].cipher);
        EXPECT_EQ(s.networks[i].signal, expected[i].signal);
        if (expected[i].key) {
            EXPECT_EQ(s.networks[i].key, expected[i].key);
        }
        bssids.insert(s.networks[i].bssid);
    }
    EXPECT_EQ(bssids.size(), 4u);
}

TEST(ScenarioTest, LoadScenarioFileReadsTheFileAndNamesItInErrors) {
    EXPECT_THROW(
        {
            try {
                sim::LoadScenarioFile("/nonexistent/dir/pc.json");
            } catch (const sim::ScenarioError& e) {
                EXPECT_STREQ(e.what(), "/nonexistent/dir/pc.json: No such file or directory");
                throw;
            }
        },
        sim::ScenarioError);

    const std::filesystem::path dir = std::filesystem::path(testing::TempDir()) / "scenario-test";
    std::filesystem::create_directories(dir);
    try {
        sim::LoadScenarioFile(dir.string());
        ADD_FAILURE() << "a folder was read as a scenario";
    } catch (const sim::ScenarioError& e) {
        EXPECT_EQ(std::string(e.what()), dir.string() + ": is a directory");
    }
    const std::string good = (dir / "good.json").string();
    std::ofstream(good) << "// a PC\n{ \"name\": \"lab-pc\", \"os\": { \"arch\": \"x86\" } }\n";
    const sim::Scenario s = sim::LoadScenarioFile(good);
    EXPECT_EQ(s.name, "lab-pc");
    EXPECT_EQ(s.os.arch, "x86");
    EXPECT_EQ(s.sourceFile, good);

    const std::string bad = (dir / "bad.json").string();
    std::ofstream(bad) << "{\n  \"os\": {\n    \"arhc\": \"x86\" } }\n";
    try {
        sim::LoadScenarioFile(bad);
        ADD_FAILURE() << "no error";
    } catch (const sim::ScenarioError& e) {
        EXPECT_EQ(std::string(e.what()), bad + ":3: unknown key \"arhc\" in \"os\"");
    }
    std::filesystem::remove_all(dir);
}

// Large inputs cost time in proportion to their size, and limits are reported.
TEST(ScenarioTest, LargeInputsAreReadInLinearTimeOrRefused) {
    // 50,000 keys in one object, the last one repeated: found without comparing every pair.
    std::string values;
    for (int i = 0; i < 50000; ++i) values += "\"v" + std::to_string(i) + "\": \"x\",\n";
    EXPECT_EQ(ErrorOf("{\"registry\": {\"HKLM\\\\A\": {\n" + values + "\"v49999\": \"y\"}}}"),
              "pc.json:50002: duplicate key \"v49999\"");

    const std::string longName(256, 'k');
    EXPECT_EQ(ErrorOf("{\"registry\": {\"HKCU\\\\" + longName + "\": {}}}"),
              "pc.json:1: registry key \"HKCU\\" + longName + "\" has a name longer than 255 characters");

    std::string networks;
    for (int i = 0; i < 1001; ++i) networks += i ? ",{}" : "{}";
    EXPECT_EQ(ErrorOf("{\n\"networks\": [" + networks + "]}"), "pc.json:2: \"networks\" may list at most 1000 networks");
    networks.resize(networks.size() - 3);
    std::set<std::string> bssids;
    for (const auto& n : sim::ParseScenario("{\"networks\": [" + networks + "]}", "pc.json").networks)
        bssids.insert(n.bssid);
    EXPECT_EQ(bssids.size(), 1000u);
}

TEST(ScenarioHelpersTest, ParseDurationMs) {
    const struct {
        const char* text;
        std::optional<std::int64_t> ms;
    } cases[] = {
        {"500ms", 500}, {"3s", 3000}, {"2m", 120000}, {"1500", 1500}, {"0", 0}, {"0s", 0},
        {"", std::nullopt}, {"ms", std::nullopt}, {"1.5s", std::nullopt}, {"-3s", std::nullopt},
        {"3 s", std::nullopt}, {" 3s", std::nullopt}, {"3h", std::nullopt}, {"3S", std::nullopt},
        {"99999999999999999999", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(sim::ParseDurationMs(c.text), c.ms);
    }
}

TEST(ScenarioHelpersTest, ParseAuthAndCipherNames) {
    const struct {
        const char* text;
        std::optional<int> auth, cipher;
    } cases[] = {
        {"OPEN", 1, std::nullopt},        {"SHARED_KEY", 2, std::nullopt}, {"WPA", 3, std::nullopt},
        {"WPA_PSK", 4, std::nullopt},     {"WPA_NONE", 5, std::nullopt},   {"RSNA", 6, std::nullopt},
        {"RSNA_PSK", 7, std::nullopt},    {"NONE", std::nullopt, 0},       {"WEP40", std::nullopt, 1},
        {"TKIP", std::nullopt, 2},        {"CCMP", std::nullopt, 4},       {"WEP104", std::nullopt, 5},
        {"WEP", std::nullopt, 0x101},     {"7", 7, 7},                     {"0x101", 0x101, 0x101},
        {"257", 257, 257},                {"rsna_psk", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt}, {"-1", std::nullopt, std::nullopt},
        {"0x", std::nullopt, std::nullopt}, {"4 ", std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(sim::ParseAuthName(c.text), c.auth);
        EXPECT_EQ(sim::ParseCipherName(c.text), c.cipher);
    }
}

TEST(ScenarioHelpersTest, ParseStartTime) {
    const struct {
        const char* text;
        std::optional<std::int64_t> ms;
    } cases[] = {
        {"1970-01-01T00:00:00", 0},
        {"2012-05-03T07:02:42", 1336028562000},
        {"2000-02-29T23:59:59", 951868799000},
        {"9999-12-31T23:59:59", 253402300799000},
        {"2100-02-29T00:00:00", std::nullopt},
        {"2012-13-01T00:00:00", std::nullopt},
        {"2012-04-31T00:00:00", std::nullopt},
        {"2012-05-03T24:00:00", std::nullopt},
        {"2012-05-03T07:60:00", std::nullopt},
        {"2012-05-03 07:02:42", std::nullopt},
        {"2012-05-03T07:02", std::nullopt},
        {"2012-5-3T07:02:42", std::nullopt},
        {"1969-12-31T23:59:59", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(sim::ParseStartTime(c.text), c.ms);
    }
}

TEST(ScenarioHelpersTest, ParseWpsNames) {
    EXPECT_EQ(sim::ParseWpsAuthName("WPA2-Personal"), 0x20);
    EXPECT_EQ(sim::ParseWpsAuthName("WPA-Personal"), 0x02);
    EXPECT_EQ(sim::ParseWpsAuthName("WPA2-Enterprise"), 0x10);
    EXPECT_EQ(sim::ParseWpsAuthName("0x0008"), 0x08);
    EXPECT_EQ(sim::ParseWpsAuthName("WPA3"), std::nullopt);
    EXPECT_EQ(sim::ParseWpsEncryptionName("AES"), 0x08);
    EXPECT_EQ(sim::ParseWpsEncryptionName("WEP"), 0x02);
    EXPECT_EQ(sim::ParseWpsEncryptionName("4"), 0x04);
    EXPECT_EQ(sim::ParseWpsEncryptionName("CCMP"), std::nullopt);
}

}  // namespace

TEST(ScenarioTest, AnEmptyNetworkListMeansNoNetworkAround) {
    EXPECT_TRUE(sim::ParseScenario(R"({"networks": []})", "none.json").networks.empty());
}
