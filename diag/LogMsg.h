#pragma once
// The program's log file. One process-wide writer, g_LogMsg, collects the text of every
// thread in memory and writes it to disk in large pieces. The log folder keeps five files:
// the current one and the four previous runs ("_1" newest to "_4" oldest).
//
// File format: UTF-16 little-endian without byte-order mark, lines end in CR LF. The first
// line is the banner, every further entry has one of the layouts of the log kinds below.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "platform/Files.h"
#include "platform/SystemInfo.h"
#include "platform/Win32Types.h"

// Log kinds: the third argument of CLogMsg::addLog selects the layout of the entry.
constexpr unsigned LOG_BANNER = 1;       // replaces the buffer with the banner line
constexpr unsigned LOG_TEXT = 2;         // "T [N] M"
constexpr unsigned LOG_FUNC = 4;         // "T [N] F() : M" - the usual kind
constexpr unsigned LOG_FUNC_DASH = 8;    // "T [N] F - M"
constexpr unsigned LOG_LOCALE = 16;      // message points to an int32_t language identifier
constexpr unsigned LOG_ADAPTER = 32;     // message points to a LogAdapterRecord
constexpr unsigned LOG_NETCONFIG = 64;   // message points to a LogNetConfigRecord
constexpr unsigned LOG_MEMORY = 128;     // heap traces: outside the enabled kinds
// A call whose kind shares no bit with this mask adds nothing (it still runs the
// writability check, which may flush the buffer).
constexpr unsigned LOG_ENABLED_KINDS = 0xF7F;

// Flush the buffer once it holds this many UTF-16 characters.
constexpr std::size_t LOG_FLUSH_THRESHOLD = 10240;
// A file of this many bytes or more takes no more text.
constexpr std::uint64_t LOG_MAX_FILE_BYTES = 10485760;
// One message carries at most this many characters (the callers' 512-character buffer).
constexpr std::size_t LOG_MAX_MESSAGE = 511;

// The adapter dump of kind 32, filled by the adapter monitor. Texts are zero-terminated.
struct LogAdapterRecord {
    std::int32_t bEnabled;       // 1 when the adapter was found on this pass
    wchar_t szPnpId[256];        // PNP device ID
    wchar_t szAdapterGuid[256];  // interface GUID in registry form, with braces
};

// The network configuration dump of kind 64, filled by the connect worker.
// Texts are zero-terminated; the key is logged in clear text.
struct LogNetConfigRecord {
    wchar_t szSsid[33];
    wchar_t szAuth[31];
    wchar_t szCipher[31];
    wchar_t szKey[129];
};

class CLogMsg {
public:
    // Does no platform work: the object may exist before the platform is installed.
    CLogMsg();
    // Runs Destruct() unless it has already run.
    virtual ~CLogMsg();
    CLogMsg(const CLogMsg&) = delete;
    CLogMsg& operator=(const CLogMsg&) = delete;

    // Start of a process: reads the OS and browser versions and the program's file
    // version, and creates the log folder when it is missing. Needs the platform (Os()).
    // A second Construct() without Destruct() first ends the earlier run.
    void Construct();
    // End of a process: writes what is still buffered (when a file is open and below the
    // size cap) and closes the file. Call it while the platform that made the file is
    // still alive; the destructor only runs it if nobody did.
    void Destruct();

    // Appends one entry as `kind` selects. For kinds 2, 4 and 8 `message` is the text
    // (null: empty; longer than 511 characters: cut); for 16, 32 and 64 it points to the
    // int32_t, LogAdapterRecord or LogNetConfigRecord (null: nothing is added). A null
    // `functionName` reads "CLogMsg::addLog". Safe from any thread; never fails.
    void addLog(const wchar_t* message, const wchar_t* functionName, unsigned kind);
    // Rotates the older files, creates the current file and buffers the banner. When the
    // file cannot be created, logging stays off for the run.
    void OpenLogFile();
    // False when stopped (after flushing, unless the file is full), without a file or
    // when the file is full; otherwise flushes a buffer at the threshold and answers true.
    bool IsLogWritable();
    // Writes and empties the buffer; on a write failure the buffer is kept for next time.
    void FlushBuffer();

    // The file's text so far followed by the text still buffered.
    std::u16string SnapshotText();
    // Full path of the current log file (whether or not it could be created).
    std::wstring CurrentFilePath();
    // True when no thread holds the log's lock (a stopped worker must never leave it held).
    // Only for a thread that does not hold it itself.
    bool LockFree();

    // Wall clock for the time stamps: milliseconds since 1970 whose UTC fields read as
    // local time. An empty function restores the runtime's wall clock. Process-wide.
    static void SetClock(std::function<std::int64_t()> clock);
    // The number shown in brackets on every line; the process identifier until it is set.
    // Destruct() forgets it.
    static void SetMainThreadId(DWORD threadId);

    // Set to 1 by the close and cancel handling after its last line, without the lock.
    // The next call flushes the buffer and adds nothing; later calls write nothing.
    std::atomic<int> m_bStopped{0};

private:
    bool IsLogWritableLocked();
    void FlushBufferLocked();
    void AddLogLocked(const wchar_t* message, const wchar_t* functionName, unsigned kind);
    void CloseFileLocked();
    bool IsFileFullLocked() const;
    void DestructLocked();
    std::wstring FileName(int index) const;

    OsVersionInfo m_osvi;
    std::int32_t m_nIEVersion[4] = {0, 0, 0, 0};
    std::int32_t m_nProductVersion[4] = {0, 0, 0, 0};
    std::unique_ptr<FileHandle> m_file;
    std::u16string m_strBuffer;  // UTF-16 as it goes to disk
    std::wstring m_strLogFolder;  // ends in a backslash
    std::mutex m_cs;  // the one lock around everything above

    DWORD m_dwProcessId = 0;
    bool m_bFileCreated = false;  // the current file of this run exists on disk
    bool m_bConstructed = false;
};

// The process's log.
extern CLogMsg g_LogMsg;

// Formats a message into a buffer of 512 wide characters (vswprintf; longer output is
// cut to 511) and logs it on g_LogMsg with `kind` and `func`. On this platform wide
// strings are "%ls" in the format ("%s" means a narrow string).
void LogF(unsigned kind, const wchar_t* func, const wchar_t* fmt, ...);
