// Scanning and the network list: the scan, the fetch into the records, the rows of the
// list control, the sorts, the rescan with its veil and timer 1, and the connected
// network's mark refreshed by timer 7.
#include "wizard/SetupDlg.h"

#include "app/Globals.h"
#include "controls/GrayDlg.h"
#include "controls/MyListCtrl.h"
#include "diag/LogMsg.h"
#include "install/AdapterDetection.h"
#include "platform/Platform.h"
#include "runtime/Runtime.h"

namespace {

constexpr const wchar_t* kScanFunc = L"WLANScanAvailableNetworkList";
constexpr const wchar_t* kFetchFunc = L"CSetupDlg::WLANGetAvailableNetworkList";
constexpr DWORD kScanWaitMs = 6300;
constexpr DWORD kVistaRescanDelayMs = 2000;
// The list's extended style once it holds rows: full-row selection with info tips.
constexpr DWORD kFilledListStyle = LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP;

CMyListCtrl* NetworkListControl(CSetupDlg* dlg) { return static_cast<CMyListCtrl*>(dlg->GetDlgItem(IdNetworkList)); }

}  // namespace

std::wstring NetworkSsidText(const std::string& bytes)
{
    std::wstring text = Os().system->MultiByteToWideChar(bytes);
    if (text.size() + 1 > 34) return {};
    return text.substr(0, 32);
}

// ---- The wireless operations ----------------------------------------------------------------

void WLANScanAvailableNetworkList()
{
    CWlanClient client;
    if (!OpenAdapter(client)) return;
    // Vista wants a moment before a scan asked for by the rescan button.
    if (g_bOsVista && !g_bOs64Bit && g_bScanning) {
        if (!rt::Sleep(kVistaRescanDelayMs)) return;
    }
    Os().wlan->WlanScan(client.Handle(), AdapterInterfaceGuid(), nullptr, nullptr);
    g_LogMsg.addLog(L"Start scanning.", kScanFunc, LOG_FUNC);
    // The scan's end is not signalled: its results are in after a while.
    if (!rt::Sleep(kScanWaitMs)) return;
    g_LogMsg.addLog(L"Finish scanning.", kScanFunc, LOG_FUNC);
}

void CSetupDlg::WLANGetAvailableNetworkList(CSetupDlg* dlg)
{
    if (!dlg) return;
    WlanLibrary* wlan = Os().wlan;
    if (WLAN_AVAILABLE_NETWORK_LIST* old = dlg->m_pAvailableNwList.exchange(nullptr)) wlan->WlanFreeMemory(old);
    WLAN_AVAILABLE_NETWORK_LIST* available = nullptr;
    {
        CWlanClient client;
        if (!OpenAdapter(client)) return;
        if (wlan->WlanGetAvailableNetworkList(client.Handle(), AdapterInterfaceGuid(),
                                              WLAN_AVAILABLE_NETWORK_INCLUDE_ALL_ADHOC_PROFILES,
                                              &available) != ERROR_SUCCESS) {
            if (available) wlan->WlanFreeMemory(available);
            available = nullptr;
        }
    }
    if (!available) return;
    // A worker stopped meanwhile writes nothing: the block goes back to the service.
    if (rt::StopRequested()) {
        wlan->WlanFreeMemory(available);
        return;
    }
    DWORD examined = ExaminedNetworkCount(available->dwNumberOfItems);
    LogF(LOG_FUNC, kFetchFunc, L"Site survey gets air port numbers: %d.", static_cast<int>(examined));
    int stored = BuildNetworkRecords(*available, dlg->m_Records.List(), dlg->m_Records.Images());
    g_nListedNetworks = stored;
    dlg->m_pAvailableNwList = available;
}

DWORD ScanThreadProc(CSetupDlg* dlg)
{
    g_bScanning = 1;
    if (dlg) {
        WLANScanAvailableNetworkList();
        if (!rt::StopRequested()) CSetupDlg::WLANGetAvailableNetworkList(dlg);
    }
    if (rt::StopRequested()) return 0;
    g_bScanning = 0;
    return 0;
}

DWORD WLANGetCurrentSSID()
{
    g_szConnectedSsid.Set(L"");
    g_bConnected = 0;
    CWlanClient client;
    if (!OpenAdapter(client)) return 0;
    WlanLibrary* wlan = Os().wlan;
    DWORD size = 0;
    void* data = nullptr;
    DWORD result = wlan->WlanQueryInterface(client.Handle(), AdapterInterfaceGuid(),
                                            wlan_intf_opcode_current_connection, &size, &data, nullptr);
    if (result != ERROR_SUCCESS || !data) {
        if (data) wlan->WlanFreeMemory(data);
        return ERROR_INVALID_STATE;
    }
    const DOT11_SSID& ssid = static_cast<WLAN_CONNECTION_ATTRIBUTES*>(data)->wlanAssociationAttributes.dot11Ssid;
    std::size_t length = std::min<std::size_t>(ssid.uSSIDLength, DOT11_SSID_MAX_LENGTH);
    std::string bytes(reinterpret_cast<const char*>(ssid.ucSSID), length);
    bytes = bytes.substr(0, bytes.find('\0'));
    std::wstring text = NetworkSsidText(bytes);
    g_szConnectedSsid.Set(text);
    g_bConnected = text.empty() ? 0 : 1;
    wlan->WlanFreeMemory(data);
    return 0;
}

// ---- The list on the page -------------------------------------------------------------------

void CSetupDlg::ScanNetworkList()
{
    WLANScanAvailableNetworkList();
    if (!rt::StopRequested()) WLANGetAvailableNetworkList(this);
}

BOOL CSetupDlg::CreateSignalImageList()
{
    auto* list = NetworkListControl(this);
    list->SetColumnLayout(Rtl());
    list->LoadSignalImageList();
    return TRUE;
}

void CSetupDlg::FillNetworkList()
{
    auto* list = NetworkListControl(this);
    list->DeleteAllItems();
    // The signal column leaves room for the scroll bar once five rows are listed.
    const int count = m_Records.Count();
    const int dpi = qRound(Widget()->logicalDpiX() * Widget()->devicePixelRatioF());
    const int signalColumn = list->ColumnOfRole(ListGeometry::Role::Signal);
    list->SetColumnWidth(signalColumn, SignalColumnWidth(count, dpi));
    if (Rtl()) g_nRtlSignalColumnWidth = list->GetColumnWidth(signalColumn);
    list->SetConnectedSsid(g_szConnectedSsid.Get());
    if (m_pAvailableNwList) {
        const APListImageData& images = m_Records.Images();
        for (int i = 0; i < count; ++i) {
            NetworkRecord& record = m_Records.List().pSiteSurveyData[i];
            NetworkRow row;
            row.ssid = NetworkSsidText(RecordSsidBytes(record));
            row.security = SecurityText(static_cast<DWORD>(record.authAlgorithm),
                                        static_cast<DWORD>(record.cipherAlgorithm), g_nUiLanguage);
            bool secured = NetworkNeedsKey(static_cast<DWORD>(record.authAlgorithm),
                                           static_cast<DWORD>(record.cipherAlgorithm));
            record.secured = secured ? 1 : 0;
            row.securityImage = images.pImageData[i].securityImage;
            row.signalImage = images.pImageData[i].signalImage;
            list->InsertNetworkRow(i, row);
        }
    }
    list->SetExtendedStyle(kFilledListStyle);
    UpdateWindow();
}

void CSetupDlg::SortNetworkList(NetworkSort by)
{
    if (SortNetworkRecords(by, m_Records.List(), m_Records.Images())) FillNetworkList();
}

void CSetupDlg::OnSortByName() { SortNetworkList(NetworkSort::Ssid); }
void CSetupDlg::OnSortBySecurity() { SortNetworkList(NetworkSort::Security); }
void CSetupDlg::OnSortByStrength() { SortNetworkList(NetworkSort::Signal); }

// ---- The rescan -----------------------------------------------------------------------------

void CSetupDlg::OnRescan()
{
    if (m_nState != StateNetworkList || m_scanWorker.Running()) return;
    if (!g_pGrayDlg) {
        g_pGrayDlg = new CGrayDlg(this, TRUE);
        m_pGrayDlg = g_pGrayDlg;
        g_pGrayDlg->Create();
        g_pGrayDlg->ShowWindow(SW_SHOW);
    }
    SetTimer(TimerScanEnd, kWorkerPollMs);
    m_nState = StateScanning;
    // The starter raises the flag, so that no tick of timer 1 sees the scan over before
    // the worker has begun.
    g_bScanning = 1;
    m_scanWorker.StopAndJoin();
    m_scanWorker.Start("ScanThreadProc", [this] { ScanThreadProc(this); });
    // Only the end of the scan ends the blocker: while the records are rewritten the page
    // stays covered, whatever key the person presses.
    for (;;) {
        m_EmptyDlg.DoModal();
        if (rt::ShutdownRequested()) return;
        if (m_nState != StateScanning) break;
        if (g_pGrayDlg) g_pGrayDlg->ShowWindow(SW_SHOW);
    }
    NetworkListControl(this)->SetFocus();
}

// Timer 1: the end of a rescan.
void CSetupDlg::OnScanEndTick()
{
    if (g_bScanning) return;
    FillNetworkList();
    if (m_EmptyDlg.IsModalRunning()) m_EmptyDlg.OnCancel();
    PostFrameMessages();
    KillTimer(TimerScanEnd);
    m_nState = StateNetworkList;
    UpdateWindow();
    Widget()->activateWindow();
    GetDlgItem(IdNext)->EnableWindow(false);
    GetDlgItem(IdNext93)->EnableWindow(false);
    DestroyGrayOverlay();
    Widget()->raise();
}

// Timer 7: the connected network's mark follows the adapter's association.
void CSetupDlg::OnConnectedMarkTick()
{
    // The records are rewritten while a scan runs; the list waits for the scan's end.
    if (m_nState != StateNetworkList || g_bScanning) return;
    int wasConnected = g_bConnected;
    WLANGetCurrentSSID();
    auto* list = NetworkListControl(this);
    if (wasConnected == g_bConnected) {
        list->SetConnectedSsid(g_szConnectedSsid.Get());
        return;
    }
    // The records are the same: the row the person chose stays chosen, so that Next, which
    // the choice enabled, still has a network to connect to.
    int focused = list->GetNextItem(-1, LVNI_FOCUSED);
    int selected = list->GetNextItem(-1, LVNI_SELECTED);
    FillNetworkList();
    if (focused >= 0) list->SetItemState(focused, LVIS_FOCUSED, LVIS_FOCUSED);
    if (selected >= 0) list->SetItemState(selected, LVIS_SELECTED, LVIS_SELECTED);
}
