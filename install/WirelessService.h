#pragma once
// Starting the operating system's wireless configuration service, and stopping a
// competing wireless utility service once at start-up.

// The wireless configuration service's name on this system ("WZCSVC" on Windows XP,
// "wlansvc" later).
const wchar_t* WirelessServiceName();
// Starts the wireless configuration service unless it runs or is starting. Returns at
// once; the service may still be starting. Logs a successful start request under
// `functionName` with `message` (a format taking the service handle's value).
void StartZeroConfig(const wchar_t* functionName = L"CSetupDlg::StartZeroConfig",
                     const wchar_t* message = L"Starts succefully, with code = %d.");
// Stops "wltrysvc" when it is installed and not stopped. Nothing is logged.
void StopWirelessTrayService();
