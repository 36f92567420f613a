#pragma once
// A Wi-Fi Protected Setup join through the chip vendor's library, on a worker of its own:
// the wireless service is stopped, the adapter runs the exchange with the router, the
// credentials the router hands out are read, the service is started again and the
// adapter connects with them through the wireless service. The user interface never
// waits for it: it polls g_bWorkerRunning, g_bWpsProfileOk and the fields below.
//
// Two managers exist: the WPS connect dialog's runs push-button joins, the wizard's runs
// PIN joins.
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/VendorWlan.h"
#include "runtime/Runtime.h"

class CDialogEx;

// The wizard's message when a PIN join has chosen its access point.
constexpr unsigned kWpsAccessPointChosenMessage = 0x800C;

class CWpsManager {
public:
    CWpsManager();
    ~CWpsManager();  // stops a running join, frees the access-point buffer and the survey list
    CWpsManager(const CWpsManager&) = delete;
    CWpsManager& operator=(const CWpsManager&) = delete;

    std::atomic<int> m_bDone{0};
    std::atomic<int> m_nApCount{0};
    std::atomic<int> m_bResult{0};

    // Push button: starts the join's worker and timer 0 (200 ms) on `dialog`.
    void StartJoinPBC(CDialogEx* dialog);
    // PIN: `mainWindow` receives message 0x800C when an access point has been chosen.
    // False (and no worker) while g_szWpsPin is empty.
    bool StartJoinPin(CDialogEx* mainWindow);
    // Ends a running join at once (cooperatively: no lock is left held).
    void StopJoin();
    // The wizard's resets between PIN attempts.
    void ClearChosenAccessPoint();  // m_szApSsid emptied
    void FreeBssidList();           // pWpsBssidList freed
    // Moves on to the next access point of those chosen (back to the first after the last).
    void AdvanceApIndex();

    // Read by the wizard and tests once g_bWorkerRunning has fallen.
    std::wstring Ssid() const;
    std::wstring Key() const;
    int Auth() const { return m_nAuth; }
    int Cipher() const { return m_nCipher; }
    std::string ChosenApSsid() const;
    bool HoldsBssidList() const;
    bool HoldsSurveyList() const;
    bool PbcThreadSet() const;
    bool PinThreadSet() const;

    // WPS numbering to the connect's algorithm values.
    void SetSecurityFromProfile(DWORD authType, DWORD encryptionType);

    // The final connect with the credentials, at the end of both joins (on their worker).
    void JoinWithProfile();
    // Stop and start the operating system's wireless service.
    void StopZeroConfig();
    void StartZeroConfig();

    // The library's survey-done callback: it takes no argument, so it reaches the manager
    // that asked for the survey through a process-wide pointer under a lock.
    static void SiteSurveyCallback();

    // The join workers' bodies (each returns 0).
    static DWORD WpsJoinPBCThreadProc(void* manager);
    static DWORD WpsJoinPinThreadProc(void* manager);

    // (the join threads, the survey hand-over and the credential texts: WpsManagerImpl.h)
    struct Impl;

private:
    std::unique_ptr<Impl> m_impl;
    std::atomic<int> m_nAuth{0};
    std::atomic<int> m_nCipher{0};

    void ClearCredentials();
    void StartWorker(std::shared_ptr<rt::Worker>& slot, const char* name, std::function<void()> body);
    // Reads the profile record into the credential fields and g_szTargetSsid.
    void TakeCredentials(const WpsProfileRecord& profile, const wchar_t* functionName);
};

// A fresh process: no PIN yet and no survey asked for.
void ResetWpsProcessValues();
