#include "install/AdapterMonitor.h"

#include <algorithm>
#include <cwchar>

#include "diag/LogMsg.h"
#include "install/AdapterDetection.h"
#include "install/DriverInstall.h"
#include "install/FileTypePolicy.h"
#include "runtime/Runtime.h"

std::uint8_t s_nMonitorPass = 0;

namespace {

void DumpAdapter(bool present)
{
    LogAdapterRecord record{};
    record.bEnabled = present ? 1 : 0;
    std::wstring pnp = AdapterPnpId().substr(0, 255);
    std::copy(pnp.begin(), pnp.end(), record.szPnpId);
    std::wstring guid = StringFromGUID2(AdapterInterfaceGuid()).substr(0, 255);
    std::copy(guid.begin(), guid.end(), record.szAdapterGuid);
    g_LogMsg.addLog(reinterpret_cast<const wchar_t*>(&record), nullptr, LOG_ADAPTER);
}

}  // namespace

DWORD WiFiAdapterMonitorThreadProc(InstallHost* dlg)
{
    if (!dlg) return 0;
    bool firstSleep = true;
    for (;;) {
        bool present = FindAdapterDevice();
        std::uint8_t pass = s_nMonitorPass++;
        if (MonitorPassDumps(pass)) DumpAdapter(present);
        if (!present) break;
        if (!rt::Sleep(2000)) return 0;
        if (firstSleep) {
            firstSleep = false;
            dlg->InitVendorLibrary();
        }
    }
    if (rt::StopRequested()) return 0;
    dlg->CloseDialogsForRemoval();
    if (rt::StopRequested()) return 0;
    dlg->OnCancelProcess();
    return 0;
}

void ResetInstallProcessValues()
{
    s_nMonitorPass = 0;
    g_bDriverInstallerRunning = 0;
    ResetAdapterIdentity();
    ResetLowRiskFileTypesMemory();
}
