#pragma once
// Watching for the adapter's removal once setup has found it.
#include <cstdint>

#include "install/InstallHost.h"

// The monitor's pass counter: process-wide, 0 at process start, wraps from 255 to 0.
extern std::uint8_t s_nMonitorPass;

// True when the pass with this counter value dumps the adapter record into the log.
inline bool MonitorPassDumps(std::uint8_t pass) { return pass % 5 == 0; }

DWORD WiFiAdapterMonitorThreadProc(InstallHost* dlg);

// A fresh process: every process-wide value of adapter detection and installation anew.
void ResetInstallProcessValues();
