// The wizard's connect commands: a network chosen in the list, a hidden network, the
// Retry of the failure pages, and the link worker they start.
#include "wizard/SetupDlg.h"

#include "app/Globals.h"
#include "controls/GrayDlg.h"
#include "controls/MyListCtrl.h"
#include "diag/LogMsg.h"
#include "runtime/Runtime.h"
#include "wlan/connect/Connect.h"

namespace {

// Open networks take no key: open authentication and no WEP cipher.
bool IsUnsecured(int auth, int cipher) { return auth == 1 && cipher != 1 && cipher != 5 && cipher != 0x101; }

}  // namespace

bool CSetupDlg::SelectedNetwork(int index, std::wstring& ssid, int& auth, int& cipher) const
{
    // The rows are drawn from the network records in record order.
    if (index < 0 || index >= m_Records.Count()) return false;
    const NetworkRecord& record = m_Records.Record(index);
    ssid = NetworkSsidText(RecordSsidBytes(record));
    auth = record.authAlgorithm;
    cipher = record.cipherAlgorithm;
    return true;
}

void CSetupDlg::StartLinkWorker(UINT_PTR timer)
{
    // The starter raises the running flag before the first tick can read it; a worker
    // of an earlier attempt has ended (or been stopped) by now.
    g_bWorkerRunning = 1;
    SetTimer(timer, kWorkerPollMs);
    m_linkWorker.StopAndJoin();
    m_linkWorker.Start("WiFiLinkStatusThreadProc", [this] { WiFiLinkStatusThreadProc(this); });
}

void CSetupDlg::StopLinkWorker()
{
    KillTimer(TimerConnect);
    KillTimer(TimerHiddenConnect);
    if (g_bWorkerRunning) {
        StopWorker(m_linkWorker);
        g_bWorkerRunning = 0;
    }
}

INT_PTR CSetupDlg::RunPasswordDialog(int mode)
{
    m_PasswordDlg.m_nMode = mode;
    // On Next the dialog hands over while it is still open: the connecting page shows
    // behind it as it goes.
    m_PasswordDlg.SetConnectingHandler([this] {
        m_nState = StateConnecting;
        ShowStatePage();
    });
    ShowGrayOverlay();
    INT_PTR result = m_PasswordDlg.DoModal();
    DestroyGrayOverlay();
    PostFrameMessages();
    return result;
}

void CSetupDlg::ConnectSelectedNetwork()
{
    // 1. The row that has the focus; without one nothing happens.
    m_nSelectedIndex = static_cast<CMyListCtrl*>(GetDlgItem(IdNetworkList))->GetNextItem(-1, LVNI_FOCUSED);
    if (m_nSelectedIndex < 0) return;
    std::wstring ssid;
    int auth = 0, cipher = 0;
    if (!SelectedNetwork(m_nSelectedIndex, ssid, auth, cipher)) return;
    // 2., 3. The connection target from the network's record.
    m_PasswordDlg.m_bRetry = 0;
    g_szTargetSsid.Set(ssid);
    g_nAuthAlgorithm = auth;
    g_nCipherAlgorithm = cipher;
    if (IsUnsecured(auth, cipher)) {
        // 4. An open network connects at once.
        g_nConnectMode = 0;
        m_nState = StateConnecting;
        ShowStatePage();
        StartLinkWorker(TimerConnect);
        return;
    }
    // 5. A secured one asks for its key first.
    KillTimer(TimerConnectedMark);
    g_nConnectMode = 1;
    if (RunPasswordDialog(PasswordModePassword) == IDOK) {
        StartLinkWorker(TimerConnect);
    } else if (m_nState == StateNetworkList) {
        // The list stays; a dialog closed because the adapter went leaves that page alone.
        SetTimer(TimerConnectedMark, kConnectedMarkMs);
    }
}

void CSetupDlg::OnHiddenNetworkLink()
{
    m_PasswordDlg.m_bRetry = 0;
    KillTimer(TimerConnectedMark);
    OpenHiddenNetworkDialog();
}

void CSetupDlg::OpenHiddenNetworkDialog()
{
    g_nConnectMode = 2;
    if (RunPasswordDialog(PasswordModeSsid) == IDOK) {
        m_nState = StateConnecting;
        StartLinkWorker(TimerHiddenConnect);
        ShowStatePage();
    } else if (m_nState == StateNetworkList) {
        SetTimer(TimerConnectedMark, kConnectedMarkMs);
    }
}

// Next ("Retry") on the failure page of a listed network.
void CSetupDlg::RetryConnection()
{
    m_PasswordDlg.m_bRetry = 1;
    if (g_nConnectMode != 1) {
        m_nState = StateConnecting;
        StartLinkWorker(TimerConnect);
        ShowStatePage();
        return;
    }
    if (RunPasswordDialog(PasswordModePassword) == IDOK) StartLinkWorker(TimerConnect);
}

// Next ("Retry") on the failure page of a hidden network.
void CSetupDlg::RetryHiddenConnection()
{
    m_PasswordDlg.m_bRetry = 1;
    if (g_nConnectMode == 2) {
        OpenHiddenNetworkDialog();
        return;
    }
    // The security guessed from the key's length.
    std::size_t length = g_szNetworkKey.Get().size();
    if (length == 0) {
        g_nAuthAlgorithm = 1;
        g_nCipherAlgorithm = 0;
    } else if (length == 5 || length == 10 || length == 13 || length == 26) {
        g_nAuthAlgorithm = 1;
        g_nCipherAlgorithm = 0x101;
    } else {
        g_nAuthAlgorithm = 7;
        g_nCipherAlgorithm = 4;
    }
    m_nState = StateConnecting;
    StartLinkWorker(TimerHiddenConnect);
    ShowStatePage();
}

// Whether the connection just ended reached the target with a working link.
bool CSetupDlg::ConnectionSucceeded() const
{
    int link = g_nLinkResult;
    return g_szConnectedSsid.Get() == g_szTargetSsid.Get() && link != 0 && link != 1;
}

// Timer 5: the end of a connection to a listed network.
void CSetupDlg::OnListConnectionTick()
{
    ShowAnimationFrame();
    if (!g_bWorkerRunning) {
        EndOpenQuitDialog();
        KillTimer(TimerConnect);
        if (ConnectionSucceeded()) {
            m_nState = g_bInternetOk ? StateSuccess : StateSuccessNoInternet;
        } else {
            g_LogMsg.addLog(L"Connect failed.", L"WlanConnect", LOG_FUNC);
            m_nState = StateConnectFailed;
        }
        ShowStatePage();
    }
    TimerTail();
}

// Timer 6: the end of a connection to a hidden network. Without a link the other cipher
// of the same security is tried once before the failure page.
void CSetupDlg::OnHiddenConnectionTick()
{
    ShowAnimationFrame();
    if (g_bWorkerRunning) {
        TimerTail();
        return;
    }
    int link = g_nLinkResult;
    if (link == 0 || link == 1) {
        const int auth = g_nAuthAlgorithm, cipher = g_nCipherAlgorithm;
        int other = -1;
        if (g_bOsXp) {
            g_nLinkChecks = 32;
            if (auth == 7 && cipher == 2) other = 4;
            else if (auth == 4 && cipher == 4) other = 2;
        } else {
            g_nLinkChecks = 5;
            if (auth == 7 && cipher == 4) other = 2;
            else if (auth == 4 && cipher == 2) other = 4;
        }
        if (other >= 0) {
            g_nCipherAlgorithm = other;
            g_bWorkerRunning = 1;
            m_linkWorker.StopAndJoin();
            m_linkWorker.Start("WiFiLinkStatusThreadProc", [this] { WiFiLinkStatusThreadProc(this); });
            return;
        }
    }
    EndOpenQuitDialog();
    KillTimer(TimerHiddenConnect);
    if (ConnectionSucceeded()) {
        m_nState = g_bInternetOk ? StateSuccess : StateSuccessNoInternet;
    } else {
        g_LogMsg.addLog(L"Connect failed.", L"WlanConnect", LOG_FUNC);
        m_nState = StateHiddenConnectFailed;
    }
    ShowStatePage();
    TimerTail();
}
