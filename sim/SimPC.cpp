#include "sim/SimPC.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sys/file.h>
#include <unistd.h>

#include "platform/Text.h"
#include "sim/HostFile.h"
#include "sim/RegistryStore.h"

namespace fs = std::filesystem;

namespace sim {

namespace {


std::wstring RootedKey(HKEY_ROOT root, const std::wstring& subKey)
{
    return (root == HKEY_ROOT::HKEY_LOCAL_MACHINE ? L"HKLM\\" : L"HKCU\\") + subKey;
}

bool IsXp(const Scenario& s) { return s.os.version.rfind("5.", 0) == 0; }

// A file the program writes. Its size is counted as it grows, so asking for it (the
// log does before every line) costs no system call. Every write goes to disk at once, so
// the stream keeps no buffer: a write is one system call, not a buffer's worth copied
// and written and then the rest.
class HostFile : public FileHandle {
public:
    explicit HostFile(std::FILE* f) : m_f(f)
    {
        std::setvbuf(m_f, nullptr, _IONBF, 0);
        m_size = Position();
    }
    ~HostFile() override { std::fclose(m_f); }
    bool Write(const void* data, std::size_t bytes) override
    {
        bool ok = std::fwrite(data, 1, bytes, m_f) == bytes;
        ok = std::fflush(m_f) == 0 && ok;
        // After a failure only the file knows how much of it arrived.
        m_size = ok ? m_size + bytes : Position();
        return ok;
    }
    std::uint64_t GetFileSize() override { return m_size; }

private:
    std::uint64_t Position()
    {
        std::fflush(m_f);
        long pos = std::ftell(m_f);
        return pos < 0 ? 0 : static_cast<std::uint64_t>(pos);
    }

    std::FILE* m_f;
    std::uint64_t m_size = 0;
};

class FlockMutex : public MutexHandle {
public:
    explicit FlockMutex(int fd) : m_fd(fd) {}
    ~FlockMutex() override { ::close(m_fd); }

private:
    int m_fd;
};

// Windows-1252's characters 0x80-0x9F; the rest of the code page is Latin-1.
const char16_t kCp1252High[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                  0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

// The disc keeps its files' own letter case ("Terms-World-Regions-en_101006.mht"); a
// Windows path names them in any case.
fs::path DiscEntry(const fs::path& folder, const std::string& lowerName)
{
    std::error_code ec;
    if (fs::exists(folder / lowerName, ec)) return folder / lowerName;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        if (WideToUtf8(LowerCase(Utf8ToWide(entry.path().filename().string()))) == lowerName)
            return entry.path();
    }
    return folder / lowerName;
}

}  // namespace

SimPC::SimPC(Scenario scenario, fs::path machineDir, fs::path discDir)
    : m_scenario(std::move(scenario)), m_machineDir(std::move(machineDir)), m_discDir(std::move(discDir))
{
    MakeHostFolder(m_machineDir);
    fs::path regFile = m_machineDir / "registry.txt";
    std::error_code ec;
    bool fresh = !fs::exists(fs::symlink_status(regFile, ec));
    m_registry = std::make_unique<RegistryStore>(regFile);
    if (fresh) {
        for (auto& [key, values] : m_scenario.registry) {
            if (!m_registry->CreateKey(Utf8ToWide(key)))
                throw ScenarioError(m_scenario.sourceFile + ": registry key \"" + key + "\" " +
                                    RegistryStore::KeyProblem(Utf8ToWide(key)));
            for (auto& [name, data] : values) m_registry->SetValue(Utf8ToWide(key), Utf8ToWide(name), Utf8ToWide(data));
        }
    }
    // What the operating system itself keeps there. The file is written only when this
    // changes something, so a second process on the same machine never overwrites what
    // the first one wrote meanwhile.
    const std::wstring ieKey = L"HKLM\\SOFTWARE\\Microsoft\\Internet Explorer";
    bool changed = fresh;
    if (m_registry->Value(ieKey, L"Version") != Utf8ToWide(m_scenario.os.browserVersion)) {
        m_registry->SetValue(ieKey, L"Version", Utf8ToWide(m_scenario.os.browserVersion));
        changed = true;
    }
    if (changed) m_registry->Save();
    m_hardware = std::make_unique<SimHardware>(m_scenario, *this, *this, fresh);
}

SimPC::~SimPC() = default;

Platform SimPC::AsPlatform()
{
    Platform p;
    p.system = this;
    p.registry = this;
    p.files = this;
    p.mutex = this;
    p.shell = this;
    p.clipboard = this;
    p.wlan = m_hardware.get();
    p.devices = m_hardware.get();
    p.services = m_hardware.get();
    p.processes = m_hardware.get();
    p.vendor = m_hardware.get();
    p.ip = m_hardware.get();
    return p;
}

std::int64_t SimPC::StartWallMs() const
{
    return ParseStartTime(m_scenario.startTime).value_or(0);
}

fs::path SimPC::HostPath(const std::wstring& windowsPath, bool forWriting) const
{
    std::wstring p = windowsPath;
    for (auto& c : p)
        if (c == L'/') c = L'\\';
    std::string drive = "c";
    std::wstring rest = p;
    if (p.size() >= 2 && p[1] == L':') {
        drive = WideToUtf8(LowerCase(p.substr(0, 1)));
        rest = p.substr(2);
    }
    fs::path host = m_machineDir / "fs" / drive;
    fs::path disc = m_discDir;
    std::string restLower = WideToUtf8(LowerCase(rest));
    std::size_t pos = 0;
    while (pos < restLower.size()) {
        std::size_t next = restLower.find('\\', pos);
        std::string part = restLower.substr(pos, next == std::string::npos ? std::string::npos : next - pos);
        if (!part.empty()) {
            host /= part;
            disc = DiscEntry(disc, part);
        }
        if (next == std::string::npos) break;
        pos = next + 1;
    }
    // The program's own drive is the disc: read from it unless the machine has its own file.
    std::wstring programDrive = Utf8ToWide(m_scenario.program.path.substr(0, 1));
    if (!forWriting && WideToUtf8(LowerCase(programDrive)) == drive && !fs::exists(host) && fs::exists(disc)) return disc;
    return host;
}

std::vector<std::wstring> SimPC::OpenedDocuments() const
{
    std::lock_guard lock(m_mutex);
    return m_opened;
}

// ---- SystemInfo ---------------------------------------------------------------------

OsVersionInfo SimPC::GetVersionExW()
{
    OsVersionInfo v;
    const auto& os = m_scenario.os;
    std::size_t dot = os.version.find('.');
    v.dwMajorVersion = static_cast<DWORD>(std::atoi(os.version.substr(0, dot).c_str()));
    v.dwMinorVersion = dot == std::string::npos ? 0 : static_cast<DWORD>(std::atoi(os.version.substr(dot + 1).c_str()));
    v.dwBuildNumber = static_cast<DWORD>(os.build);
    v.szCSDVersion = Utf8ToWide(os.servicePack);
    v.wServicePackMajor = static_cast<WORD>(os.servicePackMajor);
    v.wServicePackMinor = static_cast<WORD>(os.servicePackMinor);
    return v;
}

WORD SimPC::GetNativeProcessorArchitecture()
{
    const auto& arch = m_scenario.os.arch;
    if (arch == "x64") return PROCESSOR_ARCHITECTURE_AMD64;
    if (arch == "ia64") return PROCESSOR_ARCHITECTURE_IA64;
    return PROCESSOR_ARCHITECTURE_INTEL;
}

BOOL SimPC::VerifyVersionInfoW(DWORD major, DWORD minor, WORD spMajor, WORD spMinor)
{
    OsVersionInfo v = GetVersionExW();
    auto key = [](DWORD a, DWORD b, DWORD c, DWORD d) {
        return (static_cast<std::uint64_t>(a) << 48) | (static_cast<std::uint64_t>(b) << 32) |
               (static_cast<std::uint64_t>(c) << 16) | d;
    };
    return key(v.dwMajorVersion, v.dwMinorVersion, v.wServicePackMajor, v.wServicePackMinor) >=
           key(major, minor, spMajor, spMinor);
}

LANGID SimPC::GetUserDefaultUILanguage() { return static_cast<LANGID>(m_scenario.os.uiLanguage); }
LANGID SimPC::GetSystemDefaultLangID() { return static_cast<LANGID>(m_scenario.os.systemLanguage); }
BOOL SimPC::AllocateAdministratorsSid() { return TRUE; }

BOOL SimPC::CheckTokenMembership(BOOL* isMember)
{
    *isMember = m_scenario.os.admin ? TRUE : FALSE;
    return TRUE;
}

std::wstring SimPC::GetModuleFileNameW() { return Utf8ToWide(m_scenario.program.path); }

std::optional<FileVersion> SimPC::GetFileVersionInfo(const std::wstring& path)
{
    if (WideToUtf8(LowerCase(path)) != WideToUtf8(LowerCase(Utf8ToWide(m_scenario.program.path))) || m_scenario.program.fileVersion.empty())
        return std::nullopt;
    FileVersion v;
    int parts[4] = {0, 0, 0, 0};
    std::sscanf(m_scenario.program.fileVersion.c_str(), "%d.%d.%d.%d", &parts[0], &parts[1], &parts[2], &parts[3]);
    v.major = static_cast<WORD>(parts[0]);
    v.minor = static_cast<WORD>(parts[1]);
    v.build = static_cast<WORD>(parts[2]);
    v.revision = static_cast<WORD>(parts[3]);
    return v;
}

UINT SimPC::GetACP() { return static_cast<UINT>(m_scenario.os.ansiCodePage); }

namespace {

// The PC's other code pages through the C library's converters: a byte sequence the code
// page cannot read becomes U+FFFD, a character it cannot write becomes '?', as the
// system's own conversion does without its strict flags.
std::wstring DecodeCodePage(UINT codePage, const std::string& bytes)
{
    std::string name = "CP" + std::to_string(codePage);
    iconv_t cd = iconv_open("UTF-32LE", name.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::wstring(bytes.begin(), bytes.end());
    std::wstring out;
    std::size_t at = 0;
    while (at < bytes.size()) {
        char buffer[16];
        char* in = const_cast<char*>(bytes.data() + at);
        std::size_t inLeft = bytes.size() - at;
        char* o = buffer;
        std::size_t outLeft = 4;  // one character at a time
        std::size_t r = iconv(cd, &in, &inLeft, &o, &outLeft);
        std::size_t used = static_cast<std::size_t>(in - (bytes.data() + at));
        if (o - buffer == 4) {
            char32_t c = static_cast<unsigned char>(buffer[0]) | static_cast<unsigned char>(buffer[1]) << 8 |
                         static_cast<unsigned char>(buffer[2]) << 16 | static_cast<char32_t>(static_cast<unsigned char>(buffer[3])) << 24;
            out += static_cast<wchar_t>(c);
            at += used;
        } else if (r == static_cast<std::size_t>(-1) && errno == E2BIG && used > 0) {
            at += used;
        } else {
            out += static_cast<wchar_t>(0xFFFD);
            at += std::max<std::size_t>(used, 1);
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
    return out;
}

std::string EncodeCodePage(UINT codePage, const std::wstring& text)
{
    std::string name = "CP" + std::to_string(codePage);
    iconv_t cd = iconv_open(name.c_str(), "UTF-32LE");
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(text.size(), '?');
    std::string out;
    for (wchar_t w : text) {
        char32_t c = static_cast<char32_t>(w);
        char in32[4] = {static_cast<char>(c & 0xFF), static_cast<char>((c >> 8) & 0xFF),
                        static_cast<char>((c >> 16) & 0xFF), static_cast<char>((c >> 24) & 0xFF)};
        char* in = in32;
        std::size_t inLeft = 4;
        char buffer[8];
        char* o = buffer;
        std::size_t outLeft = sizeof buffer;
        if (iconv(cd, &in, &inLeft, &o, &outLeft) == static_cast<std::size_t>(-1)) {
            out += '?';
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        } else {
            out.append(buffer, static_cast<std::size_t>(o - buffer));
        }
    }
    iconv_close(cd);
    return out;
}

}  // namespace

std::wstring SimPC::MultiByteToWideChar(const std::string& bytes)
{
    if (GetACP() == 65001) return Utf8ToWide(bytes);
    if (GetACP() != 1252) return DecodeCodePage(GetACP(), bytes);
    std::wstring out;
    for (unsigned char c : bytes) {
        if (c >= 0x80 && c < 0xA0) out += static_cast<wchar_t>(kCp1252High[c - 0x80]);
        else out += static_cast<wchar_t>(c);
    }
    return out;
}

std::string SimPC::WideCharToMultiByte(const std::wstring& text)
{
    if (GetACP() == 65001) return WideToUtf8(text);
    if (GetACP() != 1252) return EncodeCodePage(GetACP(), text);
    std::string out;
    for (wchar_t c : text) {
        if (c < 0x80 || (c >= 0xA0 && c < 0x100)) {
            out += static_cast<char>(c);
            continue;
        }
        char mapped = '?';
        for (int i = 0; i < 32; ++i)
            if (kCp1252High[i] == c) mapped = static_cast<char>(0x80 + i);
        out += mapped;
    }
    return out;
}

std::optional<std::wstring> SimPC::GetEnvironmentVariableW(const std::wstring& name)
{
    std::string n = WideToUtf8(LowerCase(name));
    if (n == "comspec") return Utf8ToWide(m_scenario.os.comspec);
    if (n == "systemroot" || n == "windir") return std::wstring(L"C:\\Windows");
    return std::nullopt;
}

DWORD SimPC::GetCurrentProcessId() { return m_processId; }

// ---- Registry -----------------------------------------------------------------------

LONG SimPC::RegOpenKeyExW(HKEY_ROOT root, const std::wstring& subKey)
{
    std::lock_guard lock(m_mutex);
    return m_registry->KeyExists(RootedKey(root, subKey)) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

LONG SimPC::RegCreateKeyExW(HKEY_ROOT root, const std::wstring& subKey)
{
    std::lock_guard lock(m_mutex);
    if (!m_registry->CreateKey(RootedKey(root, subKey))) return ERROR_INVALID_PARAMETER;
    return m_registry->Save() ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

LONG SimPC::RegQueryValueExW(HKEY_ROOT root, const std::wstring& subKey, const std::wstring& name,
                             std::wstring* data, DWORD bufferBytes, DWORD* bytes)
{
    std::lock_guard lock(m_mutex);
    auto value = m_registry->Value(RootedKey(root, subKey), name);
    if (!value) return ERROR_FILE_NOT_FOUND;
    DWORD size = static_cast<DWORD>((value->size() + 1) * 2);
    if (bytes) *bytes = size;
    if (size > bufferBytes) return ERROR_MORE_DATA;
    if (data) *data = *value;
    return ERROR_SUCCESS;
}

LONG SimPC::RegSetValueExW(HKEY_ROOT root, const std::wstring& subKey, const std::wstring& name,
                           const std::wstring& data, DWORD byteCount)
{
    std::lock_guard lock(m_mutex);
    std::wstring stored = data.substr(0, std::min<std::size_t>(data.size(), byteCount / 2));
    if (!m_registry->SetValue(RootedKey(root, subKey), name, stored)) return ERROR_INVALID_PARAMETER;
    return m_registry->Save() ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

LONG SimPC::RegDeleteValueW(HKEY_ROOT root, const std::wstring& subKey, const std::wstring& name)
{
    std::lock_guard lock(m_mutex);
    if (!m_registry->DeleteValue(RootedKey(root, subKey), name)) return ERROR_FILE_NOT_FOUND;
    return m_registry->Save() ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

LONG SimPC::RegFlushKey(HKEY_ROOT) { return ERROR_SUCCESS; }

std::optional<std::wstring> SimPC::RegistryValue(const std::wstring& key, const std::wstring& name)
{
    std::lock_guard lock(m_mutex);
    return m_registry->Value(key, name);
}

bool SimPC::RegistryKeyExists(const std::wstring& key)
{
    std::lock_guard lock(m_mutex);
    return m_registry->KeyExists(key);
}

// ---- Files --------------------------------------------------------------------------

std::wstring SimPC::GetCommonAppDataFolder()
{
    return IsXp(m_scenario) ? L"C:\\Documents and Settings\\All Users\\Application Data" : L"C:\\ProgramData";
}

bool SimPC::DirectoryExists(const std::wstring& path) { return fs::is_directory(HostPath(path, false)); }

bool SimPC::CreateDirectoryTree(const std::wstring& path)
{
    std::error_code ec;
    fs::create_directories(HostPath(path, true), ec);
    return !ec;
}

bool SimPC::PathFileExistsW(const std::wstring& path) { return fs::exists(HostPath(path, false)); }

bool SimPC::MoveFileW(const std::wstring& from, const std::wstring& to)
{
    fs::path a = HostPath(from, true), b = HostPath(to, true);
    if (!fs::exists(a) || fs::exists(b)) return false;
    std::error_code ec;
    fs::rename(a, b, ec);
    return !ec;
}

bool SimPC::DeleteFileW(const std::wstring& path)
{
    std::error_code ec;
    return fs::remove(HostPath(path, true), ec);
}

std::unique_ptr<FileHandle> SimPC::CreateFileForWriting(const std::wstring& path)
{
    fs::path host = HostPath(path, true);
    if (!fs::is_directory(host.parent_path())) return nullptr;
    std::FILE* f = std::fopen(host.c_str(), "wb");
    if (!f) return nullptr;
    return std::make_unique<HostFile>(f);
}

std::optional<std::string> SimPC::ReadFile(const std::wstring& path, std::size_t maxBytes)
{
    // The program's HWID.ini may be given by the scenario instead of the disc.
    if (m_scenario.program.hwidIni) {
        std::wstring program = Utf8ToWide(m_scenario.program.path);
        std::wstring folder = program.substr(0, program.rfind(L'\\'));
        if (WideToUtf8(LowerCase(path)) == WideToUtf8(LowerCase(folder + L"\\HWID.ini"))) {
            if (m_scenario.program.hwidIni->empty()) return std::nullopt;
            return m_scenario.program.hwidIni->substr(0, maxBytes);
        }
    }
    std::ifstream in(HostPath(path, false), std::ios::binary);
    if (!in) return std::nullopt;
    std::string data;
    char buffer[4096];
    while (data.size() < maxBytes && in) {
        in.read(buffer, static_cast<std::streamsize>(std::min<std::size_t>(sizeof buffer, maxBytes - data.size())));
        data.append(buffer, static_cast<std::size_t>(in.gcount()));
    }
    return data;
}

std::optional<std::uint64_t> SimPC::FileSize(const std::wstring& path)
{
    std::error_code ec;
    auto size = fs::file_size(HostPath(path, false), ec);
    if (ec) return std::nullopt;
    return size;
}

// ---- NamedMutex ---------------------------------------------------------------------

std::unique_ptr<MutexHandle> SimPC::CreateMutexW(const std::wstring& name, LONG* lastError)
{
    std::string file;
    for (char c : WideToUtf8(name)) file += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    fs::path lockFile = m_machineDir / ("mutex-" + file + ".lock");
    int fd = ::open(lockFile.c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0644);
    if (fd < 0) {
        *lastError = ERROR_ACCESS_DENIED;
        return nullptr;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        *lastError = ERROR_ALREADY_EXISTS;
        // The name exists: the caller gets a handle to the existing mutex.
        return std::make_unique<FlockMutex>(fd);
    }
    *lastError = ERROR_SUCCESS;
    return std::make_unique<FlockMutex>(fd);
}

// ---- Shell, clipboard, WLAN library -----------------------------------------------------

int SimPC::ShellExecuteW(const std::wstring& verb, const std::wstring& file, int)
{
    std::lock_guard lock(m_mutex);
    if (verb != L"open") return 2;
    m_opened.push_back(file);
    return 42;
}

bool SimPC::SetText(const std::wstring& text)
{
    std::lock_guard lock(m_mutex);
    m_clipboard = text;
    return true;
}

std::wstring SimPC::GetText()
{
    std::lock_guard lock(m_mutex);
    return m_clipboard;
}

fs::path DefaultMachineDir(const std::string& scenarioName)
{
    const char* xdg = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    fs::path base = xdg && *xdg ? fs::path(xdg) : fs::path(home ? home : "/tmp") / ".local" / "share";
    std::string safe;
    for (char c : scenarioName) safe += std::isalnum(static_cast<unsigned char>(c)) || c == '-' ? c : '_';
    if (safe.size() > 64) {
        // A folder name has its limits: a long name keeps its beginning and a checksum of
        // the whole, so that two long names still get two machines.
        std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
        for (unsigned char c : scenarioName) hash = (hash ^ c) * 1099511628211ull;
        char hex[17];
        std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
        safe = safe.substr(0, 47) + "-" + hex;
    }
    return base / "TesraConnect" / "machines" / (safe.empty() ? "default" : safe);
}

void EmptyMachineFolder(const fs::path& dir)
{
    std::error_code ec;
    if (fs::is_directory(dir, ec) && !fs::is_empty(dir, ec) && !fs::exists(fs::symlink_status(dir / "registry.txt", ec)))
        throw HostFileError(dir.string() + ": not emptied, it holds no registry.txt (not a simulated PC's folder)");
    RemoveHostFolder(dir);
}

}  // namespace sim
