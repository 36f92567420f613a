#pragma once
// A small SystemInfo for tests of the environment and language choices.
#include "platform/Platform.h"

struct FakeSystem : SystemInfo {
    OsVersionInfo version;
    WORD arch = PROCESSOR_ARCHITECTURE_INTEL;
    LANGID uiLanguage = 1033;
    BOOL sidBuilds = TRUE, membershipCall = TRUE, member = TRUE;

    OsVersionInfo GetVersionExW() override { return version; }
    WORD GetNativeProcessorArchitecture() override { return arch; }
    BOOL VerifyVersionInfoW(DWORD major, DWORD minor, WORD spMajor, WORD spMinor) override
    {
        auto key = [](std::uint64_t a, std::uint64_t b, std::uint64_t c, std::uint64_t d) {
            return (a << 48) | (b << 32) | (c << 16) | d;
        };
        return key(version.dwMajorVersion, version.dwMinorVersion, version.wServicePackMajor,
                   version.wServicePackMinor) >= key(major, minor, spMajor, spMinor);
    }
    LANGID GetUserDefaultUILanguage() override { return uiLanguage; }
    LANGID GetSystemDefaultLangID() override { return 1033; }
    BOOL AllocateAdministratorsSid() override { return sidBuilds; }
    BOOL CheckTokenMembership(BOOL* isMember) override
    {
        *isMember = member;
        return membershipCall;
    }
    std::wstring GetModuleFileNameW() override { return L"D:\\TesraConnect.exe"; }
    std::optional<FileVersion> GetFileVersionInfo(const std::wstring&) override { return std::nullopt; }
    UINT GetACP() override { return 1252; }
    std::wstring MultiByteToWideChar(const std::string& b) override { return std::wstring(b.begin(), b.end()); }
    std::string WideCharToMultiByte(const std::wstring& t) override { return std::string(t.begin(), t.end()); }
    std::optional<std::wstring> GetEnvironmentVariableW(const std::wstring&) override { return std::nullopt; }
    DWORD GetCurrentProcessId() override { return 4242; }
};
