#pragma once
// What the adapter and driver workers need of the wizard that starts them. The wizard
// (CSetupDlg) is this host; tests give the workers a host of their own.
#include <atomic>

#include "platform/Win32Types.h"

class InstallHost {
public:
    virtual ~InstallHost() = default;

    // The wizard state and the results the workers report (one writer at a time each).
    std::atomic<int> m_nState{0};
    std::atomic<int> m_nInstallResult{0};       // 1 driver in place, 2 installation failed
    std::atomic<int> m_bInstalledThisRun{0};    // SilentInstall ran in this run
    std::atomic<int> m_bInsertThreadRunning{0};
    std::atomic<int> m_bAdapterFound{0};
    std::atomic<int> m_nAnimationFrame{0};

    // Redraws the page of m_nState (from any thread).
    virtual void ShowStatePage() = 0;
    virtual void KillWizardTimer(UINT_PTR id) = 0;
    // Starts WiFiInsertAdapterThreadProc and sets timer 2.
    virtual void StartInsertAdapterWorker() = 0;
    // Starts WiFiDriverInstallerThreadProc.
    virtual void StartDriverInstallerRunner() = 0;
    // Message 0x800F: the waiting page says it scans now.
    virtual void NotifyAdapterFound() = 0;
    // The adapter is gone: closes the first open modal dialog of the removal list.
    virtual void CloseDialogsForRemoval() = 0;
    // The wizard's adapter-removed handling (stops the state's work, state 19).
    virtual void OnCancelProcess() = 0;
    // The first scan and fetch of the network list once the adapter shows up.
    virtual void ScanNetworkList() = 0;
    // The vendor library's adapter initialisation and selection.
    virtual void InitVendorLibrary() = 0;
};
