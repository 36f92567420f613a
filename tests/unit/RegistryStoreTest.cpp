// The simulated PC's registry file: kept between runs, readable, and a damaged file
// is reported with its path and line, never silently reset.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "sim/RegistryStore.h"
#include "sim/Scenario.h"
#include "sim/SimPC.h"

namespace fs = std::filesystem;

namespace {
fs::path TempDir(const std::string& name)
{
    fs::path dir = fs::temp_directory_path() / ("tc-registry-" + name + "-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}
}  // namespace

TEST(RegistryStore, KeepsValuesAcrossLoadsAndIgnoresCase)
{
    fs::path dir = TempDir("keep");
    {
        sim::RegistryStore store(dir / "registry.txt");
        store.SetValue(L"HKLM\\Software\\Tesra Systems\\Tesra connect\\Metrics\\AdapterSetup\\", L"adapter",
                       L"QW4100 \"quoted\" \\ back");
        store.Save();
    }
    sim::RegistryStore again(dir / "registry.txt");
    EXPECT_TRUE(again.KeyExists(L"hklm\\software\\tesra systems"));
    EXPECT_EQ(again.Value(L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Tesra Systems\\Tesra connect\\Metrics\\AdapterSetup",
                          L"ADAPTER"),
              std::wstring(L"QW4100 \"quoted\" \\ back"));
    EXPECT_FALSE(again.Value(L"HKLM\\Software", L"adapter"));
}

TEST(RegistryStore, DamagedFileNamesPathLineAndReason)
{
    struct Case { const char* text; const char* reason; };
    const Case cases[] = {
        {"[HKLM\\A]\n\"a\"=\"1\"\n\"b\"=2\n", ":3: the data must be a quoted text"},
        {"\"a\"=\"1\"\n", ":1: a value before any [KEY] line"},
        {"[HKLM\\A\n", ":1: a key line must read [KEY]"},
        {"[Other\\A]\n", ":1: a key must start with HKLM or HKCU"},
        {"; note\n\n[HKLM\\A]\n\"a\"=\"1\" x\n", ":4: text after the value"},
        {"[HKLM\\A]\n\"a\"=\"1\n", ":2: the data must be a quoted text"},
    };
    fs::path dir = TempDir("damaged");
    for (const auto& c : cases) {
        fs::path file = dir / "registry.txt";
        std::ofstream(file) << c.text;
        try {
            sim::RegistryStore store(file);
            ADD_FAILURE() << "no error for " << c.text;
        } catch (const sim::ScenarioError& e) {
            EXPECT_EQ(std::string(e.what()), file.string() + c.reason);
        }
    }
}

TEST(SimPC, NamedMutexHeldUntilReleased)
{
    fs::path dir = TempDir("mutex");
    sim::SimPC pc(sim::DefaultScenario(), dir, dir / "disc");
    LONG first = -1, second = -1, third = -1;
    auto held = pc.CreateMutexW(L"Korvana QW4100 QW2100_QW2600_V2", &first);
    auto again = pc.CreateMutexW(L"Korvana QW4100 QW2100_QW2600_V2", &second);
    EXPECT_EQ(first, ERROR_SUCCESS);
    EXPECT_EQ(second, ERROR_ALREADY_EXISTS);
    again.reset();
    held.reset();
    auto later = pc.CreateMutexW(L"Korvana QW4100 QW2100_QW2600_V2", &third);
    EXPECT_EQ(third, ERROR_SUCCESS);
}

TEST(SimPC, AppDataFolderFollowsTheWindowsVersion)
{
    fs::path dir = TempDir("appdata");
    sim::Scenario xp = sim::DefaultScenario();
    xp.os.version = "5.1";
    EXPECT_EQ(sim::SimPC(xp, dir / "xp", dir).GetCommonAppDataFolder(),
              L"C:\\Documents and Settings\\All Users\\Application Data");
    EXPECT_EQ(sim::SimPC(sim::DefaultScenario(), dir / "7", dir).GetCommonAppDataFolder(), L"C:\\ProgramData");
}

TEST(RegistryStore, AFailedWriteKeepsTheOldFileAndSaysSo)
{
    fs::path dir = TempDir("readonly");
    sim::RegistryStore store(dir / "registry.txt");
    store.SetValue(L"HKLM\\A", L"v", L"1");
    ASSERT_TRUE(store.Save());
    // A folder where the temporary file would go makes the write fail.
    fs::create_directories(dir / "registry.txt.tmp");
    store.SetValue(L"HKLM\\A", L"v", L"2");
    EXPECT_FALSE(store.Save());
    EXPECT_EQ(sim::RegistryStore(dir / "registry.txt").Value(L"HKLM\\A", L"v"), std::wstring(L"1"));
}
