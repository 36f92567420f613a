#pragma once
#include <optional>
#include <string>

#include "platform/Win32Types.h"

// What GetVersionExW fills into an OSVERSIONINFOEXW, as far as the wizard reads it.
struct OsVersionInfo {
    DWORD dwMajorVersion = 0;
    DWORD dwMinorVersion = 0;
    DWORD dwBuildNumber = 0;
    std::wstring szCSDVersion;  // "Service Pack 1", or empty
    WORD wServicePackMajor = 0;
    WORD wServicePackMinor = 0;
};

// VS_FIXEDFILEINFO's file version, split into its four 16-bit parts.
struct FileVersion {
    WORD major = 0, minor = 0, build = 0, revision = 0;
};

// Operating system facts: version, processor, languages, the user, the program file.
class SystemInfo {
public:
    virtual ~SystemInfo() = default;

    virtual OsVersionInfo GetVersionExW() = 0;
    virtual WORD GetNativeProcessorArchitecture() = 0;  // GetNativeSystemInfo
    // VerifyVersionInfoW with VER_GREATER_EQUAL on major, minor, SP major, SP minor.
    virtual BOOL VerifyVersionInfoW(DWORD major, DWORD minor, WORD spMajor, WORD spMinor) = 0;
    virtual LANGID GetUserDefaultUILanguage() = 0;
    virtual LANGID GetSystemDefaultLangID() = 0;
    // AllocateAndInitializeSid for BUILTIN\Administrators; false when the SID cannot be built.
    virtual BOOL AllocateAdministratorsSid() = 0;
    // CheckTokenMembership of the current thread's token; false when the call fails.
    virtual BOOL CheckTokenMembership(BOOL* isMember) = 0;

    virtual std::wstring GetModuleFileNameW() = 0;  // full path of the program file
    // File version from the version resource of a file; nullopt when it has none.
    virtual std::optional<FileVersion> GetFileVersionInfo(const std::wstring& path) = 0;

    virtual UINT GetACP() = 0;
    // MultiByteToWideChar with the ANSI code page. Returns the converted text.
    virtual std::wstring MultiByteToWideChar(const std::string& bytes) = 0;
    virtual std::string WideCharToMultiByte(const std::wstring& text) = 0;

    virtual std::optional<std::wstring> GetEnvironmentVariableW(const std::wstring& name) = 0;
    virtual DWORD GetCurrentProcessId() = 0;
};
