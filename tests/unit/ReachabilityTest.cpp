// The reachability checks on a PC whose IP Helper and command interpreter are ours: which
// link state each address configuration gives, which echo requests and commands go out,
// and what the log says.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <unistd.h>

#include "app/Globals.h"
#include "diag/LogMsg.h"
#include "install/AdapterDetection.h"
#include "install/AdapterMonitor.h"
#include "netcheck/Reachability.h"
#include "platform/Platform.h"
#include "platform/Text.h"
#include "runtime/Runtime.h"
#include "sim/SimPC.h"
#include "tests/unit/FakeNetwork.h"

namespace fs = std::filesystem;

namespace {

class Reachability : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("tc-reach-" + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        ResetProcessGlobals();
        ResetInstallProcessValues();
        rt::Init(rt::ClockMode::Virtual, 0, 1.0);
        sim::Scenario s = sim::DefaultScenario();
        s.adapter.driverInstalled = true;
        m_pc = std::make_unique<sim::SimPC>(s, m_dir, fs::path(TC_SOURCE_DIR) / "disc");
        Platform p = m_pc->AsPlatform();
        p.ip = &m_ip;
        p.processes = &m_processes;
        InstallPlatform(p);
        ASSERT_TRUE(FindAdapterDevice());
        g_LogMsg.Construct();
        g_LogMsg.OpenLogFile();
    }
    void TearDown() override
    {
        g_LogMsg.Destruct();
        rt::Shutdown();
        m_pc.reset();
        fs::remove_all(m_dir);
    }
    std::wstring Log() { std::u16string t = g_LogMsg.SnapshotText(); return std::wstring(t.begin(), t.end()); }
    std::vector<std::wstring> Commands()
    {
        std::vector<std::wstring> out;
        for (const std::wstring& l : m_processes.lines) out.push_back(l.substr(l.find(L" /c ") + 4));
        return out;
    }

    fs::path m_dir;
    std::unique_ptr<sim::SimPC> m_pc;
    FakeIp m_ip;
    FakeProcesses m_processes;
};

struct LinkCase {
    const char* what;
    std::string address, gateway;
    bool gatewayAnswers, internetAnswers;
    int state;
    int internetOk;
    std::vector<std::string> sends;
};

TEST_F(Reachability, TheLinkStateFollowsTheAddressTheGatewayAndTheInternet)
{
    const std::string g = "192.168.1.1", me = "192.168.1.23", net = kPublicInternetHost;
    const std::string gw4 = "IcmpSendEcho2 " + g + " 0.0.0.0";
    const LinkCase cases[] = {
        {"automatic private address", "169.254.7.9", g, true, true, 1, 0, {}},
        {"no address", "0.0.0.0", g, true, true, 0, 0, {}},
        {"no default gateway", me, "", true, true, 0, 0, {}},
        {"silent gateway", me, g, false, true, 1, 0, {gw4, gw4, gw4, gw4}},
        {"gateway but no internet", me, g, true, false, 2, 0,
         {gw4, "IcmpSendEcho2Ex " + net + " " + me, "IcmpSendEcho2Ex " + net + " " + me,
          "IcmpSendEcho2Ex " + net + " " + me, "IcmpSendEcho2Ex " + net + " " + me}},
        {"gateway and internet", me, g, true, true, 2, 1, {gw4, "IcmpSendEcho2Ex " + net + " " + me}},
        {"first number 10 is usable", "10.1.2.3", "10.1.2.1", true, true, 2, 1,
         {"IcmpSendEcho2 10.1.2.1 0.0.0.0", "IcmpSendEcho2Ex " + net + " 10.1.2.3"}},
        // Not an automatic address, but no address the echo can be sent from either.
        {"first number 1690", "1690.1.1.1", g, true, true, 2, 0, {gw4}},
    };
    for (const LinkCase& c : cases) {
        SCOPED_TRACE(c.what);
        m_ip = FakeIp{};
        m_ip.adapters = {Adapter("{OTHER}", "10.0.0.5", "10.0.0.1"), Adapter(kAdapterId, c.address, c.gateway)};
        if (c.gatewayAnswers) m_ip.answering.insert(c.gateway);
        if (c.internetAnswers) m_ip.answering.insert(net);
        g_bInternetOk = 0;
        EXPECT_EQ(CheckAdapterLinkstate(), c.state);
        EXPECT_EQ(g_bInternetOk, c.internetOk);
        EXPECT_EQ(m_ip.sends, c.sends);
        EXPECT_EQ(m_ip.opens, m_ip.closes);
        EXPECT_EQ(m_ip.loads, m_ip.frees);
    }
    EXPECT_NE(Log().find(L"CheckDefaultGWLinkstate() : Connect to default gateway: 192.168.1.1, Result: False."),
              std::wstring::npos);
    EXPECT_NE(Log().find(L"CheckDefaultGWLinkstate() : Connect to default gateway: 192.168.1.1, Result: True."),
              std::wstring::npos);
    EXPECT_NE(Log().find(L"CheckInternetLinkstate() : Connect to Internet: True."), std::wstring::npos);
    EXPECT_NE(Log().find(L"CheckInternetLinkstate() : Connect to Internet: False."), std::wstring::npos);
}

TEST_F(Reachability, AnAdapterMissingFromTheConfigurationOrAFailedQueryHasNoLink)
{
    m_ip.adapters = {Adapter("{OTHER}", "10.0.0.5", "10.0.0.1")};
    m_ip.answering = {"10.0.0.1", kPublicInternetHost};
    EXPECT_EQ(CheckAdapterLinkstate(), 0);
    // The name must match exactly: case differs, no match.
    std::string lower = kAdapterId;
    for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    m_ip.adapters = {Adapter(lower, "10.0.0.5", "10.0.0.1")};
    EXPECT_EQ(CheckAdapterLinkstate(), 0);
    m_ip.adapters = {Adapter(kAdapterId, "10.0.0.5", "10.0.0.1")};
    m_ip.adaptersFail = true;
    EXPECT_EQ(CheckAdapterLinkstate(), 0);
    EXPECT_TRUE(m_ip.sends.empty());
}

struct XpCase {
    const char* what;
    bool secondAdapter, gatewayPings, internetAnswers;
    int state;
    std::vector<std::wstring> commands;
};

TEST_F(Reachability, WindowsXpPingsTheGatewayAndLeadsTheRouteThroughItWhenAnotherAdapterHasAnAddress)
{
    g_bOsXp = 1;
    const std::wstring ping = L"ping 192.168.1.1 > C:\\Pingres.txt ";
    const std::wstring del = L"del.exe C:\\Pingres.txt";
    const XpCase cases[] = {
        {"one adapter", false, true, true, 2, {L"arp -d ", ping, del}},
        {"a second adapter with an address", true, true, false, 2,
         {L"arp -d ", ping, del, L"route change 0.0.0.0 mask 0.0.0.0 192.168.1.1 ", L"ipconfig.exe /release",
          L"ipconfig.exe /renew"}},
        {"every reply timed out", true, false, true, 1, {L"arp -d ", ping, del}},
    };
    for (const XpCase& c : cases) {
        SCOPED_TRACE(c.what);
        m_ip = FakeIp{};
        m_processes = FakeProcesses{};
        m_ip.adapters = {Adapter(kAdapterId, "192.168.1.23", "192.168.1.1")};
        if (c.secondAdapter) m_ip.adapters.push_back(Adapter("{OTHER}", "10.0.0.5", "10.0.0.1"));
        if (c.gatewayPings) m_processes.pingAnswers.insert(L"192.168.1.1");
        if (c.internetAnswers) m_ip.answering.insert(kPublicInternetHost);
        g_bInternetOk = 7;
        EXPECT_EQ(CheckAdapterLinkstate(), c.state);
        EXPECT_EQ(Commands(), c.commands);
        if (c.state == 2) {
            EXPECT_EQ(g_bInternetOk, c.internetAnswers ? 1 : 0);
            // XP sends the internet echo from any address with the old function.
            ASSERT_FALSE(m_ip.sends.empty());
            EXPECT_EQ(m_ip.sends.front(), "IcmpSendEcho " + std::string(kPublicInternetHost) + " 0.0.0.0");
        } else {
            EXPECT_TRUE(m_ip.sends.empty());
        }
        // The result file does not stay behind.
        EXPECT_FALSE(Os().files->PathFileExistsW(kPingResultFile));
        for (const std::wstring& l : m_processes.lines) EXPECT_EQ(l.rfind(L"C:\\Windows\\system32\\cmd.exe /c ", 0), 0u);
    }
    EXPECT_NE(Log().find(L"CheckInternetLinkstateXP() : Connect to Internet: True."), std::wstring::npos);
    EXPECT_NE(Log().find(L"CheckInternetLinkstateXP() : Connect to Internet: False."), std::wstring::npos);
    EXPECT_NE(Log().find(L"CheckDefaultGWLinkstate() : Connect to default gateway: 192.168.1.1, Result: False."),
              std::wstring::npos);
}

TEST_F(Reachability, AnEchoThatCannotBeSentIsNoAnswer)
{
    struct Case {
        const char* what;
        std::function<void(FakeIp&)> change;
        std::string to, from;
    } cases[] = {
        {"no library", [](FakeIp& ip) { ip.libraryThere = false; }, "192.168.1.1", "0.0.0.0"},
        {"no IcmpSendEcho2", [](FakeIp& ip) { ip.exports.erase("IcmpSendEcho2"); }, "192.168.1.1", "0.0.0.0"},
        {"no IcmpSendEcho2Ex", [](FakeIp& ip) { ip.exports.erase("IcmpSendEcho2Ex"); }, "192.168.1.1", "0.0.0.0"},
        {"no IcmpCreateFile", [](FakeIp& ip) { ip.exports.erase("IcmpCreateFile"); }, "192.168.1.1", "0.0.0.0"},
        {"no handle", [](FakeIp& ip) { ip.handleFails = true; }, "192.168.1.1", "0.0.0.0"},
        {"destination not an address", [](FakeIp&) {}, "192.168.1.256", "0.0.0.0"},
        {"source not an address", [](FakeIp&) {}, "192.168.1.1", "my pc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_ip = FakeIp{};
        m_ip.answering = {"192.168.1.1"};
        c.change(m_ip);
        EXPECT_FALSE(SendIcmpEcho(c.to, c.from));
        EXPECT_TRUE(m_ip.sends.empty());
        EXPECT_EQ(m_ip.closes, m_ip.handleFails ? 0 : m_ip.opens);
        if (m_ip.libraryThere) {
            EXPECT_EQ(m_ip.loads, m_ip.frees);
        }
    }
    // The plain case answers at the first attempt.
    m_ip = FakeIp{};
    m_ip.answering = {"192.168.1.1"};
    EXPECT_TRUE(SendIcmpEcho("192.168.1.1", "0.0.0.0"));
    EXPECT_EQ(m_ip.sends.size(), 1u);
}

TEST_F(Reachability, HiddenCommandsRunThroughTheInterpreterOfComspecOrCmd)
{
    RunHiddenCommand(L"arp -d", L"");
    RunHiddenCommand(L"del.exe", L"C:\\Pingres.txt");
    EXPECT_EQ(m_processes.lines, (std::vector<std::wstring>{L"C:\\Windows\\system32\\cmd.exe /c arp -d ",
                                                            L"C:\\Windows\\system32\\cmd.exe /c del.exe C:\\Pingres.txt"}));
    // A process that cannot start ends the operation; nothing is waited for.
    m_processes = FakeProcesses{};
    m_processes.startFails = true;
    RunHiddenCommand(L"ipconfig.exe", L"/renew");
    EXPECT_EQ(m_processes.lines.size(), 1u);
    // A command line the interpreter's buffer cannot hold is not run cut short.
    m_processes = FakeProcesses{};
    RunHiddenCommand(L"ping", std::wstring(5000, L'x'));
    EXPECT_TRUE(m_processes.lines.empty());
}

}  // namespace
