#pragma once
// The operating system checks: which Windows, which service pack, which processor,
// and whether the user is an administrator.
#include <string>

#include "platform/Win32Types.h"

void DetectOsVersion();
BOOL IsWin7OrLater();
BOOL IsUserAdmin();

// What the environment check of state 3 decides, given the detected flags: the next
// wizard state (2, 21, 22 or 23). wlanBinds is asked only when everything else passed.
template <class BindFn>
int ChooseStateAfterChecks(bool xp, bool vista, bool win7, bool is64, const std::wstring& servicePack,
                           bool admin, BindFn wlanBinds);

#include <string>

template <class BindFn>
int ChooseStateAfterChecks(bool xp, bool vista, bool win7, bool is64, const std::wstring& sp, bool admin,
                           BindFn wlanBinds)
{
    int state = 0;
    if (!xp && !vista && !win7) {
        state = 21;
    } else if (is64 && xp) {
        state = 21;
    } else if (vista && sp != L"Service Pack 1" && sp != L"Service Pack 2") {
        state = 22;
    } else if (!is64 && xp && sp != L"Service Pack 3") {
        state = 21;
    }
    if (state == 0 && !admin) state = 23;
    if (state == 0) state = wlanBinds() ? 2 : 21;
    return state;
}
