// The simulated PC's registry file: kept between runs, readable, and a damaged file
// is reported with its path and line, never silently reset.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "sim/HostFile.h"
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
        {"[Other\\A]\n", ":1: the key must begin with HKLM, HKCU, HKCR, HKU, HKCC or their long names"},
        {"[HKLM\\A\\\\B]\n", ":1: the key has an empty name between two backslashes"},
        {"[HKLM\\A] x\n", ":1: text after the key"},
        {"[\"HKLM\\\\A\\q\"]\n", ":1: a key line must read [KEY] or [\"KEY\"]"},
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

TEST(RegistryStore, ReadsBackEveryKeyItWrites)
{
    // Every root the scenario accepts, and names with characters the file format must escape.
    const std::wstring keys[] = {
        L"HKCR\\.tcs\\Shell",
        L"HKU\\S-1-5-21\\Software",
        L"HKCC\\System\\CurrentControlSet",
        L"HKEY_CLASSES_ROOT\\Long\\Name",
        L"HKLM\\Software\\two\nlines",
        L"HKLM\\Software\\\"quoted\" ] and ; [x]",
        L"HKCU\\tab\there\rcr end ",
        L"HKLM\\only-key-no-values",
    };
    fs::path dir = TempDir("roundtrip");
    {
        sim::RegistryStore store(dir / "registry.txt");
        for (const std::wstring& key : keys) {
            ASSERT_TRUE(store.CreateKey(key)) << sim::RegistryStore::KeyProblem(key);
            if (key.find(L"no-values") == std::wstring::npos) {
                ASSERT_TRUE(store.SetValue(key, L"name\nwith \"quotes\"", key + L" = data\n"));
            }
        }
        ASSERT_TRUE(store.Save());
    }
    sim::RegistryStore again(dir / "registry.txt");
    for (const std::wstring& key : keys) {
        EXPECT_TRUE(again.KeyExists(key));
        if (key.find(L"no-values") == std::wstring::npos) {
            EXPECT_EQ(again.Value(key, L"NAME\nWITH \"QUOTES\""), key + L" = data\n");
        }
    }
    EXPECT_TRUE(again.KeyExists(L"HKCR\\.tcs"));  // parents are kept without a line of their own
    EXPECT_TRUE(again.KeyExists(L"HKEY_CURRENT_CONFIG\\System"));
    EXPECT_EQ(sim::RegistryStore::Serialise(again), sim::RegistryStore::Serialise(
                                                        sim::RegistryStore::FromText(sim::RegistryStore::Serialise(again), "x")));
}

TEST(RegistryStore, ASecondRunReadsWhatTheScenarioPutThere)
{
    // The first run writes the scenario's registry; the second run on the same PC reads it.
    sim::Scenario s = sim::ParseScenario(R"({ "registry": {
        "HKCR\\.tcs": { "": "TesraScript" },
        "HKU\\.DEFAULT\\Control Panel": { "x": "1" },
        "HKCC\\Software\\two\nlines": { "y": "2" } } })", "pc.json");
    fs::path dir = TempDir("secondrun");
    { sim::SimPC first(s, dir / "machine", dir); }
    sim::SimPC second(s, dir / "machine", dir);
    EXPECT_EQ(second.RegistryValue(L"HKCR\\.tcs", L""), std::wstring(L"TesraScript"));
    EXPECT_EQ(second.RegistryValue(L"HKCC\\Software\\two\nlines", L"y"), std::wstring(L"2"));
}

TEST(RegistryStore, RefusesKeysWindowsRefuses)
{
    const std::wstring longName(256, L'n');
    std::wstring deep = L"HKLM";
    for (int i = 0; i < 513; ++i) deep += L"\\k";
    struct Case { std::wstring key; std::string problem; };
    const Case cases[] = {
        {L"HKLM\\a\\\\b", "has an empty name between two backslashes"},
        {L"HKLM\\" + std::wstring(20000, L'\\') + L"x", "has an empty name between two backslashes"},
        {L"\\HKLM\\a", "must begin with HKLM, HKCU, HKCR, HKU, HKCC or their long names"},
        {L"HKXX\\a", "must begin with HKLM, HKCU, HKCR, HKU, HKCC or their long names"},
        {L"HKLM\\" + longName, "has a name longer than 255 characters"},
        {deep, "is more than 512 levels deep"},
    };
    fs::path dir = TempDir("refused");
    sim::RegistryStore store(dir / "registry.txt");
    for (const Case& c : cases) {
        EXPECT_EQ(sim::RegistryStore::KeyProblem(c.key), c.problem);
        EXPECT_FALSE(store.CreateKey(c.key));
        EXPECT_FALSE(store.SetValue(c.key, L"v", L"1"));
    }
    EXPECT_TRUE(store.Empty());
    // At the limits themselves a key is fine, and a deep one is written as one line.
    deep.resize(deep.size() - 2);
    EXPECT_TRUE(store.CreateKey(L"HKLM\\" + std::wstring(255, L'n')));
    EXPECT_TRUE(store.CreateKey(deep));
    EXPECT_TRUE(store.CreateKey(L"HKLM\\trailing\\\\"));
    EXPECT_TRUE(store.KeyExists(L"hklm\\TRAILING"));
    const std::string text = sim::RegistryStore::Serialise(store);
    EXPECT_LT(text.size(), 2000u);
    sim::RegistryStore back = sim::RegistryStore::FromText(text, "x");
    EXPECT_TRUE(back.KeyExists(deep));
    EXPECT_EQ(sim::RegistryStore::Serialise(back), text);
}

TEST(RegistryStore, AFolderOrUnreadableFileIsReportedNotReset)
{
    fs::path dir = TempDir("folder");
    fs::create_directories(dir / "registry.txt");
    try {
        sim::RegistryStore store(dir / "registry.txt");
        ADD_FAILURE() << "a folder was read as a registry";
    } catch (const sim::ScenarioError& e) {
        EXPECT_EQ(std::string(e.what()), (dir / "registry.txt").string() + ": is a directory");
    }
}

TEST(SimPC, LongScenarioNamesGetShortFoldersOfTheirOwn)
{
    const std::string a = std::string(300, 'a') + "1", b = std::string(300, 'a') + "2";
    const fs::path da = sim::DefaultMachineDir(a), db = sim::DefaultMachineDir(b);
    EXPECT_NE(da, db);
    EXPECT_LE(da.filename().string().size(), 64u);
    EXPECT_EQ(sim::DefaultMachineDir("xp-sp2").filename(), "xp-sp2");
}

TEST(SimPC, FreshEmptiesOnlyASimulatedPcsFolder)
{
    fs::path dir = TempDir("fresh");
    { sim::SimPC pc(sim::DefaultScenario(), dir / "machine", dir); }
    ASSERT_TRUE(fs::exists(dir / "machine" / "registry.txt"));
    sim::EmptyMachineFolder(dir / "machine");
    EXPECT_FALSE(fs::exists(dir / "machine"));
    sim::EmptyMachineFolder(dir / "never-made");  // nothing there: nothing to do

    std::ofstream(dir / "letter.txt") << "keep me";
    struct Case { fs::path path; std::string message; };
    const Case cases[] = {
        {dir, dir.string() + ": not emptied, it holds no registry.txt (not a simulated PC's folder)"},
        {dir / "letter.txt", (dir / "letter.txt").string() + ": is not a folder"},
    };
    for (const Case& c : cases) {
        try {
            sim::EmptyMachineFolder(c.path);
            ADD_FAILURE() << "emptied " << c.path;
        } catch (const sim::HostFileError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
    EXPECT_TRUE(fs::exists(dir / "letter.txt"));
    // A machine folder that cannot be made is named with the reason.
    try {
        sim::SimPC pc(sim::DefaultScenario(), dir / "letter.txt" / "machine", dir);
        ADD_FAILURE() << "a machine under a file";
    } catch (const sim::HostFileError& e) {
        EXPECT_EQ(std::string(e.what()), (dir / "letter.txt" / "machine").string() + ": Not a directory");
    }
}
