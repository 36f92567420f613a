#include "wlan/WlanApi.h"

#include "platform/Platform.h"
#include "wlan/NetworkList.h"

std::atomic<std::uintptr_t> g_hWlanClient{0};

namespace {
bool g_bLoaded = false;
bool g_bBound = false;
}  // namespace

bool LoadWlanApi()
{
    WlanLibrary* lib = Os().wlan;
    if (!g_bLoaded) g_bLoaded = lib->LoadLibraryW(L"wlanapi.dll");
    if (!g_bLoaded) return false;
    bool all = true;
    for (const char* name : kWlanFunctionNames) all = lib->GetProcAddress(name) && all;
    g_bBound = all;
    return all;
}

bool WlanApiBound() { return g_bBound; }

void ResetWlanBinding()
{
    g_bLoaded = false;
    g_bBound = false;
    g_hWlanClient = 0;
    ResetNetworkListValues();
}
