#include "install/DriverInstall.h"

#include "app/Globals.h"
#include "diag/LogMsg.h"
#include "install/AdapterDetection.h"
#include "install/FileTypePolicy.h"
#include "install/WirelessService.h"
#include "platform/Platform.h"
#include "runtime/Runtime.h"

std::atomic<int> g_bDriverInstallerRunning{0};

namespace {

constexpr const wchar_t* kInstallFunc = L"CSetupDlg::WiFiInstallThreadProc";
constexpr const wchar_t* kInsertFunc = L"CSetupDlg::WiFiInsertAdapterThreadProc";
constexpr int kOpenTriesBeforeInstall = 3;
constexpr int kInsertTries = 60;
constexpr const wchar_t* kDriverHardwareIds[3] = {L"USB\\VID_1E2C&PID_003B", L"USB\\VID_1E2C&PID_003C",
                                                  L"USB\\VID_1E2C&PID_003D"};

}  // namespace

std::wstring ProgramFolder()
{
    std::wstring path = Os().system->GetModuleFileNameW().substr(0, 1023);
    std::size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? path : path.substr(0, slash);
}

std::wstring DriverInfPath(bool xp, bool vista, bool is64Bit)
{
    if (xp) return L"\\adapter\\driver\\xp\\x86\\RT2870.inf";
    if (vista) return is64Bit ? L"\\adapter\\driver\\vista\\amd64\\netr28ux.inf" : L"\\adapter\\driver\\vista\\x86\\netr28u.inf";
    return is64Bit ? L"\\adapter\\driver\\win7\\amd64\\netr28ux.inf" : L"\\adapter\\driver\\win7\\x86\\netr28u.inf";
}

DWORD WiFiInstallThreadProc(InstallHost* dlg)
{
    if (!dlg) return 0;
    dlg->m_nInstallResult = 1;
    StartZeroConfig();
    bool installed = false;
    for (int retry = 0; retry < kOpenTriesBeforeInstall; ++retry) {
        CWlanClient client;
        bool open = OpenAdapter(client);
        LogF(LOG_FUNC_DASH, kInstallFunc, L"OpenAdapterResult = %#X and retry times = %d.", open ? 1 : 0, retry);
        if (open) {
            installed = true;
            break;
        }
        if (!rt::Sleep(1000)) return 0;
    }
    if (!installed) {
        SilentInstall(dlg);
        if (!rt::Sleep(2000)) return 0;
    }
    while (g_bDriverInstallerRunning)
        if (!rt::Sleep(1000)) return 0;
    // Stopped from outside: the result is not ours to report any more.
    if (rt::StopRequested()) return 0;
    dlg->KillWizardTimer(0);
    bool ok = dlg->m_nInstallResult == 1;
    if (ok) {
        dlg->m_nAnimationFrame = 0;
        dlg->m_nState = 4;
        dlg->StartInsertAdapterWorker();
    } else {
        dlg->m_nState = 18;
    }
    dlg->ShowStatePage();
    LogF(LOG_FUNC_DASH, kInstallFunc, L"WiFiInstallResult %ls.", ok ? L"Success" : L"Fail");
    return 0;
}

void SilentInstall(InstallHost* dlg)
{
    const wchar_t* func = L"CSetupDlg::SilentInstall";
    g_LogMsg.addLog(L"Prepare environment and install drivers.", func, LOG_FUNC_DASH);
    std::wstring inf = ProgramFolder() + DriverInfPath(g_bOsXp != 0, g_bOsVista != 0, g_bOs64Bit != 0);
    dlg->m_bInstalledThisRun = 1;
    if (g_bOs64Bit) {
        SetLowRiskFileTypes();
        // The flag is up before the runner starts, so the install worker waits for it.
        g_bDriverInstallerRunning = 1;
        dlg->StartDriverInstallerRunner();
        dlg->m_nInstallResult = 1;
        RestoreLowRiskFileTypes();
        return;
    }
    DeviceInstaller* installer = Os().devices;
    auto update = [&](const wchar_t* id) {
        BOOL reboot = FALSE;
        return installer->UpdateDriverForPlugAndPlayDevicesW(id, inf, INSTALLFLAG_FORCE, &reboot, nullptr) != FALSE;
    };
    bool a = update(kDriverHardwareIds[0]);
    if (!a && update(kDriverHardwareIds[1])) return;
    bool c = update(kDriverHardwareIds[2]);
    if (a) {
        dlg->m_nInstallResult = 1;
        return;
    }
    if (c) return;
    // Nothing took the driver (the adapter is not plugged in yet): the driver store
    // keeps it for the adapter's arrival.
    std::wstring destination;
    BOOL copied = installer->SetupCopyOEMInfW(inf, SPOST_PATH, SP_COPY_NEWER_OR_SAME, &destination, 259, nullptr);
    dlg->m_nInstallResult = copied ? 1 : 2;
}

DWORD WiFiDriverInstallerThreadProc(InstallHost*)
{
    g_bDriverInstallerRunning = 1;
    std::wstring commandLine = (ProgramFolder() + L"\\adapter\\driverInstall.exe").substr(0, 511);
    Processes* processes = Os().processes;
    LONG error = 0;
    PROCESS_HANDLE process = processes->CreateProcessW(commandLine, SW_SHOW, &error);
    if (process) {
        processes->WaitForSingleObject(process, INFINITE);
        processes->CloseHandle(process);
    }
    g_bDriverInstallerRunning = 0;
    return 0;
}

DWORD WiFiInsertAdapterThreadProc(InstallHost* dlg)
{
    if (!dlg) return 0;
    dlg->m_bInsertThreadRunning = 1;
    dlg->m_bAdapterFound = 0;
    StartZeroConfig();
    if (!rt::Sleep(300)) return 0;
    bool found = false;
    for (int retry = 0; retry < kInsertTries; ++retry) {
        CWlanClient client;
        found = OpenAdapter(client);
        LogF(LOG_FUNC, kInsertFunc, L"Starts %ls, with code = %d and retry times = %d.",
             found ? L"succefully" : L"fail", found ? 1 : 0, retry);
        dlg->m_bAdapterFound = found ? 1 : 0;
        if (found) break;
        if (!rt::Sleep(2000)) return 0;
    }
    if (found) {
        dlg->NotifyAdapterFound();
        dlg->ScanNetworkList();
    }
    if (rt::StopRequested()) return 0;
    dlg->m_bInsertThreadRunning = 0;
    return 0;
}
