// The log writer against an in-memory PC: folders, rotation, line layouts, buffering,
// the size cap, the stop flag and many threads at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cwctype>
#include <functional>
#include <initializer_list>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "app/Globals.h"
#include "diag/LogMsg.h"
#include "platform/Platform.h"

using namespace std::string_literals;

namespace {

// ---- An in-memory PC ---------------------------------------------------------------

std::wstring Fold(std::wstring path)
{
    for (auto& c : path) c = static_cast<wchar_t>(std::towlower(c));
    while (!path.empty() && path.back() == L'\\') path.pop_back();
    return path;
}

class FakeSystemInfo : public SystemInfo {
public:
    OsVersionInfo os{6, 1, 7601, L"Service Pack 1", 1, 0};
    std::wstring modulePath = L"D:\\TesraConnect.exe";
    std::optional<FileVersion> fileVersion = FileVersion{1, 0, 0, 4};
    DWORD processId = 4242;

    OsVersionInfo GetVersionExW() override { return os; }
    WORD GetNativeProcessorArchitecture() override { return PROCESSOR_ARCHITECTURE_AMD64; }
    BOOL VerifyVersionInfoW(DWORD, DWORD, WORD, WORD) override { return TRUE; }
    LANGID GetUserDefaultUILanguage() override { return 1033; }
    LANGID GetSystemDefaultLangID() override { return 1033; }
    BOOL AllocateAdministratorsSid() override { return TRUE; }
    BOOL CheckTokenMembership(BOOL* isMember) override { *isMember = TRUE; return TRUE; }
    std::wstring GetModuleFileNameW() override { return modulePath; }
    std::optional<FileVersion> GetFileVersionInfo(const std::wstring& path) override
    {
        return Fold(path) == Fold(modulePath) ? fileVersion : std::nullopt;
    }
    UINT GetACP() override { return 1252; }
    std::wstring MultiByteToWideChar(const std::string& bytes) override
    {
        return std::wstring(bytes.begin(), bytes.end());
    }
    std::string WideCharToMultiByte(const std::wstring& text) override
    {
        std::string out;
        for (wchar_t c : text) out.push_back(static_cast<char>(c));
        return out;
    }
    std::optional<std::wstring> GetEnvironmentVariableW(const std::wstring&) override
    {
        return std::nullopt;
    }
    DWORD GetCurrentProcessId() override { return processId; }
};

class FakeRegistry : public Registry {
public:
    // Folded "root|key" -> values by folded name.
    std::map<std::wstring, std::map<std::wstring, std::wstring>> keys;

    static std::wstring Id(HKEY_ROOT root, const std::wstring& key)
    {
        return (root == HKEY_ROOT::HKEY_LOCAL_MACHINE ? L"hklm|" : L"hkcu|") + Fold(key);
    }
    void SetValue(HKEY_ROOT root, const std::wstring& key, const std::wstring& name,
                  const std::wstring& value)
    {
        keys[Id(root, key)][Fold(name)] = value;
    }

    LONG RegOpenKeyExW(HKEY_ROOT root, const std::wstring& subKey) override
    {
        return keys.count(Id(root, subKey)) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    }
    LONG RegCreateKeyExW(HKEY_ROOT root, const std::wstring& subKey) override
    {
        keys[Id(root, subKey)];
        return ERROR_SUCCESS;
    }
    LONG RegQueryValueExW(HKEY_ROOT root, const std::wstring& subKey, const std::wstring& name,
                          std::wstring* data, DWORD bufferBytes, DWORD* bytes) override
    {
        const auto key = keys.find(Id(root, subKey));
        if (key == keys.end()) return ERROR_FILE_NOT_FOUND;
        const auto value = key->second.find(Fold(name));
        if (value == key->second.end()) return ERROR_FILE_NOT_FOUND;
        const auto size = static_cast<DWORD>((value->second.size() + 1) * 2);
        if (bytes) *bytes = size;
        if (size > bufferBytes) return ERROR_MORE_DATA;
        *data = value->second;
        return ERROR_SUCCESS;
    }
    LONG RegSetValueExW(HKEY_ROOT root, const std::wstring& subKey, const std::wstring& name,
                        const std::wstring& data, DWORD) override
    {
        SetValue(root, subKey, name, data);
        return ERROR_SUCCESS;
    }
    LONG RegDeleteValueW(HKEY_ROOT, const std::wstring&, const std::wstring&) override { return ERROR_FILE_NOT_FOUND; }
    LONG RegFlushKey(HKEY_ROOT) override { return ERROR_SUCCESS; }
};

struct FakeFile {
    std::string bytes;
    bool failWrites = false;
    std::vector<std::size_t> writes;  // byte count of every successful write
};

class FakeFileHandle : public FileHandle {
public:
    explicit FakeFileHandle(std::shared_ptr<FakeFile> file) : m_file(std::move(file)) {}
    bool Write(const void* data, std::size_t bytes) override
    {
        if (m_file->failWrites) return false;
        m_file->bytes.append(static_cast<const char*>(data), bytes);
        m_file->writes.push_back(bytes);
        return true;
    }
    std::uint64_t GetFileSize() override { return m_file->bytes.size(); }

private:
    std::shared_ptr<FakeFile> m_file;
};

class FakeFiles : public Files {
public:
    std::set<std::wstring> directories;
    std::map<std::wstring, std::shared_ptr<FakeFile>> files;
    bool failCreate = false;

    void AddFile(const std::wstring& path, const std::string& bytes)
    {
        files[Fold(path)] = std::make_shared<FakeFile>(FakeFile{bytes, false, {}});
    }
    std::shared_ptr<FakeFile> Get(const std::wstring& path)
    {
        const auto it = files.find(Fold(path));
        return it == files.end() ? nullptr : it->second;
    }

    std::wstring GetCommonAppDataFolder() override { return L"C:\\ProgramData"; }
    bool DirectoryExists(const std::wstring& path) override
    {
        return directories.count(Fold(path)) != 0;
    }
    bool CreateDirectoryTree(const std::wstring& path) override
    {
        std::wstring folded = Fold(path);
        for (std::size_t pos = folded.find(L'\\'); pos != std::wstring::npos;
             pos = folded.find(L'\\', pos + 1)) {
            directories.insert(folded.substr(0, pos));
        }
        directories.insert(folded);
        return true;
    }
    bool PathFileExistsW(const std::wstring& path) override
    {
        return files.count(Fold(path)) || directories.count(Fold(path));
    }
    bool MoveFileW(const std::wstring& from, const std::wstring& to) override
    {
        const auto source = files.find(Fold(from));
        if (source == files.end() || files.count(Fold(to))) return false;
        auto file = source->second;
        files.erase(source);
        files[Fold(to)] = file;
        return true;
    }
    bool DeleteFileW(const std::wstring& path) override { return files.erase(Fold(path)) != 0; }
    std::unique_ptr<FileHandle> CreateFileForWriting(const std::wstring& path) override
    {
        const std::wstring folded = Fold(path);
        const std::wstring parent = folded.substr(0, folded.rfind(L'\\'));
        if (failCreate || !directories.count(parent)) return nullptr;
        auto file = std::make_shared<FakeFile>();
        files[folded] = file;
        return std::make_unique<FakeFileHandle>(file);
    }
    std::optional<std::string> ReadFile(const std::wstring& path, std::size_t maxBytes) override
    {
        const auto file = Get(path);
        if (!file) return std::nullopt;
        return file->bytes.substr(0, maxBytes);
    }
    std::optional<std::uint64_t> FileSize(const std::wstring& path) override
    {
        const auto file = Get(path);
        if (!file) return std::nullopt;
        return file->bytes.size();
    }
};

// ---- Helpers -----------------------------------------------------------------------

const std::wstring kFolder = L"C:\\ProgramData\\Tesra Systems\\Tesra Connect\\Log\\";
const std::wstring kBrowserKey = L"SOFTWARE\\Microsoft\\Internet Explorer";
constexpr std::int64_t kMay3rd2012 = 1336028562000;  // 05/03/12 07:02:42
const std::wstring kStamp = L"05/03/12 07:02:42 [4242]";
const std::wstring kBanner =
    L"Tesra Systems log file. Product version [1.0.0.4]. Build type [ship]. "
    L"OS version 6.1.7601 (SP 1.0), IE version 8.0.\r\n";

std::wstring LogName(int index)
{
    return index == 0 ? kFolder + L"logfile.TesraConnect_exe.txt"
                      : kFolder + L"logfile.TesraConnect_exe_" + std::to_wstring(index) + L".txt";
}

std::wstring FromUtf16(const std::u16string& text)
{
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t unit = text[i];
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size()) {
            out.push_back(static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) +
                                               (text[++i] - 0xDC00)));
        } else {
            out.push_back(static_cast<wchar_t>(unit));
        }
    }
    return out;
}

std::u16string BytesToUtf16(const std::string& bytes)
{
    std::u16string out;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        out.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                            static_cast<unsigned char>(bytes[i + 1]) << 8));
    }
    return out;
}

const wchar_t* AsMessage(const void* record) { return static_cast<const wchar_t*>(record); }

template <std::size_t N>
void Copy(wchar_t (&field)[N], const std::wstring& text)
{
    std::fill(std::begin(field), std::end(field), L'\0');
    std::copy_n(text.begin(), std::min(text.size(), N - 1), field);
}

class LogMsgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = Os();
        Platform platform;
        platform.system = &system;
        platform.registry = &registry;
        platform.files = &files;
        InstallPlatform(platform);
        registry.SetValue(HKEY_ROOT::HKEY_LOCAL_MACHINE, kBrowserKey, L"Version",
                          L"8.0.7601.17514");
        files.CreateDirectoryTree(L"C:\\ProgramData");
        CLogMsg::SetClock([this] { return now.load(); });
    }
    void TearDown() override
    {
        log.reset();
        g_LogMsg.Destruct();
        CLogMsg::SetClock(nullptr);
        InstallPlatform(m_saved);
        g_bSiblingModel = 0;
    }

    void Open()
    {
        log->Construct();
        log->OpenLogFile();
    }
    std::string FileBytes(int index = 0)
    {
        const auto file = files.Get(LogName(index));
        return file ? file->bytes : std::string();
    }
    std::wstring FileText(int index = 0) { return FromUtf16(BytesToUtf16(FileBytes(index))); }
    std::wstring Snapshot() { return FromUtf16(log->SnapshotText()); }
    // Characters accepted but not yet on disk.
    std::size_t Pending() { return log->SnapshotText().size() - FileBytes().size() / 2; }
    // Text added by one call (nothing of it written yet).
    std::wstring Added(const std::function<void(CLogMsg&)>& call)
    {
        const std::wstring before = Snapshot();
        call(*log);
        const std::wstring after = Snapshot();
        EXPECT_EQ(after.substr(0, before.size()), before);
        return after.size() >= before.size() ? after.substr(before.size()) : std::wstring();
    }
    // Logs kind-4 entries until exactly `target` characters are pending.
    void FillPendingTo(std::size_t target)
    {
        const std::size_t overhead = std::wstring(kStamp + L" F() : \r\n").size();
        ASSERT_GE(target, Pending() + overhead);
        std::size_t rest = target - Pending();
        while (rest > 0) {
            std::size_t length = rest - overhead;
            if (length > LOG_MAX_MESSAGE) length = std::min(LOG_MAX_MESSAGE, rest - 2 * overhead);
            log->addLog(std::wstring(length, L'x').c_str(), L"F", LOG_FUNC);
            rest -= overhead + length;
        }
        ASSERT_EQ(Pending(), target);
    }

    FakeSystemInfo system;
    FakeRegistry registry;
    FakeFiles files;
    std::atomic<std::int64_t> now{kMay3rd2012};
    std::unique_ptr<CLogMsg> log = std::make_unique<CLogMsg>();

private:
    Platform m_saved;
};

// ---- Folder and rotation -----------------------------------------------------------

struct RotationCase {
    const char* name;
    bool folderExists;
    std::vector<int> existing;                  // indices present before, content "runN"
    std::vector<const char*> expectedAfter;     // content of _1.._4 after ("" = absent)
};

class LogRotationTest : public LogMsgTest, public ::testing::WithParamInterface<RotationCase> {};

TEST_P(LogRotationTest, OpeningMovesOlderFilesAndStartsANewOne)
{
    const RotationCase& c = GetParam();
    if (c.folderExists) files.CreateDirectoryTree(kFolder);
    for (int index : c.existing) files.AddFile(LogName(index), "run" + std::to_string(index));

    log->Construct();
    EXPECT_TRUE(files.DirectoryExists(L"C:\\ProgramData\\Tesra Systems"));
    EXPECT_TRUE(files.DirectoryExists(kFolder));
    log->OpenLogFile();
    log->addLog(L"first entry", L"CSetupDlg::OnInitDialog", LOG_FUNC);
    log->Destruct();

    for (int index = 1; index <= 4; ++index) {
        const auto file = files.Get(LogName(index));
        const std::string expected = c.expectedAfter[index - 1];
        if (expected.empty()) {
            EXPECT_EQ(file, nullptr) << "_" << index;
        } else {
            ASSERT_NE(file, nullptr) << "_" << index;
            EXPECT_EQ(file->bytes, expected) << "_" << index;
        }
    }
    EXPECT_EQ(FileText(), kBanner + kStamp + L" CSetupDlg::OnInitDialog() : first entry\r\n");
    EXPECT_EQ(log->CurrentFilePath(), LogName(0));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LogRotationTest,
    ::testing::Values(
        RotationCase{"FirstRunCreatesTheFolderTree", false, {}, {"", "", "", ""}},
        RotationCase{"OnlyTheCurrentFile", true, {0}, {"run0", "", "", ""}},
        RotationCase{"AllFivePresent", true, {0, 1, 2, 3, 4}, {"run0", "run1", "run2", "run3"}},
        // Count 2: moving the missing "_1" onto "_2" fails, "_2" keeps its content.
        RotationCase{"OnlyCurrentAndSecond", true, {0, 2}, {"run0", "run2", "", ""}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LogMsgTest, AFileThatCannotBeCreatedLeavesLoggingOff)
{
    files.failCreate = true;
    Open();
    log->addLog(L"lost", L"F", LOG_FUNC);
    log->m_bStopped = 1;
    log->addLog(L"lost", L"F", LOG_MEMORY);
    EXPECT_FALSE(log->IsLogWritable());
    EXPECT_TRUE(log->SnapshotText().empty());
    EXPECT_EQ(files.Get(LogName(0)), nullptr);
    log->Destruct();
}

TEST_F(LogMsgTest, NothingIsKeptBeforeTheFileIsOpened)
{
    log->addLog(L"before construction", L"F", LOG_FUNC);
    log->Construct();
    log->addLog(L"before opening", L"F", LOG_FUNC);
    EXPECT_FALSE(log->IsLogWritable());
    EXPECT_TRUE(log->SnapshotText().empty());
    log->OpenLogFile();
    EXPECT_EQ(Snapshot(), kBanner);
}

// ---- Banner ------------------------------------------------------------------------

struct BannerCase {
    const char* name;
    std::function<void(FakeSystemInfo&, FakeRegistry&)> arrange;
    const wchar_t* expected;
};

class LogBannerTest : public LogMsgTest, public ::testing::WithParamInterface<BannerCase> {};

TEST_P(LogBannerTest, FirstLineShowsTheVersions)
{
    GetParam().arrange(system, registry);
    Open();
    log->FlushBuffer();
    EXPECT_EQ(FileText(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LogBannerTest,
    ::testing::Values(
        BannerCase{"AllKnown", [](FakeSystemInfo&, FakeRegistry&) {},
                   L"Tesra Systems log file. Product version [1.0.0.4]. Build type [ship]. "
                   L"OS version 6.1.7601 (SP 1.0), IE version 8.0.\r\n"},
        BannerCase{"XpServicePack3",
                   [](FakeSystemInfo& s, FakeRegistry& r) {
                       s.os = {5, 1, 2600, L"Service Pack 3", 3, 0};
                       s.fileVersion = FileVersion{2, 10, 300, 40};
                       r.SetValue(HKEY_ROOT::HKEY_LOCAL_MACHINE, kBrowserKey, L"Version",
                                  L"6.0.2900.5512");
                   },
                   L"Tesra Systems log file. Product version [2.10.300.40]. Build type [ship]. "
                   L"OS version 5.1.2600 (SP 3.0), IE version 6.0.\r\n"},
        BannerCase{"BrowserKeyMissing",
                   [](FakeSystemInfo&, FakeRegistry& r) { r.keys.clear(); },
                   L"Tesra Systems log file. Product version [1.0.0.4]. Build type [ship]. "
                   L"OS version 6.1.7601 (SP 1.0), IE version 0.0.\r\n"},
        BannerCase{"BrowserValueMissing",
                   [](FakeSystemInfo&, FakeRegistry& r) {
                       r.keys[FakeRegistry::Id(HKEY_ROOT::HKEY_LOCAL_MACHINE, kBrowserKey)].clear();
                   },
                   L"Tesra Systems log file. Product version [1.0.0.4]. Build type [ship]. "
                   L"OS version 6.1.7601 (SP 1.0), IE version 0.0.\r\n"},
        BannerCase{"BrowserValueTooLong",
                   [](FakeSystemInfo&, FakeRegistry& r) {
                       r.SetValue(HKEY_ROOT::HKEY_LOCAL_MACHINE, kBrowserKey, L"Version",
                                  L"9.0." + std::wstring(200, L'1'));
                   },
                   L"Tesra Systems log file. Product version [1.0.0.4]. Build type [ship]. "
                   L"OS version 6.1.7601 (SP 1.0), IE version 0.0.\r\n"},
        BannerCase{"BrowserVersionPartlyParsed",
                   [](FakeSystemInfo&, FakeRegistry& r) {
                       r.SetValue(HKEY_ROOT::HKEY_LOCAL_MACHINE, kBrowserKey, L"Version",
                                  L"11.x");
                   },
                   L"Tesra Systems log file. Product version [1.0.0.4]. Build type [ship]. "
                   L"OS version 6.1.7601 (SP 1.0), IE version 11.0.\r\n"},
        BannerCase{"NoVersionResource",
                   [](FakeSystemInfo& s, FakeRegistry&) { s.fileVersion.reset(); },
                   L"Tesra Systems log file. Product version [0.0.0.0]. Build type [ship]. "
                   L"OS version 6.1.7601 (SP 1.0), IE version 8.0.\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LogMsgTest, BannerReplacesWhatIsBuffered)
{
    Open();
    log->addLog(L"an entry", L"F", LOG_FUNC);
    log->addLog(L"ignored", L"ignored", LOG_BANNER);
    EXPECT_EQ(Snapshot(), kBanner);
}

// ---- Entry layouts -----------------------------------------------------------------

struct LayoutCase {
    const char* name;
    std::function<void(CLogMsg&)> call;
    std::wstring expected;
};

class LogLayoutTest : public LogMsgTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(LogLayoutTest, EntryText)
{
    Open();
    EXPECT_EQ(Added(GetParam().call), GetParam().expected);
}

LogAdapterRecord Adapter(int enabled)
{
    LogAdapterRecord record{};
    record.bEnabled = enabled;
    Copy(record.szPnpId, L"USB\\VID_1E2C&PID_003B\\6&2A3B4C5D&0&1");
    Copy(record.szAdapterGuid, L"{5C4A2B1E-0D6F-4E8A-9B3C-7A1D2E3F4051}");
    return record;
}

LogNetConfigRecord NetConfig()
{
    LogNetConfigRecord record{};
    Copy(record.szSsid, L"HomeNet");
    Copy(record.szAuth, L"WPA2PSK");
    Copy(record.szCipher, L"AES");
    Copy(record.szKey, L"secret passphrase");
    return record;
}

const std::wstring kAdapterDumpTail =
    L" PNPId:        USB\\VID_1E2C&PID_003B\\6&2A3B4C5D&0&1\r\n"
    L" AdapterGUID:  {5C4A2B1E-0D6F-4E8A-9B3C-7A1D2E3F4051}\r\n";
const std::wstring kNetConfigTail =
    L"       SSID: HomeNet\r\n   AuthAlgo: WPA2PSK\r\n CipherAlgo: AES\r\n"
    L"        Key: secret passphrase\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, LogLayoutTest,
    ::testing::Values(
        LayoutCase{"Func",
                   [](CLogMsg& l) {
                       l.addLog(L"Start WPS PBC.", L"CWpsManager::StartJoinPBC", LOG_FUNC);
                   },
                   kStamp + L" CWpsManager::StartJoinPBC() : Start WPS PBC.\r\n"},
        LayoutCase{"FuncWithoutFunctionName",
                   [](CLogMsg& l) { l.addLog(L"hello", nullptr, LOG_FUNC); },
                   kStamp + L" CLogMsg::addLog() : hello\r\n"},
        LayoutCase{"FuncWithoutMessage",
                   [](CLogMsg& l) { l.addLog(nullptr, L"CSetupDlg::OnTimer", LOG_FUNC); },
                   kStamp + L" CSetupDlg::OnTimer() : \r\n"},
        LayoutCase{"Text",
                   [](CLogMsg& l) { l.addLog(L"plain text", L"Ignored", LOG_TEXT); },
                   kStamp + L" plain text\r\n"},
        LayoutCase{"TextWithoutMessage",
                   [](CLogMsg& l) { l.addLog(nullptr, nullptr, LOG_TEXT); },
                   kStamp + L" \r\n"},
        LayoutCase{"Dash",
                   [](CLogMsg& l) { l.addLog(L"returned 0", L"InstallDriver", LOG_FUNC_DASH); },
                   kStamp + L" InstallDriver - returned 0\r\n"},
        LayoutCase{"DashWithoutAnything",
                   [](CLogMsg& l) { l.addLog(nullptr, nullptr, LOG_FUNC_DASH); },
                   kStamp + L" CLogMsg::addLog - \r\n"},
        LayoutCase{"Locale",
                   [](CLogMsg& l) {
                       const std::int32_t language = 1031;
                       l.addLog(AsMessage(&language), L"Ignored", LOG_LOCALE);
                   },
                   kStamp + L" Usable locale found: 1031.\r\n"},
        LayoutCase{"AdapterMainModel",
                   [](CLogMsg& l) {
                       const LogAdapterRecord record = Adapter(1);
                       l.addLog(AsMessage(&record), L"Ignored", LOG_ADAPTER);
                   },
                   kStamp + L"\r\n Enabled:      True\r\n Type:         RT_Wireless\r\n"
                            L" Description:  Korvana QW4100\r\n" + kAdapterDumpTail},
        LayoutCase{"AdapterSiblingModelDisabled",
                   [](CLogMsg& l) {
                       g_bSiblingModel = 1;
                       const LogAdapterRecord record = Adapter(0);
                       l.addLog(AsMessage(&record), nullptr, LOG_ADAPTER);
                   },
                   kStamp + L"\r\n Enabled:      False\r\n Type:         RT_Wireless\r\n"
                            L" Description:  Korvana QW2100&QW2600\r\n" + kAdapterDumpTail},
        LayoutCase{"NetConfig",
                   [](CLogMsg& l) {
                       const LogNetConfigRecord record = NetConfig();
                       l.addLog(AsMessage(&record), L"WLANConnectToNetwork", LOG_NETCONFIG);
                   },
                   kStamp + L"\r\nWLANConnectToNetwork() : Current network configuration:\r\n" +
                       kNetConfigTail},
        LayoutCase{"NetConfigWithoutFunctionName",
                   [](CLogMsg& l) {
                       const LogNetConfigRecord record = NetConfig();
                       l.addLog(AsMessage(&record), nullptr, LOG_NETCONFIG);
                   },
                   kStamp + L"\r\nCLogMsg::addLog() : Current network configuration:\r\n" +
                       kNetConfigTail},
        LayoutCase{"NullRecordsAddNothing",
                   [](CLogMsg& l) {
                       l.addLog(nullptr, L"F", LOG_LOCALE);
                       l.addLog(nullptr, L"F", LOG_ADAPTER);
                       l.addLog(nullptr, L"F", LOG_NETCONFIG);
                   },
                   L""},
        LayoutCase{"OtherKindsAddNothing",
                   [](CLogMsg& l) {
                       for (unsigned kind : {0u, 3u, 5u, 128u, 256u, 0x1000u})
                           l.addLog(L"malloc memory with     64 bytes for: pbssidList at 0x1234.",
                                    L"F", kind);
                   },
                   L""},
        LayoutCase{"LongMessageIsCut",
                   [](CLogMsg& l) { l.addLog(std::wstring(600, L'm').c_str(), L"F", LOG_FUNC); },
                   kStamp + L" F() : " + std::wstring(511, L'm') + L"\r\n"},
        LayoutCase{"MessageOfExactly511",
                   [](CLogMsg& l) { l.addLog(std::wstring(511, L'm').c_str(), L"F", LOG_FUNC); },
                   kStamp + L" F() : " + std::wstring(511, L'm') + L"\r\n"},
        LayoutCase{"CutNeverSplitsASurrogatePair",
                   [](CLogMsg& l) {
                       l.addLog((std::wstring(510, L'm') + L"\U0001F600").c_str(), L"F", LOG_FUNC);
                   },
                   kStamp + L" F() : " + std::wstring(510, L'm') + L"\r\n"},
        LayoutCase{"NonAsciiText",
                   [](CLogMsg& l) { l.addLog(L"Réseau «Café» 日本 \U0001F600", L"F", LOG_FUNC); },
                   kStamp + L" F() : Réseau «Café» 日本 \U0001F600\r\n"},
        LayoutCase{"FullRecordFieldsAreCutAtTheirSize",
                   [](CLogMsg& l) {
                       LogNetConfigRecord record{};
                       std::fill(std::begin(record.szSsid), std::end(record.szSsid), L's');
                       std::fill(std::begin(record.szAuth), std::end(record.szAuth), L'a');
                       std::fill(std::begin(record.szCipher), std::end(record.szCipher), L'c');
                       std::fill(std::begin(record.szKey), std::end(record.szKey), L'k');
                       l.addLog(AsMessage(&record), L"F", LOG_NETCONFIG);
                   },
                   kStamp + L"\r\nF() : Current network configuration:\r\n       SSID: " +
                       std::wstring(32, L's') + L"\r\n   AuthAlgo: " + std::wstring(30, L'a') +
                       L"\r\n CipherAlgo: " + std::wstring(30, L'c') + L"\r\n        Key: " +
                       std::wstring(128, L'k') + L"\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Text of every plane -----------------------------------------------------------

// A wide string of the given characters (lone surrogates and values beyond Unicode
// included, which no literal can hold).
std::wstring Wide(std::initializer_list<std::uint32_t> characters)
{
    std::wstring out;
    for (std::uint32_t c : characters) out.push_back(static_cast<wchar_t>(c));
    return out;
}

std::wstring Repeat(const std::wstring& text, std::size_t times)
{
    std::wstring out;
    for (std::size_t i = 0; i < times; ++i) out += text;
    return out;
}

std::u16string Repeat16(const std::u16string& text, std::size_t times)
{
    std::u16string out;
    for (std::size_t i = 0; i < times; ++i) out += text;
    return out;
}

struct UnitsCase {
    const char* name;
    std::wstring function;
    std::wstring message;
    std::u16string expectedFunction;  // as written, unit for unit
    std::u16string expectedMessage;
};

class LogUnitsTest : public LogMsgTest, public ::testing::WithParamInterface<UnitsCase> {};

// The units on disk, not their decoding: a pair for a character outside the basic plane,
// U+FFFD for a lone surrogate or a value beyond Unicode, wherever it stands in the text.
TEST_P(LogUnitsTest, EntryUnits)
{
    const UnitsCase& c = GetParam();
    Open();
    const std::u16string before = log->SnapshotText();
    log->addLog(c.message.c_str(), c.function.c_str(), LOG_FUNC);
    const std::u16string after = log->SnapshotText();
    ASSERT_EQ(after.substr(0, before.size()), before);
    const std::u16string stamp(kStamp.begin(), kStamp.end());
    EXPECT_EQ(after.substr(before.size()),
              stamp + u" " + c.expectedFunction + u"() : " + c.expectedMessage + u"\r\n");
}

const std::wstring k40(40, L'a');
const std::u16string k40u(40, u'a');

INSTANTIATE_TEST_SUITE_P(
    Cases, LogUnitsTest,
    ::testing::Values(
        UnitsCase{"PairAtStart", L"F", L"\U0001F600abc", u"F", u"\U0001F600abc"},
        UnitsCase{"PairInTheMiddle", L"F", L"ab\U0001F600cd", u"F", u"ab\U0001F600cd"},
        UnitsCase{"PairAtTheEnd", L"F", L"abcd\U0001F600", u"F", u"abcd\U0001F600"},
        UnitsCase{"PairsAmongLongRunsOfPlainText", L"F",
                  k40 + L"\U00010348" + k40 + L"\U0010FFFD" + k40,
                  u"F", k40u + u"\U00010348" + k40u + u"\U0010FFFD" + k40u},
        UnitsCase{"PairRightAfterSixteenCharacters", L"F", std::wstring(16, L'a') + L"\U0001F600",
                  u"F", std::u16string(16, u'a') + u"\U0001F600"},
        UnitsCase{"LoneHighSurrogateInTheMiddle", L"F", Wide({'a', 'b', 0xD800, 'c', 'd'}), u"F",
                  u"ab\uFFFDcd"},
        UnitsCase{"LoneLowSurrogateAtStart", L"F", Wide({0xDFFF, 'x'}), u"F", u"\uFFFDx"},
        UnitsCase{"LoneSurrogateAtTheEndOfALongText", L"F", k40 + Wide({0xDBFF}), u"F",
                  k40u + u"\uFFFD"},
        UnitsCase{"ReversedPairIsTwoLoneSurrogates", L"F", Wide({0xDC00, 0xD800}), u"F",
                  u"\uFFFD\uFFFD"},
        UnitsCase{"BeyondUnicode", L"F", Wide({'a', 0x110000, 'b', 0xFFFFFFFF}), u"F",
                  u"a\uFFFDb\uFFFD"},
        UnitsCase{"EdgesAroundTheSurrogates", L"F", Wide({0xD7FF, 0xE000, 0xFFFF, 0x10000}), u"F",
                  u"\uD7FF\uE000\uFFFF\U00010000"},
        UnitsCase{"CutCountsAPairAsTwo", L"F", Repeat(L"\U0001F600", 300), u"F",
                  Repeat16(u"\U0001F600", 255)},
        UnitsCase{"PairFirstThenACut", L"F", L"\U0001F600" + std::wstring(600, L'm'), u"F",
                  u"\U0001F600" + std::u16string(509, u'm')},
        UnitsCase{"LoneSurrogateIsOneUnitAtTheCut", L"F",
                  std::wstring(510, L'm') + Wide({0xD800, 'x'}), u"F",
                  std::u16string(510, u'm') + u"\uFFFD"},
        UnitsCase{"FunctionNameWithAPair", L"Wlan\U0001F600::Scan", L"x", u"Wlan\U0001F600::Scan",
                  u"x"},
        UnitsCase{"FunctionNameWithALoneSurrogate", Wide({'F', 0xD801, 'G'}), L"x",
                  u"F\uFFFDG", u"x"},
        UnitsCase{"VeryLongFunctionName", std::wstring(3000, L'f'), L"x",
                  std::u16string(3000, u'f'), u"x"},
        UnitsCase{"VeryLongFunctionNameOfPairs", Repeat(L"\U0001F600", 2000),
                  std::wstring(600, L'm'), Repeat16(u"\U0001F600", 2000),
                  std::u16string(511, u'm')}),
    [](const auto& info) { return std::string(info.param.name); });

struct StampCase {
    std::int64_t ms;
    const wchar_t* expected;
};

class LogStampTest : public LogMsgTest, public ::testing::WithParamInterface<StampCase> {};

TEST_P(LogStampTest, TimeStampReadsTheClockFields)
{
    Open();
    now = GetParam().ms;
    EXPECT_EQ(Added([](CLogMsg& l) { l.addLog(L"m", L"F", LOG_FUNC); }),
              std::wstring(GetParam().expected) + L" [4242] F() : m\r\n");
}

INSTANTIATE_TEST_SUITE_P(Cases, LogStampTest,
                         ::testing::Values(StampCase{kMay3rd2012, L"05/03/12 07:02:42"},
                                           StampCase{kMay3rd2012 + 999, L"05/03/12 07:02:42"},
                                           StampCase{946684799999, L"12/31/99 23:59:59"},
                                           StampCase{951825600500, L"02/29/00 12:00:00"},
                                           StampCase{0, L"01/01/70 00:00:00"}));

TEST_F(LogMsgTest, BracketShowsTheProcessUntilTheMainThreadIsKnown)
{
    Open();
    EXPECT_EQ(Added([](CLogMsg& l) { l.addLog(L"a", L"F", LOG_FUNC); }), kStamp + L" F() : a\r\n");

    CLogMsg::SetMainThreadId(77);
    std::thread worker([this] { log->addLog(L"from a worker", L"W", LOG_FUNC); });
    worker.join();
    log->addLog(L"from the main thread", L"M", LOG_FUNC);
    const std::wstring text = Snapshot();
    EXPECT_NE(text.find(L"05/03/12 07:02:42 [77] W() : from a worker\r\n"), std::wstring::npos);
    EXPECT_NE(text.find(L"05/03/12 07:02:42 [77] M() : from the main thread\r\n"),
              std::wstring::npos);

    // A new run starts without the old run's thread.
    log->Destruct();
    Open();
    EXPECT_EQ(Added([](CLogMsg& l) { l.addLog(L"b", L"F", LOG_FUNC); }), kStamp + L" F() : b\r\n");
}

TEST_F(LogMsgTest, FileIsUtf16LittleEndianWithoutMarkAndCrLf)
{
    Open();
    log->addLog(L"é\U0001F600", L"F", LOG_FUNC);
    log->FlushBuffer();
    const std::string bytes = FileBytes();
    const std::string banner = "T\0e\0s\0r\0a\0 \0"s;
    ASSERT_GE(bytes.size(), banner.size());
    EXPECT_EQ(bytes.substr(0, banner.size()), banner);
    const std::string tail = ":\0 \0\xE9\0\x3D\xD8\x00\xDE\r\0\n\0"s;
    EXPECT_EQ(bytes.substr(bytes.size() - tail.size()), tail);
    EXPECT_EQ(bytes.size(), 2 * (kBanner.size() + (kStamp + L" F() : é\r\n").size() + 2));
}

// ---- Buffering ---------------------------------------------------------------------

struct ThresholdCase {
    const char* name;
    std::size_t pending;  // characters pending before the next call
    bool crossWithLongEntry;  // reach it with one long entry from below
    unsigned nextKind;
    bool flushes;
};

class LogThresholdTest : public LogMsgTest, public ::testing::WithParamInterface<ThresholdCase> {};

TEST_P(LogThresholdTest, NextCallWritesABufferAtTheThreshold)
{
    const ThresholdCase& c = GetParam();
    Open();
    if (c.crossWithLongEntry) {
        FillPendingTo(c.pending - (kStamp + L" F() : \r\n").size() - LOG_MAX_MESSAGE);
        log->addLog(std::wstring(LOG_MAX_MESSAGE, L'y').c_str(), L"F", LOG_FUNC);
    } else {
        FillPendingTo(c.pending);
    }
    // The entry that reaches the threshold stays in memory.
    ASSERT_EQ(Pending(), c.pending);
    ASSERT_TRUE(FileBytes().empty());
    const std::wstring accepted = Snapshot();

    const std::wstring own = Added([&](CLogMsg& l) { l.addLog(L"next", L"G", c.nextKind); });
    const std::wstring expectedOwn = c.nextKind == LOG_FUNC ? kStamp + L" G() : next\r\n" : L"";
    EXPECT_EQ(own, expectedOwn);
    if (c.flushes) {
        EXPECT_EQ(FileText(), accepted);
        EXPECT_EQ(Pending(), expectedOwn.size());
        EXPECT_EQ(files.Get(LogName(0))->writes.size(), 1u);
    } else {
        EXPECT_TRUE(FileBytes().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LogThresholdTest,
    ::testing::Values(ThresholdCase{"JustBelowFunc", 10239, false, LOG_FUNC, false},
                      ThresholdCase{"JustBelowMemory", 10239, false, LOG_MEMORY, false},
                      ThresholdCase{"ExactlyAtFunc", 10240, false, LOG_FUNC, true},
                      ThresholdCase{"ExactlyAtKind0", 10240, false, 0, true},
                      ThresholdCase{"ExactlyAtKind3", 10240, false, 3, true},
                      ThresholdCase{"ExactlyAtMemory", 10240, false, LOG_MEMORY, true},
                      ThresholdCase{"ExactlyAtKind256", 10240, false, 256, true},
                      ThresholdCase{"CrossedByALongEntry", 10300, true, LOG_FUNC, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LogMsgTest, ThresholdCountsUtf16Characters)
{
    Open();
    // A character outside the basic plane counts two towards the threshold.
    FillPendingTo(10240 - (kStamp + L" F() : \U0001F600\r\n").size() - 1);
    log->addLog(L"\U0001F600", L"F", LOG_FUNC);
    ASSERT_EQ(Pending(), 10240u);
    log->addLog(L"x", L"F", LOG_MEMORY);
    EXPECT_EQ(FileBytes().size(), 2u * 10240u);
}

struct CapCase {
    const char* name;
    std::uint64_t sizeOnDisk;
    bool writes;
};

class LogCapTest : public LogMsgTest, public ::testing::WithParamInterface<CapCase> {};

TEST_P(LogCapTest, FullFileTakesNoMore)
{
    const CapCase& c = GetParam();
    Open();
    FillPendingTo(LOG_FLUSH_THRESHOLD);
    const std::size_t pending = Pending();
    files.Get(LogName(0))->bytes.assign(c.sizeOnDisk, 'p');
    log->addLog(L"next", L"G", LOG_FUNC);  // would flush at the threshold
    log->m_bStopped = 1;
    log->addLog(L"after stop", L"G", LOG_MEMORY);  // would flush after the stop flag
    log->Destruct();  // would flush the rest
    const std::uint64_t size = files.Get(LogName(0))->bytes.size();
    if (c.writes) {
        // The cap looks at the bytes on disk: the flush at the threshold goes past it, and
        // the entry added after that flush is never written.
        EXPECT_EQ(size, c.sizeOnDisk + 2 * pending);
        EXPECT_GT(size, LOG_MAX_FILE_BYTES);
    } else {
        EXPECT_EQ(size, c.sizeOnDisk);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LogCapTest,
    ::testing::Values(CapCase{"JustBelow", LOG_MAX_FILE_BYTES - 2, true},
                      CapCase{"Exactly10MiB", LOG_MAX_FILE_BYTES, false},
                      CapCase{"Beyond", LOG_MAX_FILE_BYTES + 100, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LogMsgTest, AfterTheCapTheNextThresholdWritesNothing)
{
    Open();
    FillPendingTo(LOG_FLUSH_THRESHOLD);
    files.Get(LogName(0))->bytes.assign(LOG_MAX_FILE_BYTES - 2, 'p');
    log->addLog(L"crosses the cap", L"G", LOG_FUNC);
    const std::uint64_t full = files.Get(LogName(0))->bytes.size();
    ASSERT_GT(full, LOG_MAX_FILE_BYTES);
    log->addLog(L"lost", L"G", LOG_FUNC);
    EXPECT_FALSE(log->IsLogWritable());
    EXPECT_EQ(log->SnapshotText().find(u"lost"), std::u16string::npos);
    EXPECT_EQ(files.Get(LogName(0))->bytes.size(), full);
}

class LogStopTest : public LogMsgTest, public ::testing::WithParamInterface<unsigned> {};

TEST_P(LogStopTest, NextCallAfterStopWritesThePendingTextOnly)
{
    Open();
    log->addLog(L"Attempt to cancel Setup.", L"CSetupDlg::OnBnClickedButtonCancel", LOG_FUNC);
    log->addLog(L"Setup was cancelled.", L"CSetupDlg::OnBnClickedButtonCancel", LOG_FUNC);
    const std::wstring accepted = Snapshot();
    log->m_bStopped = 1;
    EXPECT_TRUE(FileBytes().empty());

    log->addLog(L"free memory for: pbssidList at 0x1234.", L"CSetupDlg::~CSetupDlg", GetParam());
    EXPECT_EQ(FileText(), accepted);
    EXPECT_EQ(Snapshot(), accepted);

    log->addLog(L"later", L"F", LOG_FUNC);
    EXPECT_FALSE(log->IsLogWritable());
    log->Destruct();
    EXPECT_EQ(FileText(), accepted);
    EXPECT_EQ(files.Get(LogName(0))->writes.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Kinds, LogStopTest, ::testing::Values(LOG_FUNC, LOG_MEMORY, 0u, 3u));

struct EndCase {
    const char* name;
    bool stopped;
    bool byDestructor;
};

class LogEndTest : public LogMsgTest, public ::testing::WithParamInterface<EndCase> {};

TEST_P(LogEndTest, EndOfRunWritesWhatIsStillBuffered)
{
    Open();
    log->addLog(L"Setup was closed.", L"CSetupDlg::OnBnClickedButtonClose", LOG_FUNC);
    if (GetParam().stopped) log->m_bStopped = 1;
    const std::wstring accepted = Snapshot();
    ASSERT_TRUE(FileBytes().empty());
    if (GetParam().byDestructor)
        log.reset();
    else
        log->Destruct();
    EXPECT_EQ(FileText(), accepted);
    EXPECT_EQ(FileText(), kBanner + kStamp +
                              L" CSetupDlg::OnBnClickedButtonClose() : Setup was closed.\r\n");
}

INSTANTIATE_TEST_SUITE_P(Cases, LogEndTest,
                         ::testing::Values(EndCase{"Destruct", false, false},
                                           EndCase{"DestructAfterStop", true, false},
                                           EndCase{"Destructor", false, true},
                                           EndCase{"DestructorAfterStop", true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LogMsgTest, ANewRunInTheSameProcessStartsAFreshFile)
{
    Open();
    log->addLog(L"run one", L"F", LOG_FUNC);
    log->m_bStopped = 1;
    log->Construct();  // without Destruct: the first run still ends properly
    EXPECT_EQ(log->m_bStopped, 0);
    log->OpenLogFile();
    log->addLog(L"run two", L"F", LOG_FUNC);
    log->Destruct();
    EXPECT_EQ(FileText(1), kBanner + kStamp + L" F() : run one\r\n");
    EXPECT_EQ(FileText(0), kBanner + kStamp + L" F() : run two\r\n");
}

TEST_F(LogMsgTest, FailedWriteKeepsTheTextForTheNextFlush)
{
    Open();
    FillPendingTo(LOG_FLUSH_THRESHOLD);
    files.Get(LogName(0))->failWrites = true;
    log->addLog(L"while the disk fails", L"F", LOG_FUNC);
    EXPECT_TRUE(FileBytes().empty());
    const std::wstring accepted = Snapshot();
    EXPECT_EQ(accepted.size(),
              LOG_FLUSH_THRESHOLD + (kStamp + L" F() : while the disk fails\r\n").size());

    files.Get(LogName(0))->failWrites = false;
    log->addLog(L"disk is back", L"F", LOG_FUNC);
    EXPECT_EQ(FileText(), accepted);
    EXPECT_EQ(Snapshot(), accepted + kStamp + L" F() : disk is back\r\n");
}

TEST_F(LogMsgTest, ThreadsNeverInterleaveEntries)
{
    constexpr int kThreads = 8;
    constexpr int kLines = 400;
    Open();
    CLogMsg::SetMainThreadId(1);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([this, t] {
            for (int i = 0; i < kLines; ++i) {
                const std::wstring message = L"thread " + std::to_wstring(t) + L" line " +
                                             std::to_wstring(i) + L" " + std::wstring(20, L'.');
                log->addLog(message.c_str(), L"Worker::Run", LOG_FUNC);
                log->addLog(L"trace", L"Worker::Run", LOG_MEMORY);
            }
        });
    }
    for (auto& thread : threads) thread.join();
    log->Destruct();

    const std::wstring text = FileText();
    ASSERT_EQ(text.substr(0, kBanner.size()), kBanner);
    std::vector<int> next(kThreads, 0);
    int lines = 0;
    for (std::size_t pos = kBanner.size(); pos < text.size();) {
        const std::size_t end = text.find(L"\r\n", pos);
        ASSERT_NE(end, std::wstring::npos);
        const std::wstring line = text.substr(pos, end - pos);
        int t = -1;
        int i = -1;
        ASSERT_EQ(std::swscanf(line.c_str(),
                               L"05/03/12 07:02:42 [1] Worker::Run() : thread %d line %d", &t, &i),
                  2)
            << line;
        ASSERT_TRUE(t >= 0 && t < kThreads) << line;
        EXPECT_EQ(i, next[t]) << line;
        EXPECT_EQ(line, L"05/03/12 07:02:42 [1] Worker::Run() : thread " + std::to_wstring(t) +
                            L" line " + std::to_wstring(i) + L" " + std::wstring(20, L'.'));
        next[t] = i + 1;
        ++lines;
        pos = end + 2;
    }
    EXPECT_EQ(lines, kThreads * kLines);
    // Written in large pieces: every write but the last one carries the threshold or more.
    const auto& writes = files.Get(LogName(0))->writes;
    ASSERT_GT(writes.size(), 1u);
    for (std::size_t w = 0; w + 1 < writes.size(); ++w)
        EXPECT_GE(writes[w], 2 * LOG_FLUSH_THRESHOLD);
}

// ---- The process's log -------------------------------------------------------------

TEST_F(LogMsgTest, LogFFormatsIntoTheProcessLog)
{
    g_LogMsg.Construct();
    g_LogMsg.OpenLogFile();
    LogF(LOG_FUNC, L"CSetupDlg::OnInitDialog", L"Language %d, network %ls.", 1033, L"HomeNet");
    LogF(LOG_FUNC_DASH, L"InstallDriver", L"%ls", std::wstring(700, L'z').c_str());
    const std::wstring text = FromUtf16(g_LogMsg.SnapshotText());
    EXPECT_EQ(g_LogMsg.CurrentFilePath(), LogName(0));
    g_LogMsg.Destruct();
    EXPECT_EQ(text, kBanner + kStamp +
                        L" CSetupDlg::OnInitDialog() : Language 1033, network HomeNet.\r\n" +
                        kStamp + L" InstallDriver - " + std::wstring(511, L'z') + L"\r\n");
    EXPECT_EQ(FileText(), text);
}

}  // namespace
