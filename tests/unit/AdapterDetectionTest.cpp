// Finding the adapter: the hardware-ID and description rules, and the device walk on a
// simulated PC's network devices.
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "app/Globals.h"
#include "install/AdapterDetection.h"
#include "install/AdapterMonitor.h"
#include "platform/Platform.h"
#include "sim/SimPC.h"

namespace fs = std::filesystem;

namespace {

struct IdCase {
    const wchar_t* id;
    bool sibling;
    bool matches;
};

TEST(AdapterMatching, HardwareIdPrefixCaseAndRevision)
{
    const IdCase cases[] = {
        {L"USB\\VID_1E2C&PID_003B", false, true},
        {L"usb\\vid_1e2c&pid_003b", false, true},             // the device's text is upper-cased
        {L"USB\\VID_1E2C&PID_003B&REV_0101", false, true},    // a revision part follows the ID
        {L"USB\\VID_1E2C&PID_003", false, false},             // shorter than an accepted ID
        {L"USB\\VID_1E2C&PID_003C", false, false},            // a sibling's ID on the main model
        {L"USB\\VID_1E2C&PID_003B", true, false},             // the main model's ID for the siblings
        {L"USB\\VID_1E2C&PID_003C", true, true},
        {L"USB\\VID_1E2C&PID_003D&REV_0001", true, true},
        {L"PCI\\VEN_8086&DEV_10D3", false, false},
        {L"", false, false},
    };
    for (const IdCase& c : cases)
        EXPECT_EQ(HardwareIdMatches(c.id, c.sibling), c.matches) << std::wstring(c.id).size() << " sibling " << c.sibling;
}

TEST(AdapterMatching, SiblingIdsAreTriedInTheirOrder)
{
    EXPECT_EQ(AcceptedHardwareIds(true), (std::vector<std::wstring>{L"USB\\VID_1E2C&PID_003D", L"USB\\VID_1E2C&PID_003C"}));
    EXPECT_EQ(AcceptedHardwareIds(false), (std::vector<std::wstring>{L"USB\\VID_1E2C&PID_003B"}));
}

TEST(AdapterMatching, DescriptionPrefixesAreCaseSensitive)
{
    struct {
        const wchar_t* text;
        bool sibling;
        bool matches;
    } cases[] = {
        {L"Korvana QW4100 Wireless-N USB Adapter", false, true},
        {L"Korvana QW4100", false, true},
        {L"korvana QW4100 Wireless-N USB Adapter", false, false},
        {L"Korvana QW410", false, false},
        {L"Korvana QW2100 Wireless-N USB Adapter", false, false},
        {L"Korvana QW2100 Wireless-N USB Adapter", true, true},
        {L"Korvana QW2600 Wireless-N USB Adapter", true, true},
        {L"Korvana QW4100 Wireless-N USB Adapter", true, false},
        {L"Intel(R) WiFi Link 5100", false, false},
    };
    for (const auto& c : cases) EXPECT_EQ(DescriptionMatches(c.text, c.sibling), c.matches);
}

// A simulated PC with these network devices (and the adapter, when given, after them).
class DeviceWalk : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("tc-adapter-" + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        ResetProcessGlobals();
        ResetInstallProcessValues();
    }
    void TearDown() override
    {
        m_pc.reset();
        fs::remove_all(m_dir);
        g_bSiblingModel = 0;
    }
    void Build(std::vector<sim::DeviceSettings> devices, bool adapterPlugged, bool adapterDriver,
               const std::string& adapterId = "USB\\VID_1E2C&PID_003B")
    {
        sim::Scenario s = sim::DefaultScenario();
        s.devices = std::move(devices);
        s.adapter.plugged = adapterPlugged;
        s.adapter.driverInstalled = adapterDriver;
        s.adapter.hardwareId = adapterId;
        m_pc = std::make_unique<sim::SimPC>(s, m_dir / std::to_string(m_n++), m_dir / "disc");
        InstallPlatform(m_pc->AsPlatform());
    }
    fs::path m_dir;
    int m_n = 0;
    std::unique_ptr<sim::SimPC> m_pc;
};

sim::DeviceSettings Ethernet() { return {"PCI\\VEN_8086&DEV_10D3", "Ethernet", "{AAAAAAAA-0000-0000-0000-000000000001}", "", ""}; }

TEST_F(DeviceWalk, TheAdapterAfterAnotherDeviceIsFoundWithItsOwnId)
{
    Build({Ethernet()}, true, true);
    EXPECT_TRUE(FindAdapterDevice());
    EXPECT_EQ(AdapterNetCfgInstanceId(), L"{5C4A2B1E-0D6F-4E8A-9B3C-7A1D2E3F4051}");
    EXPECT_EQ(AdapterPnpId(), L"USB\\VID_1E2C&PID_003B");
}

TEST_F(DeviceWalk, LowerCaseIdsAndRevisionsMatchAndThePnpIdIsUpperCased)
{
    Build({}, true, true, "usb\\vid_1e2c&pid_003b&rev_0101");
    EXPECT_TRUE(FindAdapterDevice());
    EXPECT_EQ(AdapterPnpId(), L"USB\\VID_1E2C&PID_003B&REV_0101");
}

TEST_F(DeviceWalk, AMatchingDeviceWithoutDriverKeyIsPassedOverAndTheNextDeviceIsNotTaken)
{
    sim::DeviceSettings driverless{"USB\\VID_1E2C&PID_003B", "Korvana QW4100", "", "", ""};
    Build({driverless, Ethernet()}, false, false);
    EXPECT_FALSE(FindAdapterDevice());
    EXPECT_EQ(AdapterNetCfgInstanceId(), L"");
}

TEST_F(DeviceWalk, TheModelVariantChoosesTheIds)
{
    struct {
        bool sibling;
        const char* id;
        bool found;
    } cases[] = {
        {true, "USB\\VID_1E2C&PID_003B", false},  // siblings with only the main model's adapter
        {false, "USB\\VID_1E2C&PID_003C", false}, // main model with only a sibling's adapter
        {true, "USB\\VID_1E2C&PID_003C", true},
        {true, "USB\\VID_1E2C&PID_003D", true},
    };
    for (const auto& c : cases) {
        g_bSiblingModel = c.sibling ? 1 : 0;
        Build({Ethernet()}, true, true, c.id);
        EXPECT_EQ(FindAdapterDevice(), c.found) << c.id << " sibling " << c.sibling;
    }
}

TEST_F(DeviceWalk, AnUnpluggedOrDriverlessAdapterIsNotFound)
{
    Build({Ethernet()}, false, true);
    EXPECT_FALSE(FindAdapterDevice());
    Build({Ethernet()}, true, false);
    EXPECT_FALSE(FindAdapterDevice());
}

TEST(MonitorDump, FirstPassThenEveryFifthAndThePhaseShiftsAfterTheWrap)
{
    // The counter of every pass of the run, as the monitor threads take it.
    std::uint8_t counter = 0;
    std::vector<int> dumped;
    for (int pass = 0; pass < 270; ++pass) {
        std::uint8_t taken = counter++;
        if (MonitorPassDumps(taken)) dumped.push_back(pass);
    }
    ASSERT_GE(dumped.size(), 3u);
    EXPECT_EQ(dumped[0], 0);
    EXPECT_EQ(dumped[1], 5);
    // 255 is a multiple of five and so is the 0 after it: two passes in a row dump.
    EXPECT_NE(std::find(dumped.begin(), dumped.end(), 255), dumped.end());
    EXPECT_NE(std::find(dumped.begin(), dumped.end(), 256), dumped.end());
    EXPECT_NE(std::find(dumped.begin(), dumped.end(), 261), dumped.end());
    EXPECT_EQ(std::find(dumped.begin(), dumped.end(), 260), dumped.end());
}

}  // namespace
