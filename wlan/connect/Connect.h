#pragma once
// Connecting the adapter to the chosen network through the wireless service, and watching
// until it is associated with that network and has a working link. The results go to the
// process-wide values the wizard's timers read (app/Globals.h).
#include <string>

#include "platform/Win32Types.h"

class InstallHost;

// How often the link worker looks, and how long it waits between looks.
constexpr int kLinkCheckIntervalMs = 3000;
// The pause after the disconnect, unless the poll count says the caller is in a hurry.
constexpr int kReconnectPauseMs = 5000;

// Drops the current connection, stores the network's profile (replacing one of the same
// name) and asks the service to connect with it. The outcome is judged by polling.
void WLANConnectToNetwork(const std::wstring& key, const std::wstring& ssid, DWORD auth, DWORD cipher);

// 0 when the adapter is associated and its gateway answers (g_szConnectedSsid and
// g_nLinkResult are then fresh), else ERROR_INVALID_STATE.
DWORD WLANCheckConnection();

// The connect worker: connects to the target of app/Globals.h and polls the link up to
// g_nLinkChecks times. 1 when it decided (associated with the target and a working link,
// or it wrote state 13 for an association elsewhere or without a working link), 0 when
// the polls ran out. Clears g_bWorkerRunning as its last action, unless it was stopped:
// a stopped worker writes no result and leaves the flag to whoever stopped it.
DWORD WiFiLinkStatusThreadProc(InstallHost* dlg);
