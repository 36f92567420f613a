// The WPS manager on a simulated PC whose vendor library answers from the test: the
// order of the library calls, the access point chosen, the profile's way to the
// connect, the limits of polling, and stopping a join.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <unistd.h>

#include "app/Globals.h"
#include "diag/LogMsg.h"
#include "install/AdapterMonitor.h"
#include "platform/Platform.h"
#include "runtime/Runtime.h"
#include "sim/SimPC.h"
#include "wps/WpsManager.h"
#include "wps/WpsPin.h"

namespace fs = std::filesystem;

namespace {

void Put32(unsigned char* at, std::uint32_t v) { std::memcpy(at, &v, 4); }
std::uint32_t Get32(const unsigned char* at)
{
    std::uint32_t v = 0;
    std::memcpy(&v, at, 4);
    return v;
}

// A vendor library that answers from the test and writes down what it was asked.
struct FakeVendor : VendorWlan {
    std::vector<std::string> calls;
    std::function<DWORD(int query)> status = [](int) { return DWORD{4}; };  // by query, from 1
    int statusQueries = 0;
    WpsProfileRecord profile{};
    std::vector<unsigned char> survey = std::vector<unsigned char>(kSurveyBufferBytes, 0);
    void (*surveyDone)() = nullptr;
    std::vector<WpsModeRecord> modes;

    void Note(const std::string& call) { calls.push_back(call); }
    int RAWL_Initial(const char*, std::uintptr_t) override { return 1; }
    int RAWL_GetAvailableAdapters(std::vector<unsigned char>&, int) override { return 0; }
    int RAWL_AdapterSelect(const unsigned char*, void (*)(), std::uintptr_t) override { return 1; }
    int RAWL_DeInitial() override { return 1; }
    int RAWL_SiteSurveyScan(void (*done)()) override
    {
        Note("scan");
        surveyDone = done;
        return 1;
    }
    int RAWL_SiteSurveyQuery(unsigned char* buffer, ULONG* size) override
    {
        Note("survey " + std::to_string(*size));
        std::memcpy(buffer, survey.data(), std::min<std::size_t>(*size, survey.size()));
        return 1;
    }
    int RAWL_ParseInfoElement(const unsigned char* entry, unsigned char* record) override
    {
        if (Get32(entry + survey::kIeLength) > 0 && entry[survey::kIes] == 0xDD)
            std::memcpy(record + kParsedIeWpsFlag, "TRUE", 5);
        return 1;
    }
    int RAWL_FrequencyToChannel(ULONG kHz) override { return static_cast<int>((kHz / 1000 - 2407) / 5) | 0x4400; }
    int RAWL_WriteWPSFlag(int on) override { Note("flag " + std::to_string(on)); return 1; }
    int RAWL_SetAuthMode(int m) override { Note("auth mode " + std::to_string(m)); return 1; }
    int RAWL_Disassociate() override { Note("disassociate"); return 1; }
    int RAWL_WlanDisconnect() override { Note("wlan disconnect"); return 1; }
    int RAWL_WlanDeleteAllWindowsProfiles() override { Note("delete profiles"); return 1; }
    int RAWL_WPSDisconnect() override { Note("wps disconnect"); return 1; }
    int RAWL_SetPreferWPSAPPhyType(int t) override { Note("phy " + std::to_string(t)); return 1; }
    int RAWL_SetWPSAutoSelect(int on) override { Note("auto select " + std::to_string(on)); return 1; }
    int RAWL_SetWPSMode(WpsModeRecord mode) override
    {
        Note("mode");
        modes.push_back(mode);
        return 1;
    }
    int RAWL_SetWPSProfile(WpsProfileRecord p) override
    {
        bool zero = std::all_of(std::begin(p.bytes), std::end(p.bytes), [](unsigned char b) { return b == 0; });
        Note(zero ? "profile zero" : "profile not zero");
        return 1;
    }
    int RAWL_SetWPSAssociateIE(int on) override { Note("associate ie " + std::to_string(on)); return 1; }
    int RAWL_SetWPSProbeReqIE(int on) override { Note("probe ie " + std::to_string(on)); return 1; }
    int RAWL_QueryWPSStatus(DWORD* s) override
    {
        // The top four bits carry something else; only the low 28 are the code.
        *s = status(++statusQueries) | 0xA0000000;
        return 1;
    }
    int RAWL_QueryWPSProfile(WpsProfileRecord* p) override
    {
        Note("read profile");
        *p = profile;
        return 1;
    }

    // A survey list of (SSID, WPS) entries of 124 bytes each; channel 6 for all but the
    // first, which is on channel 1.
    void Survey(const std::vector<std::pair<std::string, bool>>& entries)
    {
        std::fill(survey.begin(), survey.end(), 0);
        Put32(survey.data(), static_cast<std::uint32_t>(entries.size()));
        std::size_t at = 4;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            unsigned char* e = survey.data() + at;
            Put32(e + survey::kLength, survey::kIes + 8);
            for (int b = 0; b < 6; ++b) e[survey::kBssid + b] = static_cast<unsigned char>(0xA0 + i * 8 + b);
            Put32(e + survey::kSsidLength, static_cast<std::uint32_t>(entries[i].first.size()));
            std::memcpy(e + survey::kSsid, entries[i].first.data(), entries[i].first.size());
            Put32(e + survey::kFrequency, i == 0 ? 2412000 : 2437000);
            Put32(e + survey::kIeLength, 8);
            e[survey::kIes] = entries[i].second ? 0xDD : 0x00;
            at += survey::kIes + 8;
        }
    }
    void Profile(const std::string& ssid, const std::string& key, DWORD auth, DWORD enc)
    {
        profile = WpsProfileRecord{};
        std::memcpy(profile.bytes + wpsprofile::kSsid, ssid.data(), ssid.size());
        Put32(profile.bytes + wpsprofile::kAuthType, auth);
        Put32(profile.bytes + wpsprofile::kEncryption, enc);
        std::memcpy(profile.bytes + wpsprofile::kKey, key.data(), key.size());
    }
    // The calls from `first` on, up to and including `last`.
    std::vector<std::string> Between(const std::string& first, const std::string& last) const
    {
        auto from = std::find(calls.begin(), calls.end(), first);
        auto to = std::find(from, calls.end(), last);
        return std::vector<std::string>(from, to == calls.end() ? to : to + 1);
    }
};

// Credentials ready at query n.
std::function<DWORD(int)> ReadyAt(int n)
{
    return [n](int q) { return q == n ? DWORD{15} : DWORD{4}; };
}

class WpsManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("tc-wps-" + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        ResetProcessGlobals();
        ResetInstallProcessValues();
        ResetWpsProcessValues();
        rt::Init(rt::ClockMode::Virtual, 0, 1.0);
        sim::Scenario s = sim::DefaultScenario();
        s.adapter.driverInstalled = true;
        m_pc = std::make_unique<sim::SimPC>(s, m_dir, fs::path(TC_SOURCE_DIR) / "disc");
        Platform p = m_pc->AsPlatform();
        p.vendor = &m_vendor;
        InstallPlatform(p);
        g_LogMsg.Construct();
        g_LogMsg.OpenLogFile();
        m_manager = std::make_unique<CWpsManager>();
    }
    void TearDown() override
    {
        m_manager.reset();
        g_LogMsg.Destruct();
        rt::Shutdown();
        m_pc.reset();
        fs::remove_all(m_dir);
    }
    // Lets virtual time pass until the join has ended (g_bWorkerRunning down), at most `limitMs`.
    bool WaitForJoinEnd(std::int64_t limitMs = 20 * 60 * 1000)
    {
        std::int64_t end = rt::NowMs() + limitMs;
        while (g_bWorkerRunning && rt::NowMs() < end) rt::Sleep(500);
        return !g_bWorkerRunning;
    }
    std::wstring Log()
    {
        std::u16string t = g_LogMsg.SnapshotText();
        return std::wstring(t.begin(), t.end());
    }
    bool Logged(const std::wstring& text) { return Log().find(text) != std::wstring::npos; }
    int CountLogged(const std::wstring& text)
    {
        std::wstring log = Log();
        int n = 0;
        for (std::size_t at = log.find(text); at != std::wstring::npos; at = log.find(text, at + 1)) ++n;
        return n;
    }
    // Starts a PIN join with the survey answered at once.
    void StartPin(const std::string& pin = "12345670")
    {
        g_szWpsPin.Set(pin);
        ASSERT_TRUE(m_manager->StartJoinPin(nullptr));
        if (m_vendor.surveyDone) m_vendor.surveyDone();
    }

    fs::path m_dir;
    std::unique_ptr<sim::SimPC> m_pc;
    FakeVendor m_vendor;
    std::unique_ptr<CWpsManager> m_manager;
};

}  // namespace

TEST_F(WpsManagerTest, AnEmptyPinStartsNothingButTheSurveyStillRuns)
{
    EXPECT_FALSE(m_manager->StartJoinPin(nullptr));
    EXPECT_FALSE(m_manager->PinThreadSet());
    EXPECT_EQ(g_bWorkerRunning, 0);
    EXPECT_EQ(m_vendor.calls, (std::vector<std::string>{"scan"}));
    EXPECT_FALSE(Logged(L"Start PIN code."));
    ASSERT_NE(m_vendor.surveyDone, nullptr);
    m_vendor.surveyDone();
    EXPECT_TRUE(m_manager->HoldsSurveyList());
}

TEST_F(WpsManagerTest, APinJoinChoosesTheFirstWpsAccessPointRunsTheExchangeAndConnects)
{
    m_vendor.Survey({{"Plain", false}, {"Home", true}, {"Other", true}});
    m_vendor.Profile("Home", "correct horse", 0x20, 0x08);
    m_vendor.status = ReadyAt(3);
    StartPin();
    EXPECT_EQ(g_bWorkerRunning, 1);  // up before the worker's first step
    ASSERT_TRUE(WaitForJoinEnd());
    EXPECT_EQ(m_manager->ChosenApSsid(), "Home");
    EXPECT_EQ(m_manager->m_nApCount, 1);
    EXPECT_FALSE(m_manager->HoldsSurveyList());
    EXPECT_TRUE(m_manager->HoldsBssidList());
    EXPECT_EQ(m_vendor.Between("flag 1", "probe ie 1"),
              (std::vector<std::string>{"flag 1", "wlan disconnect", "delete profiles", "phy 2", "auto select 0", "mode",
                                        "profile zero", "associate ie 1", "probe ie 1"}));
    EXPECT_EQ(m_vendor.Between("read profile", "wps disconnect"),
              (std::vector<std::string>{"read profile", "flag 0", "wps disconnect"}));
    EXPECT_EQ(m_vendor.statusQueries, 3);
    ASSERT_EQ(m_vendor.modes.size(), 1u);
    const unsigned char* mode = m_vendor.modes[0].bytes;
    EXPECT_EQ(Get32(mode + wpsmode::kMode), wpsmode::kPin);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(mode + wpsmode::kPinDigits), 8), "12345670");
    EXPECT_EQ(Get32(mode + wpsmode::kSsidLength), 4u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(mode + wpsmode::kSsid)), "Home");
    EXPECT_EQ(mode[wpsmode::kBssid], 0xA8);
    EXPECT_EQ(mode[wpsmode::kChannel], 6);
    EXPECT_EQ(mode[wpsmode::kLast], 1);
    // The credentials went to the connect.
    EXPECT_EQ(g_bWpsProfileOk, 1);
    EXPECT_EQ(m_manager->Ssid(), L"Home");
    EXPECT_EQ(m_manager->Key(), L"correct horse");
    EXPECT_EQ(m_manager->Auth(), 7);
    EXPECT_EQ(m_manager->Cipher(), 4);
    EXPECT_EQ(g_szTargetSsid.Get(), L"Home");
    EXPECT_EQ(g_szConnectedSsid.Get(), L"Home");
    EXPECT_EQ(g_nLinkResult, 2);
    EXPECT_EQ(m_manager->m_bDone, 1);
    EXPECT_EQ(m_manager->m_bResult, 1);
    EXPECT_TRUE(Logged(L"CWpsManager::StartJoinPin - Start PIN code."));
    EXPECT_TRUE(Logged(L"CWpsManager::StopZeroConfig() : Stop succefully, with code = "));
    EXPECT_TRUE(Logged(L"CWpsManager::WpsJoinPinThreadProc() : WPS query profile successfully."));
    EXPECT_TRUE(Logged(L"CWpsManager::WpsJoinPinThreadProc() : WPS set profile OK, try to connect."));
    EXPECT_TRUE(Logged(L"CWpsManager::StartZeroConfig() : Start succefully, with code = "));
}

TEST_F(WpsManagerTest, AProfileArrivingWithTheLastPollIsDiscarded)
{
    for (int at : {119, 120}) {
        SCOPED_TRACE(at);
        m_vendor = FakeVendor{};
        m_manager = std::make_unique<CWpsManager>();
        g_szConnectedSsid.Set(L"");
        m_vendor.Survey({{"Home", true}});
        m_vendor.Profile("Home", "correct horse", 0x20, 0x08);
        m_vendor.status = ReadyAt(at);
        StartPin();
        ASSERT_TRUE(WaitForJoinEnd());
        EXPECT_EQ(m_vendor.statusQueries, at);
        EXPECT_EQ(g_bWpsProfileOk, at < 120 ? 1 : 0);
        EXPECT_EQ(m_manager->m_bDone, at < 120 ? 1 : 0);
        EXPECT_EQ(m_manager->Ssid(), at < 120 ? L"Home" : L"");
        // The service comes back either way.
        EXPECT_EQ(m_vendor.calls.back(), "wps disconnect");
    }
    EXPECT_EQ(CountLogged(L"WPS query profile successfully."), 2);
    EXPECT_EQ(CountLogged(L"WPS set profile OK, try to connect."), 1);
    EXPECT_EQ(CountLogged(L"Start succefully, with code = "), 2);
}

TEST_F(WpsManagerTest, ARetryAvoidsTheAccessPointTriedOrSkipsTheSurveyWhileOneIsChosen)
{
    m_vendor.Survey({{"Home", true}, {"Work", true}});
    m_vendor.status = [](int) { return DWORD{4}; };
    StartPin();
    rt::Sleep(11000);
    EXPECT_EQ(m_manager->ChosenApSsid(), "Home");
    m_manager->StopJoin();
    EXPECT_EQ(g_bWorkerRunning, 0);

    // The wizard reset the count, not the SSID: the next WPS access point is taken.
    m_manager->m_nApCount = 0;
    m_vendor.calls.clear();
    StartPin();
    rt::Sleep(20000);
    EXPECT_EQ(m_manager->ChosenApSsid(), "Work");
    m_manager->StopJoin();

    // With the count still 1 no survey is asked for and the mode names no access point.
    m_vendor.calls.clear();
    m_vendor.modes.clear();
    StartPin();
    rt::Sleep(7000);
    m_manager->StopJoin();
    EXPECT_EQ(std::count(m_vendor.calls.begin(), m_vendor.calls.end(), "scan"), 0);
    ASSERT_EQ(m_vendor.modes.size(), 1u);
    const unsigned char* mode = m_vendor.modes[0].bytes;
    EXPECT_EQ(Get32(mode + wpsmode::kMode), wpsmode::kPin);
    EXPECT_TRUE(std::all_of(mode + wpsmode::kSsidLength, mode + wpsmode::kLast, [](unsigned char b) { return b == 0; }));
    EXPECT_EQ(mode[wpsmode::kLast], 1);
}

TEST_F(WpsManagerTest, WithoutASurveyOrAWpsAccessPointTheWorkerEndsAndLeavesTheServiceAlone)
{
    struct Case {
        const char* what;
        bool answered;
        std::vector<std::pair<std::string, bool>> entries;
    } cases[] = {
        {"no survey result", false, {}},
        {"no WPS access point", true, {{"Plain", false}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_vendor = FakeVendor{};
        m_vendor.Survey(c.entries);
        m_manager = std::make_unique<CWpsManager>();
        g_szWpsPin.Set("12345670");
        ASSERT_TRUE(m_manager->StartJoinPin(nullptr));
        if (c.answered) m_vendor.surveyDone();
        rt::Sleep(60000);
        EXPECT_FALSE(m_manager->HoldsSurveyList());
        // The worker is over, its flag still up for the wizard's time-out to see.
        EXPECT_EQ(g_bWorkerRunning, 1);
        EXPECT_EQ(m_manager->m_nApCount, 0);
        EXPECT_EQ(std::count(m_vendor.calls.begin(), m_vendor.calls.end(), "flag 1"), 0);
        EXPECT_FALSE(Logged(L"Stop succefully"));
        m_manager->StopJoin();
        EXPECT_EQ(g_bWorkerRunning, 0);
    }
}

TEST_F(WpsManagerTest, StoppingAPushButtonJoinWhilePollingTurnsWpsOffAndDisconnects)
{
    for (bool xp : {false, true}) {
        SCOPED_TRACE(xp ? "Windows XP" : "Windows 7");
        g_bOsXp = xp ? 1 : 0;
        m_vendor = FakeVendor{};
        m_vendor.status = [](int) { return DWORD{2}; };
        m_manager = std::make_unique<CWpsManager>();
        m_manager->StartJoinPBC(nullptr);
        EXPECT_EQ(g_bWorkerRunning, 1);
        rt::Sleep(10000);
        EXPECT_GT(m_vendor.statusQueries, 0);
        m_vendor.calls.clear();
        m_manager->StopJoin();
        EXPECT_EQ(m_vendor.calls, (std::vector<std::string>{"flag 0", xp ? "disassociate" : "wps disconnect"}));
        EXPECT_FALSE(m_manager->PbcThreadSet());
        EXPECT_EQ(g_bWorkerRunning, 0);
        // Nothing more happens: the worker is gone and the service is not restarted.
        int queries = m_vendor.statusQueries;
        rt::Sleep(200000);
        EXPECT_EQ(m_vendor.statusQueries, queries);
        EXPECT_FALSE(Logged(L"Start succefully"));
        // No lock is left held: the log, the texts and the survey hand-over answer.
        g_LogMsg.addLog(L"after the stop", L"Test", LOG_FUNC);
        EXPECT_TRUE(Logged(L"after the stop"));
        EXPECT_EQ(m_manager->Ssid(), L"");
        EXPECT_FALSE(m_manager->HoldsSurveyList());
    }
    g_bOsXp = 0;
}

// A join stopped in its exchange leaves the wireless service stopped while the wizard
// lives (a new attempt or the list page takes it from there); when the manager ends, it
// starts the service again, so that the wizard never leaves the PC without it. A join that
// ended by itself has started it already, and one that never stopped it starts nothing.
TEST_F(WpsManagerTest, TheManagersEndStartsTheServiceAStoppedJoinLeftStopped)
{
    auto service = [this] {
        for (const auto& [name, state] : m_pc->Hardware().View().services)
            if (name == "wlansvc" || name == "Wlansvc") return state;
        return std::string("absent");
    };
    struct Case {
        const char* what;
        std::function<DWORD(int)> status;
        bool stopMidway;
        const char* whileAlive;
    } cases[] = {
        {"stopped while polling", [](int) { return DWORD{2}; }, true, "stopped"},
        {"ended by itself", [](int) { return DWORD{259}; }, false, "running"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_vendor = FakeVendor{};
        m_vendor.status = c.status;
        m_manager = std::make_unique<CWpsManager>();
        m_manager->StartJoinPBC(nullptr);
        rt::Sleep(10000);
        ASSERT_TRUE(Logged(L"Stop succefully"));
        if (c.stopMidway) m_manager->StopJoin();
        else ASSERT_TRUE(WaitForJoinEnd());
        EXPECT_EQ(service(), c.whileAlive);
        m_manager.reset();
        rt::Sleep(5000);  // the service's own start-up
        EXPECT_EQ(service(), "running");
    }
}

TEST_F(WpsManagerTest, AFinishedPushButtonWorkerStaysStoredAndAStopStillTurnsWpsOff)
{
    m_vendor.status = [](int) { return DWORD{259}; };
    m_manager->StartJoinPBC(nullptr);
    ASSERT_TRUE(WaitForJoinEnd());
    EXPECT_TRUE(m_manager->PbcThreadSet());
    m_vendor.calls.clear();
    m_manager->StopJoin();
    EXPECT_EQ(m_vendor.calls, (std::vector<std::string>{"flag 0", "wps disconnect"}));
    EXPECT_TRUE(m_manager->PbcThreadSet());
}

TEST_F(WpsManagerTest, PushButtonStatusCodesEndPollingWithTheirLines)
{
    struct Case {
        DWORD code;
        int polls;
        const wchar_t* line;
    } cases[] = {
        {257, 1, L"CWpsManager::WpsJoinPBCThreadProc() :  Too many PBC AP avaliable."},
        {259, 1, L"CWpsManager::WpsJoinPBCThreadProc() : Received EAP-FAIL."},
        {260, 1, L"CWpsManager::WpsJoinPBCThreadProc() : Receive EAP with wrong NONCE."},
        {261, 1, L"CWpsManager::WpsJoinPBCThreadProc() : Receive EAP without integrity."},
        {2, 120, L"CWpsManager::WpsJoinPBCThreadProc() : No PBC AP avaliable."},
        {258, 120, L"CWpsManager::WpsJoinPBCThreadProc() : No PBC AP avaliable."},
        {7, 120, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        m_vendor = FakeVendor{};
        m_vendor.status = [&c](int) { return c.code; };
        m_manager = std::make_unique<CWpsManager>();
        g_bWpsProfileOk = 1;
        std::int64_t before = rt::NowMs();
        int linesBefore = CountLogged(L"No PBC AP avaliable.");
        m_manager->StartJoinPBC(nullptr);
        ASSERT_TRUE(WaitForJoinEnd());
        EXPECT_EQ(m_vendor.statusQueries, c.polls);
        EXPECT_EQ(g_bWpsProfileOk, 0);
        EXPECT_EQ(m_manager->m_bDone, 0);
        if (c.line) EXPECT_TRUE(Logged(c.line));
        else EXPECT_EQ(CountLogged(L"No PBC AP avaliable."), linesBefore);
        EXPECT_GE(rt::NowMs() - before, 2000 + 600 + c.polls * 1000 + 3000);
        EXPECT_EQ(m_vendor.calls.back(), "wps disconnect");
    }
    EXPECT_EQ(CountLogged(L"CWpsManager::StartJoinPBC - Start Push-Button Configuration."), 7);
}

TEST_F(WpsManagerTest, APushButtonJoinTakesTheCredentialsAndConnects)
{
    struct Case {
        const char* what;
        std::string key;
        DWORD auth, enc;
        int wantAuth, wantCipher;
    } cases[] = {
        {"WPA2 with AES", "correct horse", 0x20, 0x08, 7, 4},
        {"an open network's empty key leaves the security at 0", "", 0x20, 0x08, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_vendor = FakeVendor{};
        m_vendor.Profile("Home", c.key, c.auth, c.enc);
        m_vendor.status = ReadyAt(5);
        m_manager = std::make_unique<CWpsManager>();
        m_manager->StartJoinPBC(nullptr);
        ASSERT_TRUE(WaitForJoinEnd());
        EXPECT_EQ(m_vendor.Between("flag 1", "probe ie 1"),
                  (std::vector<std::string>{"flag 1", "wlan disconnect", "delete profiles", "phy 2", "mode",
                                            "profile zero", "associate ie 1", "probe ie 1"}));
        ASSERT_EQ(m_vendor.modes.size(), 1u);
        EXPECT_EQ(Get32(m_vendor.modes[0].bytes + wpsmode::kMode), wpsmode::kPushButton);
        EXPECT_EQ(m_manager->Auth(), c.wantAuth);
        EXPECT_EQ(m_manager->Cipher(), c.wantCipher);
        EXPECT_EQ(m_manager->Ssid(), L"Home");
        EXPECT_EQ(g_szTargetSsid.Get(), L"Home");
    }
    // With the right key the adapter ends on the network.
    EXPECT_EQ(CountLogged(L"WPS set profile OK, try to connect."), 2);
}

TEST_F(WpsManagerTest, StoppingAPinJoinWhileItWaitsForTheSurveyCallsNothing)
{
    g_szWpsPin.Set("12345670");
    ASSERT_TRUE(m_manager->StartJoinPin(nullptr));
    rt::Sleep(3000);
    m_manager->StopJoin();
    EXPECT_EQ(m_vendor.calls, (std::vector<std::string>{"scan"}));
    EXPECT_FALSE(m_manager->PinThreadSet());
    EXPECT_EQ(g_bWorkerRunning, 0);
    // A survey that arrives later still lands, and goes with the manager.
    m_vendor.surveyDone();
    EXPECT_TRUE(m_manager->HoldsSurveyList());
    m_manager.reset();
    m_vendor.surveyDone();  // nobody asked any more: dropped
}
