// The chip vendor's library on the simulated PC: the site survey's buffer and its
// elements, the channel arithmetic, and the WPS exchange's status codes and credentials
// as the routers of a scenario play them on the virtual clock.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <unistd.h>

#include "platform/Platform.h"
#include "platform/Text.h"
#include "runtime/Runtime.h"
#include "sim/SimPC.h"
#include "sim/SurveyBuffer.h"

namespace fs = std::filesystem;

namespace {

std::uint32_t U32(const unsigned char* at)
{
    std::uint32_t v;
    std::memcpy(&v, at, 4);
    return v;
}

void Put32(unsigned char* at, std::uint32_t v) { std::memcpy(at, &v, 4); }

// ---- The survey's bytes, without a PC ------------------------------------------------------

TEST(SurveyBuffer, ChannelsAndFrequencies)
{
    struct Case { int channel; ULONG kHz; };
    const Case cases[] = {{1, 2412000}, {6, 2437000}, {11, 2462000}, {13, 2472000}, {14, 2484000},
                          {36, 5180000}, {149, 5745000}, {165, 5825000}};
    for (const Case& c : cases) {
        EXPECT_EQ(sim::ChannelToFrequencyKHz(c.channel), c.kHz) << c.channel;
        EXPECT_EQ(sim::FrequencyToChannel(c.kHz), c.channel) << c.kHz;
    }
    for (ULONG notAChannel : {0UL, 2407000UL, 2413000UL, 2477000UL, 2484001UL, 3000000UL, 5175000UL, 5830000UL})
        EXPECT_EQ(sim::FrequencyToChannel(notAChannel), 0) << notAChannel;
    EXPECT_EQ(sim::ChannelToFrequencyKHz(0), 0u);
    EXPECT_EQ(sim::ChannelToFrequencyKHz(15), 0u);
}

// An entry of exactly its stated length with these elements (so that a read past it is
// a read past the allocation).
std::vector<unsigned char> EntryWith(const std::vector<unsigned char>& ies, std::uint32_t statedIeLength,
                                     std::size_t extraBytes = 0)
{
    std::vector<unsigned char> e(survey::kIes + ies.size() + extraBytes, 0);
    Put32(&e[survey::kLength], static_cast<std::uint32_t>(e.size()));
    Put32(&e[survey::kIeLength], statedIeLength);
    if (!ies.empty()) std::memcpy(&e[survey::kIes], ies.data(), ies.size());
    return e;
}

std::string Parsed(const std::vector<unsigned char>& entry)
{
    std::vector<unsigned char> record(kParsedIeRecordBytes, 0);
    if (!sim::ParseSurveyEntry(entry.data(), record.data())) return "refused";
    return reinterpret_cast<const char*>(&record[kParsedIeWpsFlag]);
}

TEST(SurveyBuffer, TheElementWalkFindsWpsAndStaysInsideTheEntry)
{
    const std::vector<unsigned char> ssid = {0, 4, 'H', 'o', 'm', 'e'};
    const std::vector<unsigned char> wps = {221, 9, 0x00, 0x50, 0xF2, 0x04, 0x10, 0x4A, 0x00, 0x01, 0x10};
    const std::vector<unsigned char> wpa = {221, 6, 0x00, 0x50, 0xF2, 0x01, 0x01, 0x00};
    auto join = [](std::vector<unsigned char> a, const std::vector<unsigned char>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    struct Case { const char* name; std::vector<unsigned char> entry; const char* flag; };
    const std::vector<unsigned char> both = join(ssid, wps);
    std::vector<unsigned char> shortEntry(100, 0);
    Put32(shortEntry.data(), 100);
    const Case cases[] = {
        {"wps", EntryWith(both, static_cast<std::uint32_t>(both.size())), "TRUE"},
        {"wpa only", EntryWith(join(ssid, wpa), static_cast<std::uint32_t>(ssid.size() + wpa.size())), ""},
        {"no elements", EntryWith({}, 0), ""},
        // The WPS element lies beyond the stated element length: not read.
        {"beyond the stated length", EntryWith(both, static_cast<std::uint32_t>(ssid.size())), ""},
        // An element claiming more bytes than are left ends the walk.
        {"truncated", EntryWith({221, 30, 0x00, 0x50, 0xF2, 0x04}, 6), ""},
        {"truncated before wps", EntryWith(join({0, 200, 'x'}, wps), static_cast<std::uint32_t>(3 + wps.size())), ""},
        // A stated element length beyond the entry is cut at the entry's end.
        {"overlong stated length", EntryWith(both, 0xFFFFFFFF), "TRUE"},
        {"overlong, element cut by the entry", EntryWith({221, 9, 0x00, 0x50, 0xF2, 0x04}, 4000), ""},
        {"vendor element too short", EntryWith({221, 3, 0x00, 0x50, 0xF2}, 5), ""},
        {"half an element header at the end", EntryWith(join(ssid, {221}), 7), ""},
        {"entry shorter than its fixed part", shortEntry, "refused"},
    };
    for (const Case& c : cases) EXPECT_EQ(Parsed(c.entry), c.flag) << c.name;
}

sim::SurveyNetwork SurveyNet(const std::string& ssid, bool wps, int channel = 6)
{
    sim::SurveyNetwork n;
    n.ssid = ssid;
    n.wps = wps;
    n.channel = channel;
    n.auth = 7;
    n.cipher = 4;
    n.signal = 80;
    return n;
}

TEST(SurveyBuffer, AFullBufferHoldsTheEntriesThatFitAndNothingPastItsSize)
{
    const std::vector<sim::SurveyNetwork> nets = {SurveyNet("One", true), SurveyNet("Two", false),
                                                  SurveyNet("Three", true)};
    const std::size_t one = sim::SurveyEntry(nets[0]).size(), two = sim::SurveyEntry(nets[1]).size();
    EXPECT_EQ(one % 4, 0u);
    for (std::size_t size : {std::size_t{0}, std::size_t{3}, std::size_t{4}, 4 + one - 1, 4 + one, 4 + one + two - 1,
                             4 + one + two + 500}) {
        std::vector<unsigned char> buffer(size + 64, 0xEE);
        std::size_t used = 12345;
        const std::uint32_t count = sim::WriteSurvey(nets, buffer.data(), size, &used);
        const std::uint32_t expected = size < 4 + one ? 0 : size < 4 + one + two ? 1 : size < 4 + one + two + 500 ? 2 : 3;
        EXPECT_EQ(count, expected) << size;
        EXPECT_LE(used, size);
        for (std::size_t i = std::max(used, size); i < buffer.size(); ++i) ASSERT_EQ(buffer[i], 0xEE) << size << " " << i;
        if (size >= 4) {
            EXPECT_EQ(U32(buffer.data()), count);
        }
        EXPECT_EQ(sim::ReadSurvey(buffer.data(), size).size(), count);
    }
}

TEST(SurveyBuffer, TheReaderChecksEveryLengthAgainstTheBuffer)
{
    std::vector<unsigned char> buffer(4096, 0);
    std::size_t used = 0;
    ASSERT_EQ(sim::WriteSurvey({SurveyNet("One", true), SurveyNet("Two", false)}, buffer.data(), buffer.size(), &used), 2u);
    auto entries = sim::ReadSurvey(buffer.data(), used);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_TRUE(entries[0].complete && entries[1].complete);
    EXPECT_EQ(entries[1].offset, 4 + entries[0].length);
    // A count larger than the entries, an entry's length past the end, a zero length.
    Put32(buffer.data(), 50);
    EXPECT_EQ(sim::ReadSurvey(buffer.data(), used).size(), 2u);
    Put32(&buffer[entries[1].offset], static_cast<std::uint32_t>(used));
    EXPECT_EQ(sim::ReadSurvey(buffer.data(), used).size(), 1u);
    Put32(&buffer[entries[0].offset], 0);
    EXPECT_EQ(sim::ReadSurvey(buffer.data(), used).size(), 0u);
    // An entry whose element length does not fit its own length is listed as incomplete.
    Put32(&buffer[entries[0].offset], static_cast<std::uint32_t>(entries[0].length));
    Put32(&buffer[entries[0].offset + survey::kIeLength], static_cast<std::uint32_t>(entries[0].length));
    entries = sim::ReadSurvey(buffer.data(), used);
    ASSERT_GE(entries.size(), 1u);
    EXPECT_FALSE(entries[0].complete);
}

// ---- The library on the PC ------------------------------------------------------------------

sim::NetworkSettings Net(const std::string& ssid, const std::string& bssid, int channel, int auth, int cipher,
                         const std::string& key)
{
    sim::NetworkSettings n;
    n.ssidBytes = ssid;
    n.bssid = bssid;
    n.channel = channel;
    n.auth = auth;
    n.cipher = cipher;
    n.key = key;
    return n;
}

std::atomic<int> g_surveysDone{0};
std::atomic<std::int64_t> g_surveyDoneAt{-1};
std::atomic<bool> g_surveyDoneOnUi{false};
void SurveyDone()
{
    ++g_surveysDone;
    g_surveyDoneAt = rt::NowMs();
    g_surveyDoneOnUi = rt::IsUiThread();
}

WpsModeRecord PbcMode()
{
    WpsModeRecord m{};
    Put32(m.bytes + wpsmode::kMode, wpsmode::kPushButton);
    m.bytes[wpsmode::kLast] = 1;
    return m;
}

WpsModeRecord PinMode(const std::string& pin, const std::string& ssid = "", const unsigned char* bssid = nullptr)
{
    WpsModeRecord m{};
    Put32(m.bytes + wpsmode::kMode, wpsmode::kPin);
    std::memcpy(m.bytes + wpsmode::kPinDigits, pin.data(), 8);
    Put32(m.bytes + wpsmode::kSsidLength, static_cast<std::uint32_t>(ssid.size()));
    std::memcpy(m.bytes + wpsmode::kSsid, ssid.data(), ssid.size());
    if (bssid) std::memcpy(m.bytes + wpsmode::kBssid, bssid, 6);
    m.bytes[wpsmode::kLast] = 1;
    return m;
}

class SimVendor : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("tc-vendor-" + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "disc");
        rt::Init(rt::ClockMode::Virtual, 0, 1.0);
        m_s = sim::DefaultScenario();
        m_s.adapter.driverInstalled = true;
        m_s.networks = {Net("Home", "00:1A:2B:3C:4D:5E", 6, 7, 4, "correct horse"),
                        Net("Office", "00:1A:2B:3C:4D:60", 11, 4, 2, "office key"),
                        Net("Cafe", "00:1A:2B:3C:4D:61", 1, 1, 0, ""),
                        Net("Attic", "00:1A:2B:3C:4D:62", 36, 7, 4, "attic key 1")};
        m_s.networks[2].wps.pbc = m_s.networks[2].wps.pin = false;
        g_surveysDone = 0;
        g_surveyDoneAt = -1;
    }
    void TearDown() override
    {
        m_pc.reset();
        rt::Shutdown();
        fs::remove_all(m_dir);
    }
    void Build(bool initialise = true)
    {
        m_pc.reset();
        m_pc = std::make_unique<sim::SimPC>(m_s, m_dir / std::to_string(m_n++), m_dir / "disc");
        if (initialise) Hw().RAWL_Initial("Vendor", 0);
    }
    sim::SimHardware& Hw() { return m_pc->Hardware(); }

    // The status code (low 28 bits), or -1 when the query failed.
    long Code()
    {
        DWORD status = 0;
        if (Hw().RAWL_QueryWPSStatus(&status) != 1) return -1;
        return static_cast<long>(status & wpsstatus::kCodeMask);
    }
    // Polls every second for `seconds`, the codes in order.
    std::vector<long> Poll(int seconds)
    {
        std::vector<long> codes;
        for (int i = 0; i < seconds; ++i) {
            rt::Sleep(1000);
            codes.push_back(Code());
        }
        return codes;
    }
    void Start(const WpsModeRecord& mode)
    {
        ASSERT_EQ(Hw().RAWL_WriteWPSFlag(1), 1);
        ASSERT_EQ(Hw().RAWL_SetWPSMode(mode), 1);
    }
    struct Survey {
        std::vector<unsigned char> bytes;
        std::vector<sim::SurveyEntryView> entries;
        std::string Ssid(std::size_t i) const
        {
            const unsigned char* e = &bytes[entries[i].offset];
            return std::string(reinterpret_cast<const char*>(e + survey::kSsid), U32(e + survey::kSsidLength));
        }
    };
    Survey Query(ULONG size = kSurveyBufferBytes)
    {
        Survey s;
        s.bytes.assign(size, 0);
        ULONG inOut = size;
        Hw().RAWL_SiteSurveyQuery(s.bytes.data(), &inOut);
        EXPECT_LE(inOut, size);
        s.entries = sim::ReadSurvey(s.bytes.data(), inOut);
        return s;
    }

    fs::path m_dir;
    int m_n = 0;
    sim::Scenario m_s;
    std::unique_ptr<sim::SimPC> m_pc;
};

bool IsNoPbc(long code) { return wpsstatus::IsNoPbcAp(static_cast<DWORD>(code)); }
bool InProgress(long code) { return code >= 4 && code <= 14; }

TEST_F(SimVendor, TheSurveyListsTheNetworksInRangeInOrderWithTheirWpsElements)
{
    m_s.networks[1].hidden = true;
    m_s.networks.push_back(Net("Far", "00:1A:2B:3C:4D:63", 3, 1, 0, ""));
    m_s.networks.back().present = false;
    Build();
    ASSERT_EQ(Hw().RAWL_SiteSurveyScan(&SurveyDone), 1);
    rt::Sleep(2000);
    EXPECT_EQ(g_surveysDone, 0);
    rt::Sleep(1000);
    ASSERT_EQ(g_surveysDone, 1);
    EXPECT_GE(g_surveyDoneAt, 2000);
    EXPECT_LE(g_surveyDoneAt, 3000);
    EXPECT_FALSE(g_surveyDoneOnUi);

    Survey s = Query();
    ASSERT_EQ(U32(s.bytes.data()), 4u);
    ASSERT_EQ(s.entries.size(), 4u);
    const char* ssids[] = {"Home", "", "Cafe", "Attic"};
    const ULONG kHz[] = {2437000, 2462000, 2412000, 5180000};
    const char* wps[] = {"TRUE", "TRUE", "", "TRUE"};
    for (std::size_t i = 0; i < 4; ++i) {
        const unsigned char* e = &s.bytes[s.entries[i].offset];
        EXPECT_TRUE(s.entries[i].complete);
        EXPECT_EQ(s.Ssid(i), ssids[i]);
        EXPECT_EQ(U32(e + survey::kFrequency), kHz[i]);
        EXPECT_EQ(Hw().RAWL_FrequencyToChannel(U32(e + survey::kFrequency)) & 0xFF, m_s.networks[i].channel);
        std::vector<unsigned char> record(kParsedIeRecordBytes, 0);
        EXPECT_EQ(Hw().RAWL_ParseInfoElement(e, record.data()), 1);
        EXPECT_STREQ(reinterpret_cast<const char*>(&record[kParsedIeWpsFlag]), wps[i]) << i;
    }
    const unsigned char home[6] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
    EXPECT_EQ(std::memcmp(&s.bytes[s.entries[0].offset + survey::kBssid], home, 6), 0);
}

TEST_F(SimVendor, ASecondSurveyRequestJoinsTheRunningOneAndTheResultIsTheWorldAtItsEnd)
{
    Build();
    ASSERT_EQ(Hw().RAWL_SiteSurveyScan(&SurveyDone), 1);
    rt::Sleep(1000);
    ASSERT_EQ(Hw().RAWL_SiteSurveyScan(&SurveyDone), 1);
    ASSERT_TRUE(Hw().SetNetworkPresent("Cafe", false));
    rt::Sleep(5000);
    EXPECT_EQ(g_surveysDone, 1);
    EXPECT_EQ(g_surveyDoneAt, 2500);
    Survey s = Query();
    ASSERT_EQ(s.entries.size(), 3u);
    EXPECT_EQ(s.Ssid(2), "Attic");
    // Until the next survey the list stays as it was.
    ASSERT_TRUE(Hw().SetNetworkPresent("Cafe", true));
    EXPECT_EQ(Query().entries.size(), 3u);
    ASSERT_EQ(Hw().RAWL_SiteSurveyScan(&SurveyDone), 1);
    rt::Sleep(3000);
    EXPECT_EQ(g_surveysDone, 2);
    EXPECT_EQ(Query().entries.size(), 4u);
}

TEST_F(SimVendor, WithoutTheAdapterOrTheLibraryTheSurveyIsEmpty)
{
    Build(false);
    EXPECT_EQ(Hw().RAWL_SiteSurveyScan(&SurveyDone), 0);
    Survey s = Query();
    EXPECT_EQ(U32(s.bytes.data()), 0u);
    Hw().RAWL_Initial("Vendor", 0);
    EXPECT_EQ(Query().entries.size(), 4u);
    Hw().Unplug();
    s = Query();
    EXPECT_EQ(U32(s.bytes.data()), 0u);
    EXPECT_EQ(s.entries.size(), 0u);
    // A survey running when the adapter goes ends empty.
    Hw().Plug();
    ASSERT_EQ(Hw().RAWL_SiteSurveyScan(&SurveyDone), 1);
    Hw().Unplug();
    rt::Sleep(3000);
    EXPECT_EQ(g_surveysDone, 1);
    Hw().Plug();
    EXPECT_EQ(Query().entries.size(), 0u);
}

TEST_F(SimVendor, AFullSurveyBufferHoldsWholeEntriesOnly)
{
    Build();
    const std::size_t first = sim::ReadSurvey(Query().bytes.data(), kSurveyBufferBytes)[0].length;
    Survey s = Query(static_cast<ULONG>(4 + first + 10));
    EXPECT_EQ(U32(s.bytes.data()), 1u);
    EXPECT_EQ(s.entries.size(), 1u);
    // No room even for the count: nothing written.
    std::vector<unsigned char> tiny(3, 0xEE);
    ULONG size = 3;
    Hw().RAWL_SiteSurveyQuery(tiny.data(), &size);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(tiny, std::vector<unsigned char>(3, 0xEE));
}

TEST_F(SimVendor, PushButtonWithoutARouterInItsWindowReadsNoAccessPoint)
{
    Build();
    Start(PbcMode());
    std::vector<long> codes = Poll(30);
    for (long c : codes) EXPECT_TRUE(IsNoPbc(c)) << c;
    EXPECT_EQ(codes.front(), 2);
    // A button pressed on a router without push button, or out of range, does not count.
    m_s.networks[0].wps.pbc = false;
    Build();
    ASSERT_TRUE(Hw().SetNetworkPresent("Office", false));
    Start(PbcMode());
    ASSERT_TRUE(Hw().PressWpsButton("Home"));
    ASSERT_TRUE(Hw().PressWpsButton("Office"));
    for (long c : Poll(10)) EXPECT_TRUE(IsNoPbc(c)) << c;
    EXPECT_FALSE(Hw().PressWpsButton("Nowhere"));
}

TEST_F(SimVendor, OneRouterInItsWindowHandsOutItsCredentials)
{
    Build();
    Start(PbcMode());
    rt::Sleep(5000);
    ASSERT_TRUE(Hw().PressWpsButton("Home"));
    DWORD status = 0;
    ASSERT_EQ(Hw().RAWL_QueryWPSStatus(&status), 1);
    EXPECT_EQ(status & 0xF0000000, 0x20000000u);  // the top bits are the mode's, not the code's
    EXPECT_TRUE(InProgress(status & wpsstatus::kCodeMask));
    WpsProfileRecord profile{};
    EXPECT_EQ(Hw().RAWL_QueryWPSProfile(&profile), 0);
    std::vector<long> codes = Poll(6);
    EXPECT_TRUE(InProgress(codes[0])) << codes[0];
    EXPECT_LE(codes[0], codes[2]);
    EXPECT_EQ(codes.back(), 15);
    ASSERT_EQ(Hw().RAWL_QueryWPSProfile(&profile), 1);
    EXPECT_STREQ(reinterpret_cast<const char*>(profile.bytes + wpsprofile::kSsid), "Home");
    EXPECT_EQ(U32(profile.bytes + wpsprofile::kAuthType), 0x20u);
    EXPECT_EQ(U32(profile.bytes + wpsprofile::kEncryption), 0x08u);
    EXPECT_STREQ(reinterpret_cast<const char*>(profile.bytes + wpsprofile::kKey), "correct horse");
    EXPECT_NE(Hw().View().wpsAttempt.find("credentials handed out (code 15)"), std::string::npos);
    // The flag off ends the attempt; the credentials stay readable until the next one.
    ASSERT_EQ(Hw().RAWL_WriteWPSFlag(0), 1);
    EXPECT_EQ(Code(), 0);
    EXPECT_EQ(Hw().RAWL_QueryWPSProfile(&profile), 1);
    ASSERT_EQ(Hw().RAWL_SetWPSMode(PbcMode()), 1);
    EXPECT_EQ(Hw().RAWL_QueryWPSProfile(&profile), 0);
}

TEST_F(SimVendor, EachOutcomeEndsTheExchangeWithItsCode)
{
    struct Case { const char* outcome; long code; };
    const Case cases[] = {{"credentials", 15}, {"eap-fail", 259}, {"wrong-nonce", 260}, {"no-integrity", 261},
                          {"silent", -2}};
    for (const Case& c : cases) {
        m_s.networks[1].wps.outcome = c.outcome;
        Build();
        ASSERT_TRUE(Hw().PressWpsButton("Office"));
        Start(PbcMode());
        std::vector<long> codes = Poll(60);
        if (c.code == -2) {
            for (long code : codes) EXPECT_TRUE(InProgress(code)) << c.outcome << " " << code;
        } else {
            EXPECT_EQ(codes[10], c.code) << c.outcome;
            EXPECT_EQ(codes.back(), c.code) << c.outcome;
        }
        WpsProfileRecord profile{};
        EXPECT_EQ(Hw().RAWL_QueryWPSProfile(&profile), c.code == 15 ? 1 : 0) << c.outcome;
    }
}

TEST_F(SimVendor, TwoRoutersInTheirWindowsAtOnceAreAnOverlap)
{
    Build();
    ASSERT_TRUE(Hw().PressWpsButton("Home"));
    rt::Sleep(30000);
    ASSERT_TRUE(Hw().PressWpsButton("Attic"));
    Start(PbcMode());
    for (long c : Poll(10)) EXPECT_EQ(c, 257);
    // A second press while the exchange already runs with the first changes nothing.
    Build();
    Start(PbcMode());
    ASSERT_TRUE(Hw().PressWpsButton("Home"));
    rt::Sleep(1000);
    ASSERT_TRUE(Hw().PressWpsButton("Attic"));
    EXPECT_EQ(Poll(5).back(), 15);
}

TEST_F(SimVendor, TheButtonWindowLastsTwoMinutes)
{
    Build();
    ASSERT_TRUE(Hw().PressWpsButton("Home"));
    rt::Sleep(119000);
    EXPECT_EQ(Hw().View().networks[0].buttonSeconds, 1);
    Start(PbcMode());
    EXPECT_EQ(Poll(5).back(), 15);

    Build();
    ASSERT_TRUE(Hw().PressWpsButton("Home"));
    rt::Sleep(120000);
    EXPECT_EQ(Hw().View().networks[0].buttonSeconds, 0);
    Start(PbcMode());
    for (long c : Poll(10)) EXPECT_TRUE(IsNoPbc(c)) << c;
    // Pressed again, it opens again.
    ASSERT_TRUE(Hw().PressWpsButton("Home"));
    EXPECT_EQ(Poll(5).back(), 15);
}

TEST_F(SimVendor, ARouterLeavingRangeMidExchangeIsLookedForAgainButNotAfterItsEnd)
{
    Build();
    Start(PbcMode());
    ASSERT_TRUE(Hw().PressWpsButton("Home"));
    rt::Sleep(2000);
    ASSERT_TRUE(Hw().SetNetworkPresent("Home", false));
    for (long c : Poll(10)) EXPECT_TRUE(IsNoPbc(c)) << c;
    ASSERT_TRUE(Hw().SetNetworkPresent("Home", true));  // its window is still open
    rt::Sleep(4000);
    ASSERT_TRUE(Hw().SetNetworkPresent("Home", false));  // gone only after the exchange
    EXPECT_EQ(Code(), 15);
    WpsProfileRecord profile{};
    EXPECT_EQ(Hw().RAWL_QueryWPSProfile(&profile), 1);
}

// The world's record holds the attempt's moments, so that a run can be judged by them:
// the exchange's end at the moment it ended, not at the question that saw it.
TEST_F(SimVendor, TheWorldRecordHasTheAttemptsMoments)
{
    Build();
    const std::int64_t t0 = rt::NowMs();
    Start(PbcMode());
    rt::Sleep(1000);
    ASSERT_TRUE(Hw().PressWpsButton("Home"));
    rt::Sleep(2000);
    ASSERT_TRUE(Hw().SetNetworkPresent("Home", false));
    rt::Sleep(1000);
    ASSERT_TRUE(Hw().SetNetworkPresent("Home", true));
    rt::Sleep(7000);
    EXPECT_EQ(Code(), 15);
    ASSERT_EQ(Hw().RAWL_WriteWPSFlag(0), 1);
    ASSERT_EQ(Hw().RAWL_WriteWPSFlag(0), 1);  // no attempt left to end
    std::vector<std::string> wps;
    for (const auto& e : Hw().WorldTrace())
        if (e.what.rfind("wps: ", 0) == 0 || e.what.rfind("world: wps", 0) == 0)
            wps.push_back(std::to_string(e.atMs - t0) + " " + e.what);
    const std::vector<std::string> expected = {
        "0 wps: push-button attempt started",
        "1000 world: wps-button \"Home\"",
        "1000 wps: exchange with \"Home\"",
        "3000 wps: \"Home\" lost in the exchange",
        "4000 wps: exchange with \"Home\"",
        "8000 wps: \"Home\" hands out its credentials",
        "11000 wps: push-button attempt ended",
    };
    EXPECT_EQ(wps, expected);
}

TEST_F(SimVendor, APinJoinSucceedsWithTheRouterThatHasThePin)
{
    const unsigned char attic[6] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x62};
    const unsigned char other[6] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x99};
    struct Case {
        const char* name;
        WpsModeRecord mode;
        const char* typedInto;
        const char* typed;
        std::int64_t typedBeforeMs;
        const char* credentialsOf;  // null: no credentials
    };
    const Case cases[] = {
        {"chosen router, right PIN", PinMode("12345670", "Attic", attic), "Attic", "12345670", 0, "Attic"},
        {"no router named, any will do", PinMode("12345670"), "Office", "12345670", 0, "Office"},
        {"typed a minute ago", PinMode("12345670", "Home"), "Home", "12345670", 60000, "Home"},
        {"wrong PIN", PinMode("12345670", "Attic", attic), "Attic", "12345671", 0, nullptr},
        {"typed too long ago", PinMode("12345670", "Attic", attic), "Attic", "12345670", 121000, nullptr},
        {"into another router", PinMode("12345670", "Attic", attic), "Home", "12345670", 0, nullptr},
        {"right name, other BSSID", PinMode("12345670", "Attic", other), "Attic", "12345670", 0, nullptr},
        {"router without PIN mode", PinMode("12345670", "Cafe"), "Cafe", "12345670", 0, nullptr},
    };
    for (const Case& c : cases) {
        Build();
        ASSERT_TRUE(Hw().TypePinIntoRouter(c.typedInto, c.typed)) << c.name;
        rt::Sleep(c.typedBeforeMs);
        Start(c.mode);
        std::vector<long> codes;
        for (int i = 0; i < 10; ++i) {  // as the PIN join polls: every 3 seconds
            rt::Sleep(3000);
            codes.push_back(Code());
        }
        WpsProfileRecord profile{};
        if (c.credentialsOf) {
            EXPECT_EQ(codes.back(), 15) << c.name;
            ASSERT_EQ(Hw().RAWL_QueryWPSProfile(&profile), 1) << c.name;
            EXPECT_STREQ(reinterpret_cast<const char*>(profile.bytes + wpsprofile::kSsid), c.credentialsOf) << c.name;
        } else {
            for (long code : codes) EXPECT_TRUE(InProgress(code)) << c.name << " " << code;
            EXPECT_EQ(Hw().RAWL_QueryWPSProfile(&profile), 0) << c.name;
        }
    }
}

TEST_F(SimVendor, APinTypedWhileTheAttemptRunsAndThePcsPinSource)
{
    Build();
    std::string wizardPin = "87654325";
    Hw().SetWizardPinSource([&] { return wizardPin; });
    Start(PinMode("87654325", "Office"));
    EXPECT_TRUE(InProgress(Poll(20).back()));
    ASSERT_TRUE(Hw().TypePinIntoRouter("Office"));
    EXPECT_EQ(Hw().View().networks[1].typedPin, "87654325");
    EXPECT_EQ(Hw().View().networks[1].pinSeconds, 120);
    EXPECT_EQ(Poll(5).back(), 15);
    // A new mode record restarts the exchange: a new PIN the router was not told.
    ASSERT_EQ(Hw().RAWL_SetWPSMode(PinMode("11111114", "Office")), 1);
    for (long c : Poll(10)) EXPECT_TRUE(InProgress(c)) << c;
    EXPECT_FALSE(Hw().TypePinIntoRouter("Nowhere"));
}

TEST_F(SimVendor, TheCredentialsTheScenarioGivesAreCutToTheRecord)
{
    sim::WpsCredentials c;
    c.ssid = std::string(40, 'S');
    c.key = std::string(2000, 'k');
    c.auth = "WPA-Personal";
    c.encryption = "4";
    m_s.networks[0].wps.credentials = c;
    m_s.networks[1].key.clear();
    m_s.networks[1].auth = 1;
    m_s.networks[1].cipher = 0;
    Build();
    ASSERT_TRUE(Hw().PressWpsButton("Home"));
    Start(PbcMode());
    ASSERT_EQ(Poll(5).back(), 15);
    WpsProfileRecord profile;
    std::memset(profile.bytes, 0xAB, sizeof profile.bytes);
    ASSERT_EQ(Hw().RAWL_QueryWPSProfile(&profile), 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(profile.bytes + wpsprofile::kSsid), 32), std::string(32, 'S'));
    EXPECT_EQ(U32(profile.bytes + wpsprofile::kAuthType), 0x02u);
    EXPECT_EQ(U32(profile.bytes + wpsprofile::kEncryption), 0x04u);
    const std::size_t keyRoom = sizeof profile.bytes - wpsprofile::kKey - 1;
    EXPECT_EQ(std::strlen(reinterpret_cast<const char*>(profile.bytes + wpsprofile::kKey)), keyRoom);
    EXPECT_EQ(profile.bytes[sizeof profile.bytes - 1], 0);

    // An open network: open, no encryption, an empty key.
    Build();
    ASSERT_TRUE(Hw().PressWpsButton("Office"));
    Start(PbcMode());
    ASSERT_EQ(Poll(5).back(), 15);
    ASSERT_EQ(Hw().RAWL_QueryWPSProfile(&profile), 1);
    EXPECT_STREQ(reinterpret_cast<const char*>(profile.bytes + wpsprofile::kSsid), "Office");
    EXPECT_EQ(U32(profile.bytes + wpsprofile::kAuthType), 0x01u);
    EXPECT_EQ(U32(profile.bytes + wpsprofile::kEncryption), 0x01u);
    EXPECT_EQ(profile.bytes[wpsprofile::kKey], 0);
}

TEST_F(SimVendor, TheAttemptEndsWithTheAdapterAndTheDisconnects)
{
    Build();
    Start(PbcMode());
    EXPECT_TRUE(IsNoPbc(Code()));
    Hw().Unplug();
    EXPECT_EQ(Code(), -1);
    EXPECT_EQ(Hw().RAWL_SetWPSMode(PbcMode()), 0);
    Hw().Plug();
    EXPECT_EQ(Code(), 0);  // the attempt went with the adapter
    EXPECT_FALSE(Hw().View().wpsFlag);
    for (auto end : {&sim::SimHardware::RAWL_WPSDisconnect, &sim::SimHardware::RAWL_Disassociate}) {
        Start(PbcMode());
        EXPECT_NE(Code(), 0);
        EXPECT_EQ((Hw().*end)(), 1);
        EXPECT_EQ(Code(), 0);
    }
    WpsModeRecord unknown = PbcMode();
    Put32(unknown.bytes, 0x40000000);
    EXPECT_EQ(Hw().RAWL_SetWPSMode(unknown), 0);
    EXPECT_EQ(Code(), 0);
}

TEST_F(SimVendor, TheLibraryDropsTheAssociationAndTheServicesProfiles)
{
    m_s.adapter.connectedTo = "Home";
    m_s.wlanProfiles = {"Home", "Office"};
    Build();
    EXPECT_EQ(Hw().View().association, "Home");
    EXPECT_EQ(Hw().RAWL_WlanDisconnect(), 1);
    EXPECT_EQ(Hw().View().association, "");
    EXPECT_EQ(Hw().View().profiles.size(), 2u);
    EXPECT_EQ(Hw().RAWL_WlanDeleteAllWindowsProfiles(), 1);
    EXPECT_TRUE(Hw().View().profiles.empty());
    // Also on the next run of the PC.
    m_s.adapter.connectedTo.reset();
    m_pc.reset();
    m_pc = std::make_unique<sim::SimPC>(m_s, m_dir / std::to_string(m_n - 1), m_dir / "disc");
    EXPECT_TRUE(Hw().View().profiles.empty());
}

TEST_F(SimVendor, TheScenariosWpsEventsArePlayedAtTheirTimes)
{
    m_s.events = {{10000, "wps-button", {"Home"}, 1}, {200000, "router-pin", {"Office"}, 2}};
    Build();
    Hw().SetWizardPinSource([] { return std::string("24681355"); });
    EXPECT_TRUE(Hw().UnsupportedEvents().empty());
    Hw().StartScenarioEvents();
    Start(PbcMode());
    std::vector<long> codes = Poll(16);
    EXPECT_TRUE(IsNoPbc(codes[5]));
    EXPECT_EQ(codes.back(), 15);
    rt::Sleep(190000);
    Start(PinMode("24681355"));
    EXPECT_EQ(Poll(5).back(), 15);
    WpsProfileRecord profile{};
    ASSERT_EQ(Hw().RAWL_QueryWPSProfile(&profile), 1);
    EXPECT_STREQ(reinterpret_cast<const char*>(profile.bytes + wpsprofile::kSsid), "Office");
    Hw().StopScenarioEvents();
}

}  // namespace

// ---- The survey's thread on both clocks ------------------------------------------------------

namespace bothclocks {

sim::SimHardware* g_hw = nullptr;
std::atomic<int> g_first{0}, g_second{0};
std::atomic<bool> g_asked{false};
void SecondDone() { ++g_second; }
// The program may ask for the next survey from inside the callback, on the library's thread.
void FirstDone()
{
    ++g_first;
    if (!g_asked.exchange(true)) g_hw->RAWL_SiteSurveyScan(&SecondDone);
}

class SurveyThread : public ::testing::TestWithParam<rt::ClockMode> {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("tc-vendor-clocks-" + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "disc");
        rt::Init(GetParam(), 0, 1.0);
        sim::Scenario s = sim::DefaultScenario();
        s.adapter.driverInstalled = true;
        m_pc = std::make_unique<sim::SimPC>(s, m_dir / "machine", m_dir / "disc");
        g_hw = &m_pc->Hardware();
        g_hw->RAWL_Initial("Vendor", 0);
        g_first = g_second = 0;
        g_asked = false;
    }
    void TearDown() override
    {
        m_pc.reset();
        g_hw = nullptr;
        rt::Shutdown();
        fs::remove_all(m_dir);
    }
    // Lets time pass until the condition holds (at most `ms`).
    template <class F> bool Until(F condition, std::int64_t ms)
    {
        for (std::int64_t waited = 0; waited <= ms; waited += 50) {
            if (condition()) return true;
            rt::Sleep(50);
        }
        return condition();
    }
    fs::path m_dir;
    std::unique_ptr<sim::SimPC> m_pc;
};

TEST_P(SurveyThread, TheCallbackComesFromTheLibrarysThreadAndMayAskAgain)
{
    const std::int64_t start = rt::NowMs();
    ASSERT_EQ(g_hw->RAWL_SiteSurveyScan(&FirstDone), 1);
    ASSERT_TRUE(Until([] { return g_second == 1; }, 8000));
    EXPECT_EQ(g_first, 1);
    EXPECT_GE(rt::NowMs() - start, 5000);
}

TEST_P(SurveyThread, AProcessEndingOrThePcGoingStopsAPendingSurveyWithoutItsCallback)
{
    ASSERT_EQ(g_hw->RAWL_SiteSurveyScan(&FirstDone), 1);
    rt::Sleep(500);
    rt::StopAllWorkers();  // the program's process ends
    rt::Sleep(2300);       // past the survey's end
    EXPECT_EQ(g_first, 0);
    // The next process's survey starts a new thread and a new survey.
    g_asked = true;
    ASSERT_EQ(g_hw->RAWL_SiteSurveyScan(&FirstDone), 1);
    ASSERT_TRUE(Until([] { return g_first == 1; }, 4000));
    ASSERT_EQ(g_hw->RAWL_SiteSurveyScan(&SecondDone), 1);
    rt::Sleep(500);
    m_pc.reset();  // joins the library's thread; the callback never comes
    g_hw = nullptr;
    rt::Sleep(2300);
    EXPECT_EQ(g_second, 0);
}

std::string ClockName(const ::testing::TestParamInfo<rt::ClockMode>& info)
{
    return info.param == rt::ClockMode::Virtual ? "Virtual" : "Real";
}

INSTANTIATE_TEST_SUITE_P(SimVendor, SurveyThread, ::testing::Values(rt::ClockMode::Virtual, rt::ClockMode::Real),
                         ClockName);

}  // namespace bothclocks
