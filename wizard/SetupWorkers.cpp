// The wizard's workers: starting and stopping them, and what they ask of the wizard.
#include "wizard/SetupDlg.h"

#include "app/Globals.h"
#include "controls/MyListCtrl.h"
#include "diag/LogMsg.h"
#include "install/AdapterMonitor.h"
#include "install/DriverInstall.h"
#include "install/WirelessService.h"
#include "runtime/Runtime.h"
#include "wps/VendorLibrary.h"

void CSetupDlg::StopWorker(rt::Worker& worker)
{
    // Where the system would terminate the thread, the worker is asked to stop: its next
    // wait returns at once, it writes no result, and it holds no lock while it waits.
    worker.StopAndJoin();
}

void CSetupDlg::StopAllWizardWorkers()
{
    StopWorker(m_monitorWorker);
    StopWorker(m_insertWorker);
    StopWorker(m_installWorker);
    StopWorker(m_installerRunner);
    StopWorker(m_linkWorker);
    StopWorker(m_scanWorker);
    m_WpsManager.StopJoin();
}

void CSetupDlg::StartInsertAdapterWorker()
{
    // The starter raises the running flag, so that no tick of timer 2 can see the step
    // ended before the worker has begun.
    m_bInsertThreadRunning = 1;
    m_insertWorker.Start("WiFiInsertAdapterThreadProc", [this] { WiFiInsertAdapterThreadProc(this); });
    SetTimer(TimerAdapterDetection, kWorkerPollMs);
}

void CSetupDlg::StartDriverInstallerRunner()
{
    m_installerRunner.Start("WiFiDriverInstallerThreadProc", [this] { WiFiDriverInstallerThreadProc(this); });
}

void CSetupDlg::StartZeroConfig() { ::StartZeroConfig(); }

void CSetupDlg::SilentInstall() { ::SilentInstall(this); }

void CSetupDlg::NotifyAdapterFound() { SendMessage(WM_ADAPTER_FOUND, 0, 0); }

void CSetupDlg::InitVendorLibrary() { ::InitVendorLibrary(reinterpret_cast<std::uintptr_t>(this)); }

void CSetupDlg::CloseDialogsForRemoval()
{
    // The first open dialog of the list is told to close; the monitor waits until it has.
    bool closed = false, blocker = false, wps = false;
    rt::SendToUi([&] {
        if (m_PasswordDlg.IsModalRunning()) {
            m_PasswordDlg.Dispatch(WM_PASSWORD_CLOSE, 0, 0);
            closed = true;
        } else if (m_WpsConnectDlg.IsModalRunning()) {
            // Its join is stopped here, not by the dialog, and counts as done.
            CWpsManager& manager = m_WpsConnectDlg.Manager();
            manager.StopJoin();
            manager.m_bDone = 1;
            m_WpsConnectDlg.Dispatch(WM_WPS_CONNECT_CLOSE, 0, 0);
            closed = wps = true;
        } else if (m_QuitDlg.IsModalRunning()) {
            m_QuitDlg.Dispatch(WM_QUIT_CLOSE, 0, 0);
            closed = true;
        } else if (m_LearnMoreDlg.IsModalRunning()) {
            m_LearnMoreDlg.Dispatch(WM_LEARN_MORE_CLOSE, 0, 0);
            closed = true;
        } else if (m_ErrorCodeDlg.IsModalRunning()) {
            m_ErrorCodeDlg.Dispatch(WM_ERROR_CODE_CLOSE, 0, 0);
            closed = true;
        } else if (m_EmptyDlg.IsModalRunning()) {
            // The scan's blocker is ended by timer 1 once the scan counts as over.
            g_bScanning = 0;
            blocker = true;
        }
    });
    if (closed) PostFrameMessages();
    if (wps) rt::Sleep(1000);
    if (blocker) rt::Sleep(300);
}

void CSetupDlg::OnCancelProcess()
{
    // Runs on the dialog's thread: the monitor hands the whole of it over.
    if (!rt::IsUiThread()) {
        rt::SendToUi([this] { OnCancelProcess(); });
        return;
    }
    static_cast<CMyListCtrl*>(GetDlgItem(IdNetworkList))->DeleteAllItems();
    switch (m_nState) {
    case StateScanning:
        if (g_bScanning) {
            StopWorker(m_scanWorker);
            g_bScanning = 0;
        }
        break;
    case StateWpsPin:
        // The supervision ends with the page, also between two attempts, when no worker
        // runs for a moment: a later tick would start one on the adapter-missing page.
        KillTimer(TimerWpsPin);
        if (g_bWorkerRunning) EndWpsPinJoin();
        break;
    case StateConnecting:
        StopLinkWorker();
        break;
    default:
        break;
    }
    // A rescan whose blocker was already ended still runs: its result is of no use now.
    if (m_scanWorker.Running()) {
        StopWorker(m_scanWorker);
        g_bScanning = 0;
    }
    m_nState = StateAdapterNotFound;
    g_LogMsg.addLog(L"Adapter removed.", L"CSetupDlg::OnCancelProcess", LOG_FUNC);
    ShowStatePage();
}
