// The wizard's timers, its busy animation and the private messages from workers and the list.
#include "wizard/SetupDlg.h"

#include "app/Globals.h"
#include "controls/MyListCtrl.h"
#include "diag/LogMsg.h"
#include "framework/Controls.h"
#include "install/AdapterMonitor.h"
#include "runtime/Runtime.h"

LRESULT CSetupDlg::OnWpsAccessPointChosen(WPARAM, LPARAM)
{
    GetDlgItem(IdStatus)->ShowWindow(SW_HIDE);
    GetDlgItem(IdStatus2)->ShowWindow(SW_SHOW);
    m_nWpsTicks = 0;
    return 0;
}

LRESULT CSetupDlg::OnAdapterFound(WPARAM, LPARAM)
{
    GetDlgItem(IdStatus)->ShowWindow(SW_HIDE);
    GetDlgItem(IdStatus2)->ShowWindow(SW_SHOW);
    return 0;
}

LRESULT CSetupDlg::OnListItemClicked(WPARAM, LPARAM)
{
    GetDlgItem(IdNext)->EnableWindow(true);
    GetDlgItem(IdNext93)->EnableWindow(true);
    return 0;
}

LRESULT CSetupDlg::OnListItemDoubleClicked(WPARAM, LPARAM)
{
    auto* list = static_cast<CMyListCtrl*>(GetDlgItem(IdNetworkList));
    if (list->GetItemCount() < 1) return 0;
    m_nSelectedIndex = list->GetNextItem(-1, LVNI_FOCUSED);
    if (m_nSelectedIndex >= 0 && m_nSelectedIndex < list->GetItemCount()) ConnectSelectedNetwork();
    return 0;
}

// ---- Timers -------------------------------------------------------------------------------

void CSetupDlg::ShowAnimationFrame()
{
    auto* busy = static_cast<CPicture*>(GetDlgItem(IdBusyAnimation));
    int frame = m_nAnimationFrame % 8;
    static const int kFrameIds[8] = {306, 307, 308, 309, 310, 311, 312, 304};
    busy->SetImage(m_animationFrames[frame], kFrameIds[frame]);
}

void CSetupDlg::TimerTail()
{
    ++m_nAnimationFrame;
    UpdateWindow();
}

void CSetupDlg::EndOpenQuitDialog()
{
    if (!m_QuitDlg.IsModalRunning()) return;
    m_QuitDlg.EndDialog(IDCANCEL);
    PostFrameMessages();
}

void CSetupDlg::OnTimer(UINT_PTR id)
{
    switch (id) {
    case TimerDriverAnimation: OnInstallAnimationTick(); break;
    case TimerAdapterDetection: OnAdapterDetectionTick(); break;
    case TimerConnect: OnListConnectionTick(); break;
    case TimerHiddenConnect: OnHiddenConnectionTick(); break;
    case TimerScanEnd: OnScanEndTick(); break;
    case TimerConnectedMark: OnConnectedMarkTick(); break;
    case TimerWpsPin: OnWpsPinTick(); break;
    default:
        break;
    }
}

// Timer 0: the busy picture while the driver installs.
void CSetupDlg::OnInstallAnimationTick()
{
    ShowAnimationFrame();
    TimerTail();
}

// Timer 2: the end of the wait for the adapter.
void CSetupDlg::OnAdapterDetectionTick()
{
    ShowAnimationFrame();
    if (!m_bInsertThreadRunning) {
        EndOpenQuitDialog();
        KillTimer(TimerAdapterDetection);
        if (m_bAdapterFound) {
            if (m_bInstalledThisRun && g_bOsVista) {
                // Vista wants a moment after a fresh driver installation.
                m_bInstalledThisRun = 0;
                rt::Sleep(1000);
            }
            m_monitorWorker.Start("WiFiAdapterMonitorThreadProc", [this] { WiFiAdapterMonitorThreadProc(this); });
            m_nState = StateNetworkList;
        } else {
            m_nState = StateAdapterNotFound;
        }
        ShowStatePage();
    }
    TimerTail();
}
