// Connecting and watching the link on a PC whose wireless service answers from the test:
// which calls go out in which order, what the log says (never the key), and what the
// worker reports for each association it finds.
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "app/Globals.h"
#include "diag/LogMsg.h"
#include "install/AdapterDetection.h"
#include "install/AdapterMonitor.h"
#include "install/InstallHost.h"
#include "platform/Platform.h"
#include "runtime/Runtime.h"
#include "sim/SimPC.h"
#include "tests/unit/FakeNetwork.h"
#include "wlan/ProfileXml.h"
#include "wlan/connect/Connect.h"

namespace fs = std::filesystem;

namespace {

// The PC's own handles and interfaces; the network calls answered from here.
struct FakeWlan : WlanLibrary {
    WlanLibrary* inner = nullptr;
    std::vector<std::string> calls;
    std::set<std::wstring> profiles;  // names the service holds
    DWORD refuseProfile = 0;          // answer to every store when not 0
    std::string associatedWith;       // SSID bytes of the association; empty: none
    std::wstring lastDocument;
    std::vector<std::unique_ptr<WLAN_CONNECTION_ATTRIBUTES>> blocks;
    int freed = 0;

    bool LoadLibraryW(const std::wstring& n) override { return inner->LoadLibraryW(n); }
    bool GetProcAddress(const char* n) override { return inner->GetProcAddress(n); }
    DWORD WlanOpenHandle(DWORD v, DWORD* nv, WLAN_HANDLE* h) override { return inner->WlanOpenHandle(v, nv, h); }
    DWORD WlanCloseHandle(WLAN_HANDLE h) override { return inner->WlanCloseHandle(h); }
    DWORD WlanEnumInterfaces(WLAN_HANDLE h, WLAN_INTERFACE_INFO_LIST** l) override
    {
        return inner->WlanEnumInterfaces(h, l);
    }
    void WlanFreeMemory(const void* block) override
    {
        for (auto& b : blocks)
            if (b.get() == block) {
                ++freed;
                return;
            }
        inner->WlanFreeMemory(block);
    }
    DWORD WlanScan(WLAN_HANDLE, const GUID&, const DOT11_SSID*, const void*) override { return 0; }
    DWORD WlanGetAvailableNetworkList(WLAN_HANDLE, const GUID&, DWORD, WLAN_AVAILABLE_NETWORK_LIST**) override
    {
        return ERROR_NOT_SUPPORTED;
    }
    DWORD WlanSetProfile(WLAN_HANDLE, const GUID&, DWORD, const std::wstring& xml, const wchar_t*, BOOL overwrite,
                         DWORD*) override
    {
        calls.push_back(overwrite ? "set overwrite" : "set");
        lastDocument = xml;
        if (refuseProfile) return refuseProfile;
        std::wstring name = xml.substr(xml.find(L"<name>") + 6);
        name = name.substr(0, name.find(L"</name>"));
        if (profiles.count(name) && !overwrite) return ERROR_ALREADY_EXISTS;
        profiles.insert(name);
        return 0;
    }
    DWORD WlanDeleteProfile(WLAN_HANDLE, const GUID&, const std::wstring& name) override
    {
        calls.push_back("delete " + WideToUtf8(name));
        return profiles.erase(name) ? 0 : 1168;
    }
    DWORD WlanConnect(WLAN_HANDLE, const GUID&, const WLAN_CONNECTION_PARAMETERS& p) override
    {
        calls.push_back("connect " + WideToUtf8(p.strProfile) + (p.wlanConnectionMode == wlan_connection_mode_profile &&
                                                                         p.dot11BssType == dot11_BSS_type_any
                                                                     ? ""
                                                                     : " with wrong parameters"));
        return 0;
    }
    DWORD WlanDisconnect(WLAN_HANDLE, const GUID&) override
    {
        calls.push_back("disconnect");
        return 0;
    }
    DWORD WlanQueryInterface(WLAN_HANDLE, const GUID&, int op, DWORD* size, void** data, int*) override
    {
        calls.push_back("query");
        if (op != wlan_intf_opcode_current_connection || associatedWith.empty()) return ERROR_INVALID_STATE;
        auto block = std::make_unique<WLAN_CONNECTION_ATTRIBUTES>();
        DOT11_SSID& s = block->wlanAssociationAttributes.dot11Ssid;
        s.uSSIDLength = static_cast<DWORD>(associatedWith.size());
        std::copy(associatedWith.begin(), associatedWith.end(), s.ucSSID);
        *size = sizeof(WLAN_CONNECTION_ATTRIBUTES);
        *data = block.get();
        blocks.push_back(std::move(block));
        return 0;
    }
};

struct Host : InstallHost {
    void ShowStatePage() override {}
    void KillWizardTimer(UINT_PTR) override {}
    void StartInsertAdapterWorker() override {}
    void StartDriverInstallerRunner() override {}
    void NotifyAdapterFound() override {}
    void ScanNetworkList() override {}
    void CloseDialogsForRemoval() override {}
    void OnCancelProcess() override {}
    void InitVendorLibrary() override {}
};


class Connect : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("tc-connect-" + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        ResetProcessGlobals();
        ResetInstallProcessValues();
        rt::Init(rt::ClockMode::Virtual, 0, 1.0);
        sim::Scenario s = sim::DefaultScenario();
        s.adapter.driverInstalled = true;
        m_pc = std::make_unique<sim::SimPC>(s, m_dir, fs::path(TC_SOURCE_DIR) / "disc");
        Platform p = m_pc->AsPlatform();
        m_wlan.inner = p.wlan;
        p.wlan = &m_wlan;
        p.ip = &m_ip;
        p.processes = &m_processes;
        InstallPlatform(p);
        g_LogMsg.Construct();
        g_LogMsg.OpenLogFile();
        Reach(true, true);
        g_nLinkChecks = 10;
    }
    void TearDown() override
    {
        g_LogMsg.Destruct();
        rt::Shutdown();
        m_pc.reset();
        fs::remove_all(m_dir);
    }
    // The adapter's address configuration and who answers.
    void Reach(bool gateway, bool internet, const std::string& address = "192.168.1.23")
    {
        m_ip = FakeIp{};
        m_ip.adapters = {Adapter(kAdapterId, address, "192.168.1.1")};
        if (gateway) m_ip.answering.insert("192.168.1.1");
        if (internet) m_ip.answering.insert(kPublicInternetHost);
    }
    void Target(const std::wstring& ssid, const std::wstring& key, int auth, int cipher)
    {
        g_szTargetSsid.Set(ssid);
        g_szNetworkKey.Set(key);
        g_nAuthAlgorithm = auth;
        g_nCipherAlgorithm = cipher;
        g_bWorkerRunning = 1;
    }
    std::wstring Log()
    {
        std::u16string t = g_LogMsg.SnapshotText();
        return std::wstring(t.begin(), t.end());
    }
    // The log's lines that contain `part`, each from "() : " or " - " on.
    std::vector<std::wstring> Lines(const std::vector<std::wstring>& parts)
    {
        std::vector<std::wstring> out;
        std::wstring log = Log();
        std::size_t at = 0;
        while (at < log.size()) {
            std::size_t end = log.find(L"\r\n", at);
            if (end == std::wstring::npos) end = log.size();
            std::wstring line = log.substr(at, end - at);
            for (const std::wstring& p : parts)
                if (line.find(p) != std::wstring::npos) {
                    std::size_t from = line.find(L"] ");
                    out.push_back(line.substr(from + 2));
                    break;
                }
            at = end + 2;
        }
        return out;
    }

    fs::path m_dir;
    std::unique_ptr<sim::SimPC> m_pc;
    FakeWlan m_wlan;
    FakeIp m_ip;
    FakeProcesses m_processes;
    Host m_host;
};

TEST_F(Connect, AnExistingProfileIsDeletedAndStoredAgainBeforeTheConnectRequest)
{
    m_wlan.profiles = {L"Home"};
    WLANConnectToNetwork(L"correct horse", L"Home", 7, 4);
    EXPECT_EQ(m_wlan.calls, (std::vector<std::string>{"disconnect", "set", "delete Home", "set overwrite",
                                                      "connect Home"}));
    EXPECT_EQ(Lines({L"WLANDisConnected", L"WlanSetProfile", L"WlanDeleteProfile", L"WlanConnect"}),
              (std::vector<std::wstring>{L"WLANDisConnected - Do disconnect.",
                                         L"WlanSetProfile - Try to set profile.",
                                         L"WlanSetProfile() : ERROR_ALREADY_EXISTS.",
                                         L"WlanDeleteProfile - Try to delete profile.",
                                         L"WlanDeleteProfile() : Delete profile: Success.",
                                         L"WlanSetProfile - Try to set profile.",
                                         L"WlanSetProfile() : Set profile successfully.",
                                         L"WlanConnect - Try to connect."}));
    EXPECT_NE(m_wlan.lastDocument.find(L"<name>Home</name>"), std::wstring::npos);
}

TEST_F(Connect, TheKeyNeverReachesTheLogTheConfigurationRecordMasksIt)
{
    const std::wstring key = L"s3cr3t-p&ss<phrase>\"'";
    WLANConnectToNetwork(key, L"Home", 7, 4);
    std::wstring log = Log();
    EXPECT_EQ(log.find(L"s3cr3t"), std::wstring::npos);
    EXPECT_NE(log.find(L"RSNA_PSK"), std::wstring::npos);
    EXPECT_NE(log.find(L"CCMP"), std::wstring::npos);
    EXPECT_NE(log.find(std::wstring(key.size(), L'*')), std::wstring::npos);
    EXPECT_EQ(log.find(std::wstring(key.size() + 1, L'*')), std::wstring::npos);
}

TEST_F(Connect, NothingIsStoredOrRequestedWithoutADocumentOrAfterARefusedOne)
{
    struct Case {
        const char* what;
        std::wstring ssid, key;
        int auth, cipher;
        DWORD refuse;
        std::vector<std::string> calls;
        bool failLine;
    } cases[] = {
        {"empty SSID", L"", L"", 1, 0, 0, {"disconnect"}, false},
        {"keyed network without a key", L"Home", L"", 7, 4, 0, {"disconnect"}, false},
        {"document refused", L"Home", L"correct horse", 7, 4, ERROR_BAD_PROFILE, {"disconnect", "set"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_wlan.calls.clear();
        m_wlan.refuseProfile = c.refuse;
        g_bWpsProfileOk = 1;
        WLANConnectToNetwork(c.key, c.ssid, c.auth, c.cipher);
        EXPECT_EQ(m_wlan.calls, c.calls);
        EXPECT_EQ(g_bWpsProfileOk, c.failLine ? 0 : 1);
        EXPECT_EQ(Log().find(L"WlanSetProfile() : Set profile failed.") != std::wstring::npos, c.failLine);
    }
}

TEST_F(Connect, OnlyAPollCountOfFiveTenOrThirtyTwoSkipsThePauseAfterTheDisconnect)
{
    for (int checks : {5, 10, 20, 32, 12}) {
        SCOPED_TRACE(checks);
        g_nLinkChecks = checks;
        std::int64_t before = rt::NowMs();
        WLANConnectToNetwork(L"", L"Open", 1, 0);
        bool paused = rt::NowMs() - before >= kReconnectPauseMs;
        EXPECT_EQ(paused, checks != 5 && checks != 10 && checks != 32);
    }
}

TEST_F(Connect, TheWorkerReportsByTheAssociationAndTheLinkItFinds)
{
    struct Case {
        const char* what;
        std::string associated;
        bool gateway, internet;
        std::string address;
        DWORD result;
        int state;  // 0: the worker leaves the state alone
        int internetOk;
    } cases[] = {
        {"the target with internet", "Home", true, true, "192.168.1.23", 1, 0, 1},
        {"the target without internet", "Home", true, false, "192.168.1.23", 1, 0, 0},
        {"another network", "Neighbour", true, true, "192.168.1.23", 1, 13, 1},
        {"the target in other letter case", "HOME", true, true, "192.168.1.23", 1, 13, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_host.m_nState = 12;
        m_wlan.associatedWith = c.associated;
        Reach(c.gateway, c.internet, c.address);
        Target(L"Home", L"correct horse", 7, 4);
        EXPECT_EQ(WiFiLinkStatusThreadProc(&m_host), c.result);
        EXPECT_EQ(g_bWorkerRunning, 0);
        EXPECT_EQ(m_host.m_nState, c.state ? c.state : 12);
        EXPECT_EQ(g_bInternetOk, c.internetOk);
        EXPECT_EQ(g_szConnectedSsid.Get(), std::wstring(c.associated.begin(), c.associated.end()));
        EXPECT_EQ(g_nLinkResult, 2);
    }
    EXPECT_NE(Log().find(L"CSetupDlg::WiFiLinkStatusThreadProc() : Tried to connect to (Home) was failed."),
              std::wstring::npos);
}

TEST_F(Connect, AnAssociationWithoutAWorkingLinkOrNoneAtAllRunsThePollsOut)
{
    struct Case {
        const char* what;
        std::string associated, address;
        bool gateway;
        int link;
    } cases[] = {
        {"automatic address", "Home", "169.254.1.2", true, 1},
        {"silent gateway", "Home", "192.168.1.23", false, 1},
        {"no association", "", "192.168.1.23", true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_host.m_nState = 12;
        m_wlan.associatedWith = c.associated;
        m_wlan.calls.clear();
        Reach(c.gateway, true, c.address);
        g_nLinkResult = -1;
        g_nLinkChecks = 10;
        Target(L"Home", L"correct horse", 7, 4);
        EXPECT_EQ(WiFiLinkStatusThreadProc(&m_host), 0u);
        EXPECT_EQ(g_bWorkerRunning, 0);
        EXPECT_EQ(m_host.m_nState, 12);
        EXPECT_EQ(g_nLinkResult, c.link);
        EXPECT_EQ(std::count(m_wlan.calls.begin(), m_wlan.calls.end(), "query"), 10);
    }
}

TEST_F(Connect, AnEarlyAssociationLengthensTheFallbacksShortPoll)
{
    // Five polls, but the first query finds an association: twelve polls in all.
    m_wlan.associatedWith = "Home";
    Reach(false, false);
    g_nLinkChecks = 5;
    Target(L"Home", L"correct horse", 7, 2);
    EXPECT_EQ(WiFiLinkStatusThreadProc(&m_host), 0u);
    EXPECT_EQ(g_nLinkChecks, 12);
    EXPECT_EQ(std::count(m_wlan.calls.begin(), m_wlan.calls.end(), "query"), 12);
    // Every block the service gave is given back.
    EXPECT_EQ(m_wlan.freed, static_cast<int>(m_wlan.blocks.size()));
}

TEST_F(Connect, AStoppedWorkerWritesNoResult)
{
    m_wlan.associatedWith = "Home";
    Reach(true, true);
    Target(L"Home", L"correct horse", 7, 4);
    g_nLinkChecks = 20;  // with the pause after the disconnect
    g_nLinkResult = -1;
    rt::Worker worker;
    DWORD result = 99;
    worker.Start("WiFiLinkStatusThreadProc", [&] { result = WiFiLinkStatusThreadProc(&m_host); });
    rt::Sleep(1000);
    worker.StopAndJoin();
    EXPECT_EQ(result, 0u);
    EXPECT_EQ(g_bWorkerRunning, 1);  // the one who stopped it clears the flag
    EXPECT_EQ(g_nLinkResult, -1);
    EXPECT_EQ(m_wlan.calls, std::vector<std::string>{"disconnect"});
}

}  // namespace
