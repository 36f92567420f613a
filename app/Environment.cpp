#include "app/Environment.h"

#include "app/Globals.h"
#include "platform/Platform.h"

void DetectOsVersion()
{
    SystemInfo* sys = Os().system;
    OsVersionInfo v = sys->GetVersionExW();
    WORD arch = sys->GetNativeProcessorArchitecture();
    g_bOs64Bit = (arch == PROCESSOR_ARCHITECTURE_AMD64 || arch == PROCESSOR_ARCHITECTURE_IA64) ? 1 : 0;
    if (v.dwMajorVersion == 5 && v.dwMinorVersion == 1) {
        g_bOsXp = 1;
    } else if (v.dwMajorVersion == 6 && v.dwMinorVersion == 0) {
        g_bOsVista = 1;
        if (IsWin7OrLater()) {
            g_bOsVista = 0;
            g_bOsWin7 = 1;
        }
    } else if (v.dwMajorVersion == 6 && v.dwMinorVersion == 1) {
        g_bOsWin7 = 1;
    }
    if (v.szCSDVersion == L"Service Pack 1") g_szServicePack.Set(L"SP 1 ");
    else if (v.szCSDVersion == L"Service Pack 2") g_szServicePack.Set(L"SP 2 ");
    else if (v.szCSDVersion == L"Service Pack 3") g_szServicePack.Set(L"SP 3 ");
}

BOOL IsWin7OrLater() { return Os().system->VerifyVersionInfoW(6, 1, 0, 0); }

BOOL IsUserAdmin()
{
    SystemInfo* sys = Os().system;
    if (!sys->AllocateAdministratorsSid()) return FALSE;
    BOOL member = FALSE;
    if (!sys->CheckTokenMembership(&member)) member = FALSE;
    return member;
}
