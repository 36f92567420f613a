#include "app/Globals.h"

std::atomic<int> g_bSiblingModel{0};
std::atomic<int> g_nUiLanguage{1033};
std::atomic<int> g_nErrorIndex{-1};
std::atomic<int> g_bWorkerRunning{0};
std::atomic<int> g_bInternetOk{0};
std::atomic<int> g_bWpsProfileOk{0};
std::atomic<int> g_nConnectMode{0};
std::atomic<int> g_nAuthAlgorithm{0};
std::atomic<int> g_nCipherAlgorithm{0};
std::atomic<int> g_nLinkResult{0};
std::atomic<int> g_nLinkChecks{0};
std::atomic<int> g_bScanning{0};
SharedText g_szTargetSsid;
SharedText g_szConnectedSsid;
SharedText g_szNetworkKey;
std::atomic<int> g_bOsXp{0};
std::atomic<int> g_bOsVista{0};
std::atomic<int> g_bOsWin7{0};
std::atomic<int> g_bOs64Bit{0};
SharedText g_szServicePack;
std::atomic<int> g_bShowOption[ShowOptionCount];

void ResetProcessGlobals()
{
    g_bSiblingModel = 0;
    g_nUiLanguage = 1033;
    g_nErrorIndex = -1;
    g_bWorkerRunning = 0;
    g_bInternetOk = 0;
    g_bWpsProfileOk = 0;
    g_nConnectMode = 0;
    g_nAuthAlgorithm = 0;
    g_nCipherAlgorithm = 0;
    g_nLinkResult = 0;
    g_nLinkChecks = 0;
    g_bScanning = 0;
    g_szTargetSsid.Set(L"");
    g_szConnectedSsid.Set(L"");
    g_szNetworkKey.Set(L"");
    g_bOsXp = 0;
    g_bOsVista = 0;
    g_bOsWin7 = 0;
    g_bOs64Bit = 0;
    g_szServicePack.Set(L"");
    for (auto& flag : g_bShowOption) flag = 0;
}
