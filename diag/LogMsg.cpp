#include "diag/LogMsg.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <climits>
#include <cstdarg>
#include <cstring>
#include <cwchar>
#include <memory>
#include <vector>

#include "app/Globals.h"
#include "platform/Platform.h"
#include "runtime/Runtime.h"

namespace {

const wchar_t kLogSubFolder[] = L"\\Tesra Systems\\Tesra Connect\\Log\\";
const wchar_t kLogBaseName[] = L"logfile.TesraConnect_exe";
const wchar_t kLogExtension[] = L".txt";
const wchar_t kBrowserKey[] = L"SOFTWARE\\Microsoft\\Internet Explorer";
const wchar_t kDefaultFunction[] = L"CLogMsg::addLog";
constexpr int kLogFileCount = 5;
constexpr DWORD kBrowserVersionBytes = 256;

// Defined before g_LogMsg so that they outlive it at process exit.
std::mutex s_clockLock;
std::function<std::int64_t()> s_clock;
std::atomic<bool> s_clockSet{false};  // s_clock holds a function: only then take the lock
std::atomic<std::int64_t> s_mainThreadId{-1};  // -1: not set yet

std::int64_t WallNowMs()
{
    if (s_clockSet.load(std::memory_order_acquire)) {
        std::lock_guard<std::mutex> lock(s_clockLock);
        if (s_clock) return s_clock();
    }
    return rt::WallClockMs();
}

// printf-style formatting into a string of whatever length the result needs.
std::wstring Format(const wchar_t* fmt, ...)
{
    std::vector<wchar_t> buffer(256);
    for (;;) {
        va_list args;
        va_start(args, fmt);
        const int written = std::vswprintf(buffer.data(), buffer.size(), fmt, args);
        va_end(args);
        if (written >= 0) return std::wstring(buffer.data(), static_cast<std::size_t>(written));
        if (buffer.size() >= (std::size_t{1} << 20)) return std::wstring();  // encoding error
        buffer.resize(buffer.size() * 2);
    }
}

// "%m/%d/%y %H:%M:%S" of the clock's UTC fields, which carry the local time.
std::wstring TimeStamp(std::int64_t ms)
{
    using namespace std::chrono;
    const sys_time<milliseconds> when{milliseconds{ms}};
    const sys_days day = floor<days>(when);
    const year_month_day date{day};
    const hh_mm_ss<milliseconds> time{when - day};
    const int year = (static_cast<int>(date.year()) % 100 + 100) % 100;
    return Format(L"%02u/%02u/%02d %02d:%02d:%02d", static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()), year,
                  static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                  static_cast<int>(time.seconds().count()));
}

// Number of UTF-16 units of one wide character.
std::size_t Utf16Units(wchar_t c)
{
    if constexpr (sizeof(wchar_t) > 2) {
        const auto cp = static_cast<std::uint32_t>(c);
        if (cp > 0xFFFF && cp <= 0x10FFFF) return 2;
    }
    return 1;
}

// How many characters of a caller's message are kept: at most LOG_MAX_MESSAGE UTF-16
// units, never half a pair.
std::size_t MessageLength(const wchar_t* message)
{
    if (!message) return 0;
    std::size_t units = 0, i = 0;
    for (; i < LOG_MAX_MESSAGE && message[i] != L'\0'; ++i) {
        units += Utf16Units(message[i]);
        if (units > LOG_MAX_MESSAGE) break;
    }
    return i;
}

// ---- Entries of the frequent kinds, built in one piece -----------------------------------

// Room of an entry built on the stack; a longer one (only a very long function name makes
// one) is built on the heap.
constexpr std::size_t kEntryRoom = 1024;
// Time stamp, " [", a number, "] ", "() : ", the message, CR LF: all but the function name.
constexpr std::size_t kStampRoom = 32;
constexpr std::size_t kEntryFixedRoom = kStampRoom + 2 + 11 + 2 + 5 + LOG_MAX_MESSAGE + 2;

// Copies wide characters one for one into UTF-16 units and tells whether that was right:
// whether every one lies below the surrogates. Without an early exit and in blocks of a
// fixed size, so that the compiler makes vector code of it.
bool CopyBelowSurrogates(char16_t* out, const wchar_t* text, std::size_t length)
{
    constexpr std::size_t kBlock = 16;
    std::uint32_t above = 0;
    std::size_t i = 0;
    for (; i + kBlock <= length; i += kBlock) {
        for (std::size_t j = 0; j < kBlock; ++j) {
            const auto cp = static_cast<std::uint32_t>(text[i + j]);
            above |= cp >= 0xD800 ? 1u : 0u;
            out[i + j] = static_cast<char16_t>(cp);
        }
    }
    for (; i < length; ++i) {
        const auto cp = static_cast<std::uint32_t>(text[i]);
        above |= cp >= 0xD800 ? 1u : 0u;
        out[i] = static_cast<char16_t>(cp);
    }
    return above == 0;
}

// Characters outside the basic plane become surrogate pairs; lone surrogates and values
// beyond Unicode become U+FFFD. The buffer has room for two units a character; returns
// the end.
char16_t* EncodeUtf16(char16_t* out, const wchar_t* text, std::size_t length)
{
    for (std::size_t i = 0; i < length; ++i) {
        const auto cp = static_cast<std::uint32_t>(text[i]);
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            *out++ = u'\uFFFD';
        } else if (cp > 0xFFFF) {
            *out++ = static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            *out++ = static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            *out++ = static_cast<char16_t>(cp);
        }
    }
    return out;
}

// Log text is nearly always below the surrogates: one unit a character, copied in a
// quick pass; only text with a character that is not takes the careful one.
char16_t* WriteText(char16_t* out, const wchar_t* text, std::size_t length)
{
    if (CopyBelowSurrogates(out, text, length)) return out + length;
    return EncodeUtf16(out, text, length);
}

void AppendUtf16(std::u16string& out, const std::wstring& text)
{
    const std::size_t start = out.size();
    out.resize(start + 2 * text.size());
    const char16_t* end = WriteText(out.data() + start, text.data(), text.size());
    out.resize(static_cast<std::size_t>(end - out.data()));
}

// Writes the caller's message, cut as MessageLength says (room for LOG_MAX_MESSAGE units).
char16_t* WriteMessage(char16_t* out, const wchar_t* message)
{
    if (!message) return out;
    // Below the surrogates every character is one unit, so the cut is at 511 characters.
    const std::size_t length = wcsnlen(message, LOG_MAX_MESSAGE);
    if (CopyBelowSurrogates(out, message, length)) return out + length;
    return EncodeUtf16(out, message, MessageLength(message));
}

template <std::size_t N>
char16_t* WriteAscii(char16_t* out, const char (&text)[N])
{
    for (std::size_t i = 0; i + 1 < N; ++i) out[i] = static_cast<char16_t>(text[i]);
    return out + (N - 1);
}

char16_t* WriteNumber(char16_t* out, long long value)
{
    char16_t digits[24];
    int n = 0;
    unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                                             : static_cast<unsigned long long>(value);
    do {
        digits[n++] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    if (value < 0) *out++ = u'-';
    while (n) *out++ = digits[--n];
    return out;
}

// The time stamp of an entry, made once per second of the clock (per thread). Plain
// data, so that a thread reaches its copy without a guard.
struct Stamp {
    std::int64_t second = INT64_MIN;
    std::size_t length = 0;
    char16_t text[kStampRoom];
};

const Stamp& StampFor(std::int64_t ms)
{
    thread_local Stamp stamp;
    const std::int64_t s = ms >= 0 ? ms / 1000 : (ms - 999) / 1000;
    if (s != stamp.second) {
        // Digits, slashes, colons and a space: 17 characters, one unit each.
        const std::wstring text = TimeStamp(ms);
        stamp.second = s;
        stamp.length = std::min(text.size(), kStampRoom);
        for (std::size_t i = 0; i < stamp.length; ++i) stamp.text[i] = static_cast<char16_t>(text[i]);
    }
    return stamp;
}

// A zero-terminated text in a fixed record field.
std::wstring FieldText(const wchar_t* field, std::size_t capacity)
{
    return std::wstring(field, wcsnlen(field, capacity - 1));
}

}  // namespace

CLogMsg g_LogMsg;

CLogMsg::CLogMsg() = default;

CLogMsg::~CLogMsg()
{
    if (m_bConstructed) Destruct();
}

void CLogMsg::SetClock(std::function<std::int64_t()> clock)
{
    std::lock_guard<std::mutex> lock(s_clockLock);
    s_clock = std::move(clock);
    s_clockSet.store(static_cast<bool>(s_clock), std::memory_order_release);
}

void CLogMsg::SetMainThreadId(DWORD threadId) { s_mainThreadId = threadId; }

void CLogMsg::Construct()
{
    std::lock_guard<std::mutex> lock(m_cs);
    if (m_bConstructed) DestructLocked();

    m_strBuffer.clear();
    m_strLogFolder.clear();
    m_bStopped = 0;
    m_file.reset();
    m_bFileCreated = false;
    m_osvi = OsVersionInfo{};
    for (auto& part : m_nIEVersion) part = 0;
    for (auto& part : m_nProductVersion) part = 0;
    m_dwProcessId = 0;
    m_bConstructed = true;

    Platform& os = Os();
    if (os.system) {
        m_osvi = os.system->GetVersionExW();
        m_dwProcessId = os.system->GetCurrentProcessId();
    }

    if (os.registry && os.registry->RegOpenKeyExW(HKEY_ROOT::HKEY_LOCAL_MACHINE, kBrowserKey) ==
                           ERROR_SUCCESS) {
        std::wstring version;
        DWORD bytes = 0;
        const LONG rc = os.registry->RegQueryValueExW(HKEY_ROOT::HKEY_LOCAL_MACHINE, kBrowserKey,
                                                      L"Version", &version, kBrowserVersionBytes,
                                                      &bytes);
        // A failed read leaves the zeroed buffer, which parses to nothing.
        if (rc != ERROR_SUCCESS) version.clear();
        if (bytes != 0) {
            int parts[4] = {0, 0, 0, 0};
            std::swscanf(version.c_str(), L"%d.%d.%d.%d", &parts[0], &parts[1], &parts[2],
                         &parts[3]);
            for (int i = 0; i < 4; ++i) m_nIEVersion[i] = parts[i];
        }
    }

    if (os.system) {
        if (const auto version = os.system->GetFileVersionInfo(os.system->GetModuleFileNameW())) {
            m_nProductVersion[0] = version->major;
            m_nProductVersion[1] = version->minor;
            m_nProductVersion[2] = version->build;
            m_nProductVersion[3] = version->revision;
        }
    }

    if (os.files) {
        m_strLogFolder = os.files->GetCommonAppDataFolder() + kLogSubFolder;
        const std::wstring folder = m_strLogFolder.substr(0, m_strLogFolder.size() - 1);
        if (!os.files->DirectoryExists(folder)) os.files->CreateDirectoryTree(folder);
    }
}

void CLogMsg::Destruct()
{
    std::lock_guard<std::mutex> lock(m_cs);
    DestructLocked();
}

void CLogMsg::DestructLocked()
{
    // Unlike a plain close, the last lines of the run reach the disk.
    CloseFileLocked();
    s_mainThreadId = -1;
    m_bConstructed = false;
}

void CLogMsg::CloseFileLocked()
{
    if (!IsFileFullLocked()) FlushBufferLocked();
    m_file.reset();
}

bool CLogMsg::IsFileFullLocked() const
{
    return m_file && m_file->GetFileSize() >= LOG_MAX_FILE_BYTES;
}

std::wstring CLogMsg::FileName(int index) const
{
    if (index == 0)
        return Format(L"%ls%ls%ls", m_strLogFolder.c_str(), kLogBaseName, kLogExtension);
    return Format(L"%ls%ls_%d%ls", m_strLogFolder.c_str(), kLogBaseName, index, kLogExtension);
}

void CLogMsg::OpenLogFile()
{
    std::lock_guard<std::mutex> lock(m_cs);
    Files* files = Os().files;
    if (!files || m_strLogFolder.empty()) return;
    CloseFileLocked();
    m_bFileCreated = false;

    std::wstring names[kLogFileCount];
    for (int i = 0; i < kLogFileCount; ++i) names[i] = FileName(i);

    // Counted wherever the files sit: gaps make some of the moves below fail, which
    // leaves those files where they are.
    int count = 0;
    for (const auto& name : names) {
        if (files->PathFileExistsW(name)) ++count;
    }
    if (count == kLogFileCount) {
        files->DeleteFileW(names[kLogFileCount - 1]);
        count = kLogFileCount - 1;
    }
    for (int i = count - 1; i >= 0; --i) files->MoveFileW(names[i], names[i + 1]);

    m_file = files->CreateFileForWriting(names[0]);
    if (!m_file) return;
    m_bFileCreated = true;
    // Room for a full buffer and the entry that crosses the threshold, once.
    m_strBuffer.reserve(LOG_FLUSH_THRESHOLD + kEntryRoom);
    AddLogLocked(nullptr, nullptr, LOG_BANNER);
}

bool CLogMsg::IsLogWritable()
{
    std::lock_guard<std::mutex> lock(m_cs);
    return IsLogWritableLocked();
}

bool CLogMsg::IsLogWritableLocked()
{
    // The cap looks at what is on disk: the text pending when the file became full is
    // never written, not even by the flush that follows the stop flag.
    if (m_bStopped) {
        if (!IsFileFullLocked()) FlushBufferLocked();
        return false;
    }
    if (!m_file) return false;
    if (IsFileFullLocked()) return false;
    if (m_strBuffer.size() >= LOG_FLUSH_THRESHOLD) FlushBufferLocked();
    return true;
}

void CLogMsg::FlushBuffer()
{
    std::lock_guard<std::mutex> lock(m_cs);
    FlushBufferLocked();
}

void CLogMsg::FlushBufferLocked()
{
    if (m_strBuffer.empty() || !m_file) return;
    // UTF-16 little-endian: on a little-endian machine the buffer's own bytes.
    bool written;
    if constexpr (std::endian::native == std::endian::little) {
        written = m_file->Write(m_strBuffer.data(), m_strBuffer.size() * sizeof(char16_t));
    } else {
        std::vector<unsigned char> bytes;
        bytes.reserve(m_strBuffer.size() * 2);
        for (char16_t unit : m_strBuffer) {
            bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
            bytes.push_back(static_cast<unsigned char>(unit >> 8));
        }
        written = m_file->Write(bytes.data(), bytes.size());
    }
    // A failed write keeps the text, so the next flush offers it again.
    if (!written) return;
    m_strBuffer.clear();
}

void CLogMsg::addLog(const wchar_t* message, const wchar_t* functionName, unsigned kind)
{
    std::lock_guard<std::mutex> lock(m_cs);
    AddLogLocked(message, functionName, kind);
}

void CLogMsg::AddLogLocked(const wchar_t* message, const wchar_t* functionName, unsigned kind)
{
    if (!IsLogWritableLocked()) return;
    if ((kind & LOG_ENABLED_KINDS) == 0) return;
    const wchar_t* func = functionName ? functionName : kDefaultFunction;

    if (kind == LOG_BANNER) {
        const std::wstring banner = Format(
            L"Tesra Systems log file. Product version [%d.%d.%d.%d]. Build type [ship]. "
            L"OS version %d.%d.%d (SP %d.%d), IE version %d.%d.\r\n",
            m_nProductVersion[0], m_nProductVersion[1], m_nProductVersion[2],
            m_nProductVersion[3], static_cast<int>(m_osvi.dwMajorVersion),
            static_cast<int>(m_osvi.dwMinorVersion), static_cast<int>(m_osvi.dwBuildNumber),
            static_cast<int>(m_osvi.wServicePackMajor), static_cast<int>(m_osvi.wServicePackMinor),
            m_nIEVersion[0], m_nIEVersion[1]);
        m_strBuffer.clear();
        AppendUtf16(m_strBuffer, banner);
        return;
    }

    const bool known = kind == LOG_TEXT || kind == LOG_FUNC || kind == LOG_FUNC_DASH ||
                       kind == LOG_LOCALE || kind == LOG_ADAPTER || kind == LOG_NETCONFIG;
    if (!known) return;
    if ((kind == LOG_LOCALE || kind == LOG_ADAPTER || kind == LOG_NETCONFIG) && !message) return;

    const std::int64_t now = WallNowMs();
    const std::int64_t mainThread = s_mainThreadId;
    const int number = static_cast<int>(mainThread >= 0 ? static_cast<DWORD>(mainThread)
                                                        : m_dwProcessId);
    // The frequent kinds go straight into the buffer: "T [N] M", "T [N] F() : M", "T [N] F - M".
    if (kind == LOG_TEXT || kind == LOG_FUNC || kind == LOG_FUNC_DASH) {
        // Built whole in a buffer of room enough, then appended in one piece.
        const std::size_t funcLength = kind != LOG_TEXT ? std::wcslen(func) : 0;
        const std::size_t room = kEntryFixedRoom + 2 * funcLength;
        char16_t local[kEntryRoom];
        std::unique_ptr<char16_t[]> heap;
        char16_t* entry = local;
        if (room > kEntryRoom) {
            heap = std::make_unique_for_overwrite<char16_t[]>(room);
            entry = heap.get();
        }
        const Stamp& stamp = StampFor(now);
        char16_t* out = std::copy_n(stamp.text, stamp.length, entry);
        out = WriteAscii(out, " [");
        out = WriteNumber(out, number);
        out = WriteAscii(out, "] ");
        if (kind != LOG_TEXT) {
            out = WriteText(out, func, funcLength);
            out = kind == LOG_FUNC ? WriteAscii(out, "() : ") : WriteAscii(out, " - ");
        }
        out = WriteMessage(out, message);
        out = WriteAscii(out, "\r\n");
        m_strBuffer.append(entry, static_cast<std::size_t>(out - entry));
        return;
    }
    const std::wstring stamp = TimeStamp(now);
    std::wstring entry;
    switch (kind) {
    case LOG_LOCALE: {
        const auto* language = reinterpret_cast<const std::int32_t*>(message);
        entry = Format(L"%ls [%d] Usable locale found: %d.\r\n", stamp.c_str(), number,
                       static_cast<int>(*language));
        break;
    }
    case LOG_ADAPTER: {
        const auto* record = reinterpret_cast<const LogAdapterRecord*>(message);
        const wchar_t* model = g_bSiblingModel ? L"Korvana QW2100&QW2600" : L"Korvana QW4100";
        entry = Format(L"%ls [%d]\r\n Enabled:      %ls\r\n Type:         %ls\r\n"
                       L" Description:  %ls\r\n PNPId:        %ls\r\n AdapterGUID:  %ls\r\n",
                       stamp.c_str(), number, record->bEnabled ? L"True" : L"False",
                       L"RT_Wireless", model, FieldText(record->szPnpId, 256).c_str(),
                       FieldText(record->szAdapterGuid, 256).c_str());
        break;
    }
    case LOG_NETCONFIG: {
        const auto* record = reinterpret_cast<const LogNetConfigRecord*>(message);
        entry = Format(L"%ls [%d]\r\n%ls() : Current network configuration:\r\n"
                       L"       SSID: %ls\r\n   AuthAlgo: %ls\r\n CipherAlgo: %ls\r\n"
                       L"        Key: %ls\r\n",
                       stamp.c_str(), number, func, FieldText(record->szSsid, 33).c_str(),
                       FieldText(record->szAuth, 31).c_str(),
                       FieldText(record->szCipher, 31).c_str(),
                       FieldText(record->szKey, 129).c_str());
        break;
    }
    default:
        break;
    }
    AppendUtf16(m_strBuffer, entry);
}

std::u16string CLogMsg::SnapshotText()
{
    std::lock_guard<std::mutex> lock(m_cs);
    std::u16string text;
    if (m_bFileCreated && Os().files) {
        if (const auto bytes = Os().files->ReadFile(FileName(0))) {
            const auto* data = reinterpret_cast<const unsigned char*>(bytes->data());
            text.resize(bytes->size() / 2);
            for (std::size_t i = 0; i < text.size(); ++i)
                text[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
        }
    }
    text += m_strBuffer;
    return text;
}

bool CLogMsg::LockFree()
{
    if (!m_cs.try_lock()) return false;
    m_cs.unlock();
    return true;
}

std::wstring CLogMsg::CurrentFilePath()
{
    std::lock_guard<std::mutex> lock(m_cs);
    return FileName(0);
}

void LogF(unsigned kind, const wchar_t* func, const wchar_t* fmt, ...)
{
    wchar_t message[LOG_MAX_MESSAGE + 1];
    message[0] = L'\0';
    if (fmt) {
        va_list args;
        va_start(args, fmt);
        std::vswprintf(message, LOG_MAX_MESSAGE + 1, fmt, args);
        va_end(args);
    }
    // vswprintf leaves an overlong result unterminated.
    message[LOG_MAX_MESSAGE] = L'\0';
    g_LogMsg.addLog(message, func, kind);
}
