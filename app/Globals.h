#pragma once
// Process-wide values shared by the wizard and its workers. Integers are atomics (one
// writer at a time, polled by the other side); texts have a small lock of their own.
// ResetProcessGlobals() gives a fresh process its initial values.
#include <atomic>
#include <mutex>
#include <string>

// A text shared between threads: whole-value reads and writes under its own lock.
class SharedText {
public:
    std::wstring Get() const { std::lock_guard<std::mutex> lock(m_mutex); return m_text; }
    void Set(const std::wstring& text) { std::lock_guard<std::mutex> lock(m_mutex); m_text = text; }
private:
    mutable std::mutex m_mutex;
    std::wstring m_text;
};

extern std::atomic<int> g_bSiblingModel;
extern std::atomic<int> g_nUiLanguage;
extern std::atomic<int> g_nErrorIndex;
extern std::atomic<int> g_bWorkerRunning;
extern std::atomic<int> g_bInternetOk;
extern std::atomic<int> g_bWpsProfileOk;
extern std::atomic<int> g_nConnectMode;
extern std::atomic<int> g_nAuthAlgorithm;
extern std::atomic<int> g_nCipherAlgorithm;
extern std::atomic<int> g_nLinkResult;
extern std::atomic<int> g_nLinkChecks;
extern std::atomic<int> g_bScanning;
extern SharedText g_szTargetSsid;
extern SharedText g_szConnectedSsid;
extern SharedText g_szNetworkKey;

// Environment flags (written once by DetectOsVersion).
extern std::atomic<int> g_bOsXp;
extern std::atomic<int> g_bOsVista;
extern std::atomic<int> g_bOsWin7;
extern std::atomic<int> g_bOs64Bit;
extern SharedText g_szServicePack;

// Test options of the command line, one flag each.
enum ShowOption { ShowDriver, ShowOpen, ShowSecurity, ShowInternet, ShowInternetNg, ShowXp,
                  ShowVista, ShowAdmin, ShowOptionCount };
extern std::atomic<int> g_bShowOption[ShowOptionCount];

void ResetProcessGlobals();
