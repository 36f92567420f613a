// Operating system detection and the administrator test.
#include <gtest/gtest.h>

#include "FakeSystem.h"
#include "app/Environment.h"
#include "app/Globals.h"

namespace {

struct Detected { int xp, vista, win7, is64; std::wstring sp; };

Detected Detect(DWORD major, DWORD minor, const wchar_t* csd, WORD spMajor, WORD arch)
{
    static FakeSystem sys;
    sys.version = OsVersionInfo{major, minor, 1, csd, spMajor, 0};
    sys.arch = arch;
    Platform p;
    p.system = &sys;
    InstallPlatform(p);
    ResetProcessGlobals();
    DetectOsVersion();
    return {g_bOsXp, g_bOsVista, g_bOsWin7, g_bOs64Bit, g_szServicePack.Get()};
}

}  // namespace

TEST(DetectOsVersion, FlagsAndServicePackText)
{
    struct Case { DWORD major, minor; const wchar_t* csd; WORD sp; WORD arch; Detected expected; };
    const Case cases[] = {
        {5, 1, L"Service Pack 3", 3, PROCESSOR_ARCHITECTURE_INTEL, {1, 0, 0, 0, L"SP 3 "}},
        {5, 1, L"Service Pack 2", 2, PROCESSOR_ARCHITECTURE_AMD64, {1, 0, 0, 1, L"SP 2 "}},
        {6, 0, L"Service Pack 1", 1, PROCESSOR_ARCHITECTURE_INTEL, {0, 1, 0, 0, L"SP 1 "}},
        {6, 0, L"", 0, PROCESSOR_ARCHITECTURE_IA64, {0, 1, 0, 1, L""}},
        {6, 1, L"", 0, PROCESSOR_ARCHITECTURE_AMD64, {0, 0, 1, 1, L""}},
        {6, 1, L"Service Pack 1", 1, PROCESSOR_ARCHITECTURE_INTEL, {0, 0, 1, 0, L"SP 1 "}},
        {5, 2, L"Service Pack 2", 2, PROCESSOR_ARCHITECTURE_INTEL, {0, 0, 0, 0, L"SP 2 "}},
        {6, 2, L"", 0, PROCESSOR_ARCHITECTURE_AMD64, {0, 0, 0, 1, L""}},
        {6, 1, L"Service Pack 4", 4, PROCESSOR_ARCHITECTURE_INTEL, {0, 0, 1, 0, L""}},
        {6, 1, L"service pack 1", 1, PROCESSOR_ARCHITECTURE_INTEL, {0, 0, 1, 0, L""}},
    };
    for (const auto& c : cases) {
        Detected d = Detect(c.major, c.minor, c.csd, c.sp, c.arch);
        SCOPED_TRACE(std::to_string(c.major) + "." + std::to_string(c.minor));
        EXPECT_EQ(d.xp, c.expected.xp);
        EXPECT_EQ(d.vista, c.expected.vista);
        EXPECT_EQ(d.win7, c.expected.win7);
        EXPECT_EQ(d.is64, c.expected.is64);
        EXPECT_EQ(d.sp, c.expected.sp);
    }
}

TEST(IsUserAdmin, FailuresCountAsNoMembership)
{
    static FakeSystem sys;
    Platform p;
    p.system = &sys;
    InstallPlatform(p);
    struct Case { BOOL sid, call, member, admin; };
    const Case cases[] = {{TRUE, TRUE, TRUE, TRUE}, {TRUE, TRUE, FALSE, FALSE},
                          {FALSE, TRUE, TRUE, FALSE}, {TRUE, FALSE, TRUE, FALSE}};
    for (const auto& c : cases) {
        sys.sidBuilds = c.sid;
        sys.membershipCall = c.call;
        sys.member = c.member;
        EXPECT_EQ(IsUserAdmin(), c.admin);
    }
}
