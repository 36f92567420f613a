#include "lab/ProcessHost.h"

#include "app/Globals.h"
#include "app/InstallSetupApp.h"
#include "controls/GrayDlg.h"
#include "controls/WpsMaskDlg.h"
#include "diag/LogMsg.h"
#include "install/AdapterMonitor.h"
#include "platform/Platform.h"
#include "platform/Text.h"
#include "runtime/Runtime.h"
#include "wlan/WlanApi.h"
#include "wps/WpsManager.h"

namespace lab {

void ProcessHost::RunProcess(const std::string& commandLineUtf8)
{
    if (m_onStart) m_onStart();
    ResetProcessGlobals();
    ResetWlanBinding();
    ResetInstallProcessValues();
    ResetWpsProcessValues();
    g_pGrayDlg = nullptr;
    g_pWpsMaskDlg = nullptr;
    m_bRunning = true;
    ++m_nRuns;
    g_LogMsg.Construct();
    CLogMsg::SetMainThreadId(Os().system->GetCurrentProcessId() + 4);
    {
        CInstallSetupApp app(Utf8ToWide(commandLineUtf8));
        app.InitInstance();
        app.ExitInstance();
    }
    // The end of the process: nothing of it outlives it. Every owner joins its workers
    // before it goes, so whatever still runs here was left behind.
    for (const std::string& name : rt::RunningWorkerNames())
        m_workersLeft.push_back("run " + std::to_string(m_nRuns.load()) + ": " + name);
    rt::StopAllWorkers();
    // A lock left held would hang the log's end; it is reported instead.
    if (g_LogMsg.LockFree()) g_LogMsg.Destruct();
    else m_bLockHeld = true;
    m_bRunning = false;
}

}  // namespace lab
