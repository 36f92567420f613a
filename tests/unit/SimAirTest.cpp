// The simulated PC's wireless world as the wizard's operations meet it: the scan and the
// list, the profile documents the service takes or refuses, which connections associate,
// the addresses, the echoes and the command interpreter's ping.
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "platform/Platform.h"
#include "platform/Text.h"
#include "runtime/Runtime.h"
#include "sim/SimPC.h"
#include "sim/WlanProfileDoc.h"
#include "wlan/ProfileXml.h"

namespace fs = std::filesystem;

namespace {

const char* const kNs = "http://www.microsoft.com/networking/WLAN/profile/v1";

// A document the way the wizard writes one: one line, US-ASCII declared.
std::wstring Doc(const std::string& ssid, const std::string& auth, const std::string& enc, const std::string& keyType = "",
                 const std::string& key = "")
{
    std::string d = std::string("<?xml version=\"1.0\" encoding=\"US-ASCII\"?><WLANProfile xmlns=\"") + kNs + "\"><name>" +
                    ssid + "</name><SSIDConfig><SSID><name>" + ssid +
                    "</name></SSID><nonBroadcast>true</nonBroadcast></SSIDConfig><connectionType>ESS</connectionType>"
                    "<connectionMode>auto</connectionMode><autoSwitch>true</autoSwitch><MSM><security><authEncryption>"
                    "<authentication>" + auth + "</authentication><encryption>" + enc +
                    "</encryption><useOneX>false</useOneX></authEncryption>";
    if (!keyType.empty())
        d += "<sharedKey><keyType>" + keyType + "</keyType><protected>false</protected><keyMaterial>" + key +
             "</keyMaterial></sharedKey>";
    d += "</security></MSM></WLANProfile>";
    return std::wstring(d.begin(), d.end());
}

sim::NetworkSettings Net(const std::string& ssid, int auth, int cipher, const std::string& key, int signal = 80)
{
    sim::NetworkSettings n;
    n.ssidBytes = ssid;
    n.auth = auth;
    n.cipher = cipher;
    n.key = key;
    n.signal = signal;
    return n;
}

class SimAir : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("tc-air-" + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "disc");
        rt::Init(rt::ClockMode::Virtual, 0, 1.0);
        m_s = sim::DefaultScenario();
        m_s.adapter.driverInstalled = true;
    }
    void TearDown() override
    {
        m_pc.reset();
        rt::Shutdown();
        fs::remove_all(m_dir);
    }
    void Build()
    {
        m_pc.reset();
        m_pc = std::make_unique<sim::SimPC>(m_s, m_dir / std::to_string(m_n++), m_dir / "disc");
        ASSERT_EQ(Hw().WlanOpenHandle(2, &m_version, &m_h), 0u);
        m_guid = *GuidFromString(L"{5C4A2B1E-0D6F-4E8A-9B3C-7A1D2E3F4051}");
    }
    sim::SimHardware& Hw() { return m_pc->Hardware(); }
    std::vector<std::string> Listed()
    {
        WLAN_AVAILABLE_NETWORK_LIST* list = nullptr;
        EXPECT_EQ(Hw().WlanGetAvailableNetworkList(m_h, m_guid, 1, &list), 0u);
        std::vector<std::string> out;
        for (auto& n : list->Network)
            out.push_back(std::string(reinterpret_cast<char*>(n.dot11Ssid.ucSSID), n.dot11Ssid.uSSIDLength) +
                          (n.strProfileName.empty() ? "" : "*"));
        Hw().WlanFreeMemory(list);
        return out;
    }
    // Stores the document, asks to connect and waits for the decision.
    std::string ConnectWith(const std::wstring& doc, const std::wstring& name)
    {
        DWORD reason = 0;
        DWORD r = Hw().WlanSetProfile(m_h, m_guid, 0, doc, nullptr, TRUE, &reason);
        if (r != 0) return "refused " + std::to_string(r);
        EXPECT_EQ(Hw().WlanConnect(m_h, m_guid, WLAN_CONNECTION_PARAMETERS{0, name}), 0u);
        rt::Sleep(5000);
        return Associated();
    }
    std::string Associated()
    {
        DWORD size = 0;
        void* data = nullptr;
        DWORD r = Hw().WlanQueryInterface(m_h, m_guid, wlan_intf_opcode_current_connection, &size, &data, nullptr);
        if (r != 0) return std::to_string(r);
        auto* a = static_cast<WLAN_CONNECTION_ATTRIBUTES*>(data);
        std::string ssid(reinterpret_cast<char*>(a->wlanAssociationAttributes.dot11Ssid.ucSSID),
                         a->wlanAssociationAttributes.dot11Ssid.uSSIDLength);
        Hw().WlanFreeMemory(data);
        return ssid;
    }
    IP_ADAPTER_INFO Adapter()
    {
        std::vector<IP_ADAPTER_INFO> list;
        ULONG size = 0;
        EXPECT_EQ(Hw().GetAdaptersInfo(nullptr, &size), static_cast<DWORD>(ERROR_BUFFER_OVERFLOW));
        EXPECT_EQ(Hw().GetAdaptersInfo(&list, &size), 0u);
        for (auto& a : list)
            if (a.AdapterName == m_s.adapter.netCfgInstanceId) return a;
        return {};
    }

    fs::path m_dir;
    int m_n = 0;
    sim::Scenario m_s;
    std::unique_ptr<sim::SimPC> m_pc;
    WLAN_HANDLE m_h = 0;
    DWORD m_version = 0;
    GUID m_guid;
};

TEST_F(SimAir, TheListShowsTheNetworksInRangeInOrderAndAScanBringsChangesAtItsEnd)
{
    m_s.networks = {Net("Home", 7, 4, "correct horse", 92), Net("Secret", 7, 4, "x2345678"), Net("Far", 1, 0, "")};
    m_s.networks[1].hidden = true;
    m_s.networks[2].present = false;
    m_s.networks[2].bssType = "independent";
    Build();
    EXPECT_EQ(Listed(), (std::vector<std::string>{"Home", ""}));
    WLAN_AVAILABLE_NETWORK_LIST* list = nullptr;
    ASSERT_EQ(Hw().WlanGetAvailableNetworkList(m_h, m_guid, 1, &list), 0u);
    EXPECT_EQ(list->dwNumberOfItems, 2u);
    EXPECT_EQ(list->Network[0].wlanSignalQuality, 92u);
    EXPECT_EQ(list->Network[0].dot11DefaultAuthAlgorithm, 7u);
    EXPECT_EQ(list->Network[0].dot11DefaultCipherAlgorithm, 4u);
    EXPECT_TRUE(list->Network[0].bSecurityEnabled);
    Hw().WlanFreeMemory(list);

    ASSERT_TRUE(Hw().SetNetworkPresent("Far", true));
    EXPECT_FALSE(Hw().SetNetworkPresent("Nowhere", true));
    EXPECT_EQ(Listed(), (std::vector<std::string>{"Home", ""}));  // not until a scan has looked
    ASSERT_EQ(Hw().WlanScan(m_h, m_guid, nullptr, nullptr), 0u);
    rt::Sleep(500);
    EXPECT_EQ(Listed().size(), 2u);
    rt::Sleep(5000);
    EXPECT_EQ(Listed(), (std::vector<std::string>{"Home", "", "Far"}));
}

TEST_F(SimAir, ANetworkWithAProfileIsListedWithItAndAsItself)
{
    m_s.wlanProfiles = {"Home"};
    Build();
    EXPECT_EQ(Listed(), (std::vector<std::string>{"Home*", "Home", "Cafe Guest", "Neighbour", "OldRouter"}));
}

TEST_F(SimAir, EveryCallFailsCleanlyWithoutTheAdapterOrTheService)
{
    Build();
    WLAN_AVAILABLE_NETWORK_LIST* list = nullptr;
    Hw().Unplug();
    EXPECT_EQ(Hw().WlanScan(m_h, m_guid, nullptr, nullptr), static_cast<DWORD>(ERROR_NOT_FOUND));
    EXPECT_EQ(Hw().WlanGetAvailableNetworkList(m_h, m_guid, 1, &list), static_cast<DWORD>(ERROR_NOT_FOUND));
    EXPECT_EQ(Hw().WlanConnect(m_h, m_guid, WLAN_CONNECTION_PARAMETERS{0, L"Home"}), static_cast<DWORD>(ERROR_NOT_FOUND));
    Hw().Plug();
    EXPECT_EQ(Hw().WlanGetAvailableNetworkList(m_h + 99, m_guid, 1, &list), 6u);  // a handle never opened
    EXPECT_EQ(Associated(), "5023");
    SC_HANDLE scm = Hw().OpenSCManagerW(0);
    SC_HANDLE svc = Hw().OpenServiceW(scm, L"wlansvc", 0);
    ASSERT_TRUE(Hw().ControlService(svc, SERVICE_CONTROL_STOP, nullptr));
    EXPECT_EQ(Hw().WlanScan(m_h, m_guid, nullptr, nullptr), static_cast<DWORD>(ERROR_SERVICE_NOT_ACTIVE));
    DWORD reason = 0;
    EXPECT_EQ(Hw().WlanSetProfile(m_h, m_guid, 0, Doc("Cafe", "open", "none"), nullptr, TRUE, &reason),
              static_cast<DWORD>(ERROR_SERVICE_NOT_ACTIVE));
}

struct ProfileCase {
    const char* what;
    std::wstring doc;
    DWORD reason;  // 0: taken
};

TEST_F(SimAir, TheServiceTakesTheWizardsDocumentsAndRefusesMalformedOrUnknownOnes)
{
    const std::wstring good = Doc("Home", "WPA2PSK", "AES", "passPhrase", "correct horse");
    std::wstring noEnd = good.substr(0, good.size() - 5);
    std::wstring otherNs = good;
    otherNs.replace(otherNs.find(L"profile/v1"), 10, L"profile/v9");
    std::vector<ProfileCase> cases = {
        {"WPA2 personal", good, 0},
        {"open", Doc("Cafe Guest", "open", "none"), 0},
        {"WEP", Doc("OldRouter", "open", "WEP", "networkKey", "abcde"), 0},
        {"escaped name", Doc("A&amp;B &lt;x&gt; &quot;q&quot; &apos;", "open", "none"), 0},
        {"not closed", noEnd, WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA},
        {"raw ampersand", Doc("A&B", "open", "none"), WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA},
        {"other namespace", otherNs, WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA},
        {"empty name", Doc("", "open", "none"), WLAN_REASON_CODE_INVALID_PROFILE_NAME},
        {"unknown authentication", Doc("Home", "WPA3", "AES", "passPhrase", "correct horse"), WLAN_REASON_CODE_BAD_PROFILE},
        {"unknown encryption", Doc("Home", "WPA2PSK", "CCMP", "passPhrase", "correct horse"), WLAN_REASON_CODE_BAD_PROFILE},
        {"unknown key type", Doc("Home", "WPA2PSK", "AES", "password", "correct horse"), WLAN_REASON_CODE_BAD_PROFILE},
        {"open with AES", Doc("Home", "open", "AES", "passPhrase", "correct horse"), WLAN_REASON_CODE_BAD_PROFILE},
        {"SSID of 33 bytes", Doc(std::string(33, 'x'), "open", "none"), WLAN_REASON_CODE_BAD_PROFILE},
        {"document type", L"<!DOCTYPE x [<!ENTITY a \"b\">]>" + good, WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA},
    };
    Build();
    for (const ProfileCase& c : cases) {
        DWORD reason = 12345;
        DWORD r = Hw().WlanSetProfile(m_h, m_guid, 0, c.doc, nullptr, TRUE, &reason);
        EXPECT_EQ(r, c.reason ? static_cast<DWORD>(ERROR_BAD_PROFILE) : 0u) << c.what;
        EXPECT_EQ(reason, c.reason) << c.what;
        EXPECT_EQ(Hw().LastProfileDocument(), c.doc) << c.what;
    }
    auto parsed = sim::ParseWlanProfile(Doc("A&amp;B &lt;x&gt;", "WPA2PSK", "AES", "passPhrase", "a&amp;b&lt;&gt;&quot;&apos;zz"));
    ASSERT_TRUE(parsed.ok) << parsed.problem;
    EXPECT_EQ(parsed.profile.ssid, "A&B <x>");
    EXPECT_EQ(parsed.profile.keyMaterial, L"a&b<>\"'zz");
    // What the service writes for itself reads back the same.
    auto again = sim::ParseWlanProfile(sim::WriteWlanProfile(parsed.profile));
    ASSERT_TRUE(again.ok) << again.problem;
    EXPECT_EQ(again.profile.ssid, parsed.profile.ssid);
    EXPECT_EQ(again.profile.keyMaterial, parsed.profile.keyMaterial);
}

TEST(SimAirProfiles, TheServiceReadsBackWhatTheWizardsBuilderWrites)
{
    std::wstring everyKey;
    for (wchar_t c = 0x20; c < 0x7F; ++c) everyKey += c;
    const std::wstring ssids[] = {L"Home", L"<&\"'> x", L"Caf\u00e9", L"\t tab"};
    const std::wstring keys[] = {L"correct horse", std::wstring(64, L'a'), L"abcde", everyKey, L"a&b" + std::wstring(57, L'x')};
    for (DWORD auth = 0; auth <= 8; ++auth)
        for (DWORD cipher : {0u, 1u, 2u, 4u, 5u, 0x100u, 0x101u})
            for (const std::wstring& ssid : ssids)
                for (const std::wstring& key : keys) {
                    std::wstring xml;
                    ASSERT_TRUE(BuildWLANProfileXml(key, ssid, cipher, auth, xml));
                    auto parsed = sim::ParseWlanProfile(xml);
                    std::string where = "auth " + std::to_string(auth) + " cipher " + std::to_string(cipher);
                    std::string a = sim::AuthenticationWord(auth), e = sim::EncryptionWord(cipher);
                    bool pairAllowed = (a == "open" || a.empty()) ? (e == "none" || e == "WEP" || e.empty()) : e != "none" && e != "WEP" && !e.empty();
                    if (a == "shared") pairAllowed = e == "WEP";
                    // The builder writes AES for WEP-40 and WEP-104 and "none" for unknown ciphers.
                    if (cipher == 1 || cipher == 5) pairAllowed = a != "open" && a != "shared" && !a.empty();
                    if (!pairAllowed) {
                        EXPECT_FALSE(parsed.ok) << where;
                        EXPECT_EQ(parsed.reasonCode, WLAN_REASON_CODE_BAD_PROFILE) << where << ": " << parsed.problem;
                        continue;
                    }
                    ASSERT_TRUE(parsed.ok) << where << ": " << parsed.problem;
                    EXPECT_EQ(parsed.profile.name, ssid);
                    EXPECT_EQ(Utf8ToWide(parsed.profile.ssid), ssid);
                    if (parsed.profile.hasKey) {
                        EXPECT_EQ(parsed.profile.keyMaterial, key) << where;
                    }
                }
}

TEST_F(SimAir, AnExistingProfileIsKeptWithoutOverwriteAndCanBeDeleted)
{
    m_s.wlanProfiles = {"Home"};
    Build();
    DWORD reason = 0;
    const std::wstring doc = Doc("Home", "WPA2PSK", "AES", "passPhrase", "correct horse");
    EXPECT_EQ(Hw().WlanSetProfile(m_h, m_guid, 0, doc, nullptr, FALSE, &reason), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(Hw().WlanDeleteProfile(m_h, m_guid, L"Home"), 0u);
    EXPECT_EQ(Hw().WlanDeleteProfile(m_h, m_guid, L"Home"), static_cast<DWORD>(ERROR_NOT_FOUND));
    EXPECT_EQ(Hw().WlanSetProfile(m_h, m_guid, 0, doc, nullptr, FALSE, &reason), 0u);
    // The profiles stay with the PC for its next run.
    m_pc.reset();
    m_pc = std::make_unique<sim::SimPC>(m_s, m_dir / std::to_string(m_n - 1), m_dir / "disc");
    ASSERT_EQ(Hw().WlanOpenHandle(2, &m_version, &m_h), 0u);
    EXPECT_EQ(Hw().WlanSetProfile(m_h, m_guid, 0, doc, nullptr, FALSE, &reason), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
}

struct FitCase {
    const char* what;
    sim::NetworkSettings network;
    std::wstring doc;
    bool associates;
};

TEST_F(SimAir, AConnectionAssociatesOnlyWhenTheProfileFitsANetworkInRange)
{
    const std::string hex64(64, 'a');
    sim::NetworkSettings hidden = Net("Hide", 7, 4, "correct horse");
    hidden.hidden = true;
    sim::NetworkSettings gone = Net("Gone", 1, 0, "");
    gone.present = false;
    std::wstring broadcastOnly = Doc("Hide", "WPA2PSK", "AES", "passPhrase", "correct horse");
    broadcastOnly.replace(broadcastOnly.find(L"true"), 4, L"false");
    std::vector<FitCase> cases = {
        {"open", Net("Cafe", 1, 0, ""), Doc("Cafe", "open", "none"), true},
        {"WPA2 right key", Net("Home", 7, 4, "correct horse"), Doc("Home", "WPA2PSK", "AES", "passPhrase", "correct horse"), true},
        {"WPA2 wrong key", Net("Home", 7, 4, "correct horse"), Doc("Home", "WPA2PSK", "AES", "passPhrase", "Correct horse"), false},
        {"WPA2 as WPA", Net("Home", 7, 4, "correct horse"), Doc("Home", "WPAPSK", "AES", "passPhrase", "correct horse"), false},
        {"WPA TKIP", Net("Nb", 4, 2, "tulip garden"), Doc("Nb", "WPAPSK", "TKIP", "passPhrase", "tulip garden"), true},
        {"pass phrase too short", Net("Sh", 7, 4, "short"), Doc("Sh", "WPA2PSK", "AES", "passPhrase", "short"), false},
        {"64 hex digits", Net("Hx", 7, 4, hex64), Doc("Hx", "WPA2PSK", "AES", "networkKey", std::string(64, 'A')), true},
        {"64 digits as pass phrase", Net("Hx", 7, 4, hex64), Doc("Hx", "WPA2PSK", "AES", "passPhrase", hex64), false},
        {"WEP characters", Net("Old", 1, 0x101, "abcde"), Doc("Old", "open", "WEP", "networkKey", "abcde"), true},
        {"WEP same key in hex", Net("Old", 1, 0x101, "abcde"), Doc("Old", "open", "WEP", "networkKey", "6162636465"), true},
        {"WEP wrong length", Net("Old", 1, 0x101, "abcde"), Doc("Old", "open", "WEP", "networkKey", "abcdef"), false},
        {"enterprise", Net("Corp", 6, 4, "correct horse"), Doc("Corp", "WPA2", "AES", "passPhrase", "correct horse"), false},
        {"hidden, asked by name", hidden, Doc("Hide", "WPA2PSK", "AES", "passPhrase", "correct horse"), true},
        {"hidden, broadcast only", hidden, broadcastOnly, false},
        {"out of range", gone, Doc("Gone", "open", "none"), false},
        {"name differs in case", Net("Cafe", 1, 0, ""), Doc("cafe", "open", "none"), false},
    };
    for (const FitCase& c : cases) {
        m_s.networks = {c.network};
        Build();
        std::string ssid = c.network.ssidBytes;
        auto parsed = sim::ParseWlanProfile(c.doc);
        ASSERT_TRUE(parsed.ok) << c.what << ": " << parsed.problem;
        std::string got = ConnectWith(c.doc, parsed.profile.name);
        EXPECT_EQ(got, c.associates ? ssid : "5023") << c.what;
    }
}

TEST_F(SimAir, ANetworkGoingOutOfRangeDropsTheAssociation)
{
    m_s.networks = {Net("Cafe", 1, 0, "")};
    Build();
    ASSERT_EQ(ConnectWith(Doc("Cafe", "open", "none"), L"Cafe"), "Cafe");
    Hw().SetNetworkPresent("Cafe", false);
    EXPECT_EQ(Associated(), "5023");
    EXPECT_EQ(Adapter().IpAddress, "0.0.0.0");
}

// The service may join a network of its own accord: in range, with the adapter there; a
// connection asked for meanwhile is given up; a network out of range or an unknown SSID
// leaves the association as it was.
TEST_F(SimAir, TheServiceJoinsANetworkOfItsOwnAccord)
{
    sim::NetworkSettings far = Net("Far", 1, 0, "");
    far.present = false;
    m_s.networks = {Net("Home", 7, 4, "correct horse"), Net("Cafe", 1, 0, ""), far};
    Build();
    DWORD reason = 0;
    ASSERT_EQ(Hw().WlanSetProfile(m_h, m_guid, 0, Doc("Home", "WPA2PSK", "AES", "passPhrase", "correct horse"), nullptr,
                                  TRUE, &reason), 0u);
    ASSERT_EQ(Hw().WlanConnect(m_h, m_guid, WLAN_CONNECTION_PARAMETERS{0, L"Home"}), 0u);
    EXPECT_TRUE(Hw().Associate("Cafe"));
    rt::Sleep(5000);
    EXPECT_EQ(Associated(), "Cafe") << "the connection to Home was given up";
    EXPECT_TRUE(Hw().Associate("Far"));
    EXPECT_FALSE(Hw().Associate("Nowhere"));
    EXPECT_EQ(Associated(), "Cafe");
    Hw().Unplug();
    EXPECT_TRUE(Hw().Associate("Cafe"));
    Hw().Plug();
    EXPECT_EQ(Associated(), "5023") << "nothing joined without the adapter";
}

TEST_F(SimAir, TheAddressComesFromTheNetworksDhcp)
{
    struct Case { const char* mode; const char* prefix; const char* gateway; };
    for (const Case& c : {Case{"address", "192.168.1.23", "192.168.1.1"}, Case{"autoconfig", "169.254.", ""},
                          Case{"none", "0.0.0.0", ""}}) {
        m_s.networks = {Net("Cafe", 1, 0, "")};
        m_s.networks[0].dhcp.mode = c.mode;
        sim::DeviceSettings eth;
        eth.hardwareId = "PCI\\VEN_8086&DEV_10D3";
        eth.description = "Ethernet";
        eth.netCfgInstanceId = "{11111111-2222-3333-4444-555555555555}";
        eth.address = "10.0.0.5";
        eth.gateway = "10.0.0.1";
        m_s.devices = {eth};
        Build();
        EXPECT_EQ(Adapter().IpAddress, "0.0.0.0") << c.mode;
        ASSERT_EQ(ConnectWith(Doc("Cafe", "open", "none"), L"Cafe"), "Cafe");
        std::vector<IP_ADAPTER_INFO> list;
        ULONG size = 100;
        ASSERT_EQ(Hw().GetAdaptersInfo(&list, &size), static_cast<DWORD>(ERROR_BUFFER_OVERFLOW));
        EXPECT_EQ(size, 2 * kIpAdapterInfoBytes);
        ASSERT_EQ(Hw().GetAdaptersInfo(&list, &size), 0u);
        ASSERT_EQ(list.size(), 2u);
        EXPECT_EQ(list[0].IpAddress, "10.0.0.5");
        EXPECT_EQ(list[1].IpAddress.rfind(c.prefix, 0), 0u) << c.mode << " " << list[1].IpAddress;
        EXPECT_EQ(list[1].Gateway, c.gateway) << c.mode;
    }
}

TEST_F(SimAir, EchoesAnswerByTheWorldsFlagsAndASilentOneCostsItsTimeOut)
{
    m_s.networks = {Net("Cafe", 1, 0, "")};
    Build();
    ASSERT_EQ(ConnectWith(Doc("Cafe", "open", "none"), L"Cafe"), "Cafe");
    ICMP_HANDLE icmp = Hw().IcmpCreateFile();
    auto echo = [&](const char* to, const char* from, bool* answered) {
        ICMP_ECHO_REPLY reply;
        std::int64_t start = rt::NowMs();
        *answered = Hw().IcmpSendEcho2Ex(icmp, InetAddr(from), InetAddr(to), "REQUEST", 8, 44, &reply, 2000) == 1 &&
                    reply.Status == IP_SUCCESS;
        return rt::NowMs() - start;
    };
    bool answered = false;
    EXPECT_LT(echo("192.168.1.1", "0.0.0.0", &answered), 2000);
    EXPECT_TRUE(answered);
    EXPECT_LT(echo("8.8.4.4", "192.168.1.23", &answered), 2000);
    EXPECT_TRUE(answered);
    Hw().SetInternet(false);
    EXPECT_GE(echo("8.8.4.4", "192.168.1.23", &answered), 2000);
    EXPECT_FALSE(answered);
    Hw().SetInternet(true);
    Hw().SetGateway(false);
    EXPECT_GE(echo("192.168.1.1", "0.0.0.0", &answered), 2000);
    EXPECT_FALSE(answered);
    echo("8.8.4.4", "192.168.1.23", &answered);
    EXPECT_FALSE(answered);  // the internet lies behind the gateway
    EXPECT_TRUE(Hw().IcmpCloseHandle(icmp));
    EXPECT_FALSE(Hw().IcmpCloseHandle(icmp));
}

TEST_F(SimAir, PingThroughTheInterpreterWritesItsOutputWithTtlOnlyWhenAnswered)
{
    m_s.networks = {Net("Cafe", 1, 0, "")};
    Build();
    ASSERT_EQ(ConnectWith(Doc("Cafe", "open", "none"), L"Cafe"), "Cafe");
    Files& files = *m_pc->AsPlatform().files;
    auto run = [&](const std::wstring& command) {
        LONG error = 0;
        PROCESS_HANDLE p = Hw().CreateProcessW(L"C:\\Windows\\system32\\cmd.exe /c " + command, 0, &error);
        EXPECT_NE(p, 0u) << error;
        EXPECT_EQ(Hw().WaitForSingleObject(p, INFINITE), WAIT_OBJECT_0);
        Hw().CloseHandle(p);
    };
    run(L"arp -d ");
    run(L"ping 192.168.1.1 > C:\\Pingres.txt ");
    std::string out = files.ReadFile(L"C:\\Pingres.txt").value_or("");
    EXPECT_NE(out.find("Reply from 192.168.1.1: bytes=32 time=1ms TTL=64"), std::string::npos) << out;
    run(L"del.exe C:\\Pingres.txt");
    EXPECT_FALSE(files.PathFileExistsW(L"C:\\Pingres.txt"));
    Hw().SetGateway(false);
    run(L"ping 192.168.1.1 > C:\\Pingres.txt ");
    out = files.ReadFile(L"C:\\Pingres.txt").value_or("");
    EXPECT_NE(out.find("Request timed out."), std::string::npos) << out;
    EXPECT_EQ(out.find("TTL="), std::string::npos) << out;
}

}  // namespace

namespace {

TEST_F(SimAir, TheDefaultRouteDecidesWhereAnEchoFromNoAddressGoes)
{
    // Windows XP's internet check: with a wired adapter that has its own gateway, the
    // public host is reached through the wireless gateway only after the route change,
    // and ipconfig /release and /renew give the routes back.
    m_s.networks = {Net("Cafe", 1, 0, "")};
    sim::DeviceSettings eth;
    eth.hardwareId = "PCI\\VEN_8086&DEV_10D3";
    eth.description = "Ethernet";
    eth.netCfgInstanceId = "{11111111-2222-3333-4444-555555555555}";
    eth.address = "10.0.0.5";
    eth.gateway = "10.0.0.1";
    m_s.devices = {eth};
    Build();
    ASSERT_EQ(ConnectWith(Doc("Cafe", "open", "none"), L"Cafe"), "Cafe");
    ICMP_HANDLE icmp = Hw().IcmpCreateFile();
    auto answered = [&](const char* to) {
        ICMP_ECHO_REPLY reply;
        return Hw().IcmpSendEcho(icmp, InetAddr(to), "REQUEST", 8, 44, &reply, 2000) == 1;
    };
    auto run = [&](const std::wstring& command) {
        LONG error = 0;
        PROCESS_HANDLE p = Hw().CreateProcessW(L"CMD.EXE /c " + command, 0, &error);
        ASSERT_NE(p, 0u);
        Hw().WaitForSingleObject(p, INFINITE);
        Hw().CloseHandle(p);
    };
    EXPECT_TRUE(answered("10.0.0.1"));
    EXPECT_TRUE(answered("192.168.1.1"));
    EXPECT_FALSE(answered("8.8.8.8"));
    run(L"route change 0.0.0.0 mask 0.0.0.0 192.168.1.1");
    EXPECT_TRUE(answered("8.8.8.8"));
    run(L"ipconfig.exe /release");
    EXPECT_EQ(Adapter().IpAddress, "0.0.0.0");
    EXPECT_FALSE(answered("8.8.8.8"));
    run(L"ipconfig.exe /renew");
    EXPECT_EQ(Adapter().IpAddress, "192.168.1.23");
    EXPECT_FALSE(answered("8.8.8.8"));
    EXPECT_NE(m_pc->Hardware().View().commands.size(), 0u);
    Hw().IcmpCloseHandle(icmp);
}

TEST_F(SimAir, TheScenariosEventsChangeTheWorldAtTheirTimes)
{
    m_s.networks = {Net("Cafe", 1, 0, ""), Net("Later", 1, 0, "")};
    m_s.networks[1].present = false;
    m_s.events = {{1000, "internet", {"off"}, 1}, {1000, "network-on", {"Later"}, 2}, {8000, "network-off", {"Cafe"}, 3}};
    Build();
    EXPECT_TRUE(Hw().UnsupportedEvents().empty());
    ASSERT_EQ(ConnectWith(Doc("Cafe", "open", "none"), L"Cafe"), "Cafe");  // five seconds pass
    Hw().StartScenarioEvents();
    rt::Sleep(10000);
    sim::HardwareView v = Hw().View();
    EXPECT_FALSE(v.internet);
    EXPECT_TRUE(v.networks[1].present);
    EXPECT_FALSE(v.networks[0].present);
    EXPECT_EQ(Associated(), "5023");
    Hw().StopScenarioEvents();
}

}  // namespace
