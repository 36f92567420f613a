#pragma once
// Installing the adapter's driver and waiting for the adapter: the install worker, the
// 64-bit installer program's runner and the insert worker. Each takes the wizard.
#include <atomic>
#include <string>

#include "install/InstallHost.h"

// 1 while the driver package's installer program runs.
extern std::atomic<int> g_bDriverInstallerRunning;

// The INF of the driver package for the system (a path below the program's folder).
std::wstring DriverInfPath(bool xp, bool vista, bool is64Bit);
// The program's folder: its path up to, and without, its last backslash.
std::wstring ProgramFolder();

DWORD WiFiInstallThreadProc(InstallHost* dlg);
// Installs the driver without a window of its own (CSetupDlg::SilentInstall).
void SilentInstall(InstallHost* dlg);
DWORD WiFiDriverInstallerThreadProc(InstallHost* dlg);
DWORD WiFiInsertAdapterThreadProc(InstallHost* dlg);
