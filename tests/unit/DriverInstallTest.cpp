// The driver installation's decisions on simulated PCs: what is updated, what goes to the
// driver store, when the installer program runs, and the user's file-type policy.
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "app/Globals.h"
#include "install/AdapterDetection.h"
#include "install/AdapterMonitor.h"
#include "install/DriverInstall.h"
#include "platform/Platform.h"
#include "runtime/Runtime.h"
#include "sim/SimPC.h"

namespace fs = std::filesystem;

namespace {

// The wizard as the workers see it: it records what they ask of it.
struct FakeHost : InstallHost {
    int pages = 0, insertStarts = 0, runnerStarts = 0, cancels = 0, closes = 0, vendorInits = 0, scans = 0;
    std::vector<UINT_PTR> killedTimers;
    void ShowStatePage() override { ++pages; }
    void KillWizardTimer(UINT_PTR id) override { killedTimers.push_back(id); }
    void StartInsertAdapterWorker() override { ++insertStarts; }
    void StartDriverInstallerRunner() override { ++runnerStarts; }
    void NotifyAdapterFound() override {}
    void ScanNetworkList() override { ++scans; }
    void CloseDialogsForRemoval() override { ++closes; }
    void OnCancelProcess() override { ++cancels; }
    void InitVendorLibrary() override { ++vendorInits; }
};

// The device installer of the PC, with every driver update it is asked for written down.
struct CountingInstaller : DeviceInstaller {
    DeviceInstaller* inner = nullptr;
    std::vector<std::wstring> updates;
    std::unique_ptr<DeviceInfoSet> SetupDiGetClassDevsW(const std::wstring& g, DWORD f) override
    {
        return inner->SetupDiGetClassDevsW(g, f);
    }
    BOOL UpdateDriverForPlugAndPlayDevicesW(const std::wstring& id, const std::wstring& inf, DWORD flags, BOOL* reboot,
                                            LONG* error) override
    {
        updates.push_back(id);
        return inner->UpdateDriverForPlugAndPlayDevicesW(id, inf, flags, reboot, error);
    }
    BOOL SetupCopyOEMInfW(const std::wstring& s, DWORD m, DWORD c, std::wstring* d, DWORD n, LONG* e) override
    {
        return inner->SetupCopyOEMInfW(s, m, c, d, n, e);
    }
};

const std::wstring k3B = L"USB\\VID_1E2C&PID_003B", k3C = L"USB\\VID_1E2C&PID_003C", k3D = L"USB\\VID_1E2C&PID_003D";
const wchar_t* const kPolicyKey = L"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Associations";

class DriverInstall : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("tc-install-" + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "empty-disc");
        ResetProcessGlobals();
        ResetInstallProcessValues();
        rt::Init(rt::ClockMode::Virtual, 0, 1.0);
    }
    void TearDown() override
    {
        rt::Shutdown();
        m_pc.reset();
        fs::remove_all(m_dir);
    }
    void Build(const std::string& arch, bool plugged, bool driver, const std::string& id, bool disc = true,
               std::map<std::string, std::map<std::string, std::string>> registry = {})
    {
        sim::Scenario s = sim::DefaultScenario();
        s.os.arch = arch;
        s.adapter.plugged = plugged;
        s.adapter.driverInstalled = driver;
        s.adapter.hardwareId = id;
        s.registry = std::move(registry);
        fs::path discDir = disc ? fs::path(TC_SOURCE_DIR) / "disc" : m_dir / "empty-disc";
        m_pc = std::make_unique<sim::SimPC>(s, m_dir / std::to_string(m_n++), discDir);
        Platform p = m_pc->AsPlatform();
        m_installer.inner = p.devices;
        m_installer.updates.clear();
        p.devices = &m_installer;
        InstallPlatform(p);
        g_bOs64Bit = arch == "x64" ? 1 : 0;
        m_host.m_nInstallResult = 1;  // as the install worker sets it before it installs
    }
    bool DriverInStore() { return Os().files->PathFileExistsW(L"C:\\Windows\\INF\\oem0.inf"); }

    fs::path m_dir;
    int m_n = 0;
    std::unique_ptr<sim::SimPC> m_pc;
    CountingInstaller m_installer;
    FakeHost m_host;
};

TEST_F(DriverInstall, AnAdapterAlreadyInstalledAndPluggedGetsNothingInstalled)
{
    Build("x86", true, true, "USB\\VID_1E2C&PID_003B");
    WiFiInstallThreadProc(&m_host);
    EXPECT_EQ(m_host.m_bInstalledThisRun, 0);
    EXPECT_TRUE(m_installer.updates.empty());
    EXPECT_EQ(m_host.m_nState, 4);
    EXPECT_EQ(m_host.insertStarts, 1);
    EXPECT_EQ(m_host.pages, 1);
    EXPECT_EQ(m_host.killedTimers, std::vector<UINT_PTR>{0});
}

struct Decision {
    const char* what;
    bool plugged;
    const char* id;
    bool disc;
    std::vector<std::wstring> updates;
    int result;
    bool adapterReady;  // the adapter has its driver afterwards
    bool inStore;
};

TEST_F(DriverInstall, ThirtyTwoBitDecisions)
{
    const Decision cases[] = {
        {"main model plugged: 003B, and 003D still tried", true, "USB\\VID_1E2C&PID_003B&REV_0101", true, {k3B, k3D}, 1,
         true, true},
        {"not plugged: all three fail, the store keeps the package", false, "USB\\VID_1E2C&PID_003B", true,
         {k3B, k3C, k3D}, 1, false, true},
        {"only a 003C device: the second update succeeds, the third is not tried", true, "USB\\VID_1E2C&PID_003C", true,
         {k3B, k3C}, 1, true, true},
        {"not plugged and no package on the disc: the installation failed", false, "USB\\VID_1E2C&PID_003B", false,
         {k3B, k3C, k3D}, 2, false, false},
    };
    for (const Decision& c : cases) {
        SCOPED_TRACE(c.what);
        g_bSiblingModel = std::string(c.id).find("003C") != std::string::npos ? 1 : 0;
        Build("x86", c.plugged, false, c.id, c.disc);
        SilentInstall(&m_host);
        EXPECT_EQ(m_installer.updates, c.updates);
        EXPECT_EQ(m_host.m_nInstallResult, c.result);
        EXPECT_EQ(m_host.m_bInstalledThisRun, 1);
        EXPECT_EQ(m_host.runnerStarts, 0);
        EXPECT_EQ(FindAdapterDevice(), c.adapterReady);
        EXPECT_EQ(DriverInStore(), c.inStore);
    }
    g_bSiblingModel = 0;
}

TEST_F(DriverInstall, ThePackageInTheStoreReachesAnAdapterPluggedLater)
{
    Build("x86", false, false, "USB\\VID_1E2C&PID_003B");
    SilentInstall(&m_host);
    EXPECT_FALSE(FindAdapterDevice());
    m_pc->Hardware().Plug();
    EXPECT_TRUE(FindAdapterDevice());
}

TEST_F(DriverInstall, SixtyFourBitRunsTheInstallerAndGivesTheUserBackTheFileTypePolicy)
{
    struct {
        const char* what;
        std::map<std::string, std::map<std::string, std::string>> registry;
        std::optional<std::wstring> after;
    } cases[] = {
        {"the user had a value", {{"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Associations", {{"LowRiskFileTypes", ".zip;.rar"}}}}, L".zip;.rar"},
        {"the user had none", {}, std::nullopt},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.what);
        ResetInstallProcessValues();
        Build("x64", true, false, "USB\\VID_1E2C&PID_003B", true, c.registry);
        SilentInstall(&m_host);
        EXPECT_EQ(m_host.runnerStarts, 1);
        EXPECT_TRUE(m_installer.updates.empty());
        EXPECT_EQ(m_host.m_nInstallResult, 1);
        EXPECT_EQ(m_pc->RegistryValue(kPolicyKey, L"LowRiskFileTypes"), c.after);
        m_host.runnerStarts = 0;
    }
}

TEST_F(DriverInstall, TheInstallerProgramInstallsTheSixtyFourBitPackageOrIsMissing)
{
    Build("x64", true, false, "USB\\VID_1E2C&PID_003B");
    WiFiDriverInstallerThreadProc(&m_host);
    EXPECT_EQ(g_bDriverInstallerRunning, 0);
    EXPECT_TRUE(FindAdapterDevice());

    // Missing from the disc: the runner ends at once and nothing is installed.
    Build("x64", true, false, "USB\\VID_1E2C&PID_003B", false);
    std::int64_t before = rt::NowMs();
    WiFiDriverInstallerThreadProc(&m_host);
    EXPECT_EQ(g_bDriverInstallerRunning, 0);
    EXPECT_EQ(rt::NowMs(), before);
    EXPECT_FALSE(FindAdapterDevice());
}

TEST_F(DriverInstall, TheMonitorStartedWithoutTheAdapterReportsAtOnce)
{
    Build("x64", false, true, "USB\\VID_1E2C&PID_003B");
    std::int64_t before = rt::NowMs();
    WiFiAdapterMonitorThreadProc(&m_host);
    EXPECT_EQ(rt::NowMs(), before);
    EXPECT_EQ(m_host.closes, 1);
    EXPECT_EQ(m_host.cancels, 1);
    EXPECT_EQ(m_host.vendorInits, 0);
    EXPECT_EQ(s_nMonitorPass, 1);
}

}  // namespace
