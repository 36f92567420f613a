#include "wlan/connect/Connect.h"

#include <algorithm>

#include "app/Globals.h"
#include "diag/LogMsg.h"
#include "install/AdapterDetection.h"
#include "install/InstallHost.h"
#include "netcheck/Reachability.h"
#include "platform/Platform.h"
#include "runtime/Runtime.h"
#include "wlan/AlgorithmNames.h"
#include "wlan/ProfileXml.h"

namespace {

constexpr int kStateConnectFailed = 13;
constexpr std::size_t kSsidChars = 32;
constexpr std::size_t kSsidBufferChars = 34;

// Copies at most the field's room less its terminator.
template <std::size_t N>
void CopyField(wchar_t (&field)[N], const std::wstring& text)
{
    std::size_t n = std::min(text.size(), N - 1);
    std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n), field);
    field[n] = L'\0';
}

// The network configuration record. The log folder is readable by every user of the PC,
// so the key appears as one "*" per character, never in clear.
void LogNetworkConfiguration(const std::wstring& key, const std::wstring& ssid, DWORD auth, DWORD cipher)
{
    LogNetConfigRecord record{};
    CopyField(record.szSsid, ssid.substr(0, kSsidChars));
    CopyField(record.szAuth, AuthAlgorithmName(auth));
    CopyField(record.szCipher, CipherAlgorithmName(cipher));
    CopyField(record.szKey, MaskedKey(key));
    g_LogMsg.addLog(reinterpret_cast<const wchar_t*>(&record), L"WLANConnectToNetwork", LOG_NETCONFIG);
}

bool PollCountWithoutPause(int checks) { return checks == 5 || checks == 10 || checks == 32; }

}  // namespace

void WLANConnectToNetwork(const std::wstring& key, const std::wstring& ssid, DWORD auth, DWORD cipher)
{
    WlanLibrary* wlan = Os().wlan;
    // 1. The client handle of this operation; it closes on every way out.
    CWlanClient client;
    if (!OpenAdapter(client)) return;
    const GUID guid = AdapterInterfaceGuid();
    // 2.
    g_LogMsg.addLog(L"Do disconnect.", L"WLANDisConnected", LOG_FUNC_DASH);
    wlan->WlanDisconnect(client.Handle(), guid);
    // 3. A moment for the service to let go of the old network.
    if (!PollCountWithoutPause(g_nLinkChecks) && !rt::Sleep(kReconnectPauseMs)) return;
    // 4.
    LogNetworkConfiguration(key, ssid, auth, cipher);
    // 5. Without a document nothing is stored and nothing is asked for.
    g_strProfileXml.Set(L"");
    if (!MakeWLANProfileXml(key, ssid, cipher, auth)) return;
    const std::wstring xml = g_strProfileXml.Get();
    // 6.
    g_LogMsg.addLog(L"Try to set profile.", L"WlanSetProfile", LOG_FUNC_DASH);
    DWORD reason = 0;
    DWORD result = wlan->WlanSetProfile(client.Handle(), guid, 0, xml, nullptr, FALSE, &reason);
    // 7. A profile of that name already there: replace it.
    if (result == static_cast<DWORD>(ERROR_ALREADY_EXISTS)) {
        g_LogMsg.addLog(L"ERROR_ALREADY_EXISTS.", L"WlanSetProfile", LOG_FUNC);
        g_LogMsg.addLog(L"Try to delete profile.", L"WlanDeleteProfile", LOG_FUNC_DASH);
        DWORD deleted = wlan->WlanDeleteProfile(client.Handle(), guid, ssid);
        LogF(LOG_FUNC, L"WlanDeleteProfile", L"Delete profile: %ls.", deleted == 0 ? L"Success" : L"Fail");
        g_LogMsg.addLog(L"Try to set profile.", L"WlanSetProfile", LOG_FUNC_DASH);
        result = wlan->WlanSetProfile(client.Handle(), guid, 0, xml, nullptr, TRUE, &reason);
    }
    // 8.
    if (result != static_cast<DWORD>(ERROR_SUCCESS)) {
        g_LogMsg.addLog(L"Set profile failed.", L"WlanSetProfile", LOG_FUNC);
        g_bWpsProfileOk = 0;
        return;
    }
    // 9. The request only; the association is watched by polling.
    g_LogMsg.addLog(L"Set profile successfully.", L"WlanSetProfile", LOG_FUNC);
    g_LogMsg.addLog(L"Try to connect.", L"WlanConnect", LOG_FUNC_DASH);
    WLAN_CONNECTION_PARAMETERS parameters;
    parameters.wlanConnectionMode = wlan_connection_mode_profile;
    parameters.strProfile = ssid;
    parameters.dot11BssType = dot11_BSS_type_any;
    wlan->WlanConnect(client.Handle(), guid, parameters);
}

DWORD WLANCheckConnection()
{
    WlanLibrary* wlan = Os().wlan;
    constexpr DWORD kNotConnected = static_cast<DWORD>(ERROR_INVALID_STATE);
    // 1. Without the adapter there is no connection to report.
    CWlanClient client;
    if (!OpenAdapter(client)) return kNotConnected;
    // 2.
    DWORD size = 0;
    void* data = nullptr;
    DWORD result = wlan->WlanQueryInterface(client.Handle(), AdapterInterfaceGuid(),
                                            wlan_intf_opcode_current_connection, &size, &data, nullptr);
    if (result != static_cast<DWORD>(ERROR_SUCCESS) || !data) {
        if (data) wlan->WlanFreeMemory(data);
        return kNotConnected;
    }
    const auto* attributes = static_cast<const WLAN_CONNECTION_ATTRIBUTES*>(data);
    const DOT11_SSID& raw = attributes->wlanAssociationAttributes.dot11Ssid;
    std::string ssidBytes(reinterpret_cast<const char*>(raw.ucSSID),
                          std::min<DWORD>(raw.uSSIDLength, DOT11_SSID_MAX_LENGTH));
    wlan->WlanFreeMemory(data);
    // 3. An association seen early: the fallback's short poll gets more time.
    if (g_nLinkChecks == 5) g_nLinkChecks = 12;
    // 4. A worker stopped during the checks reports nothing.
    int link = CheckAdapterLinkstate();
    if (rt::StopRequested()) return kNotConnected;
    g_nLinkResult = link;
    // 5.
    if (link == LinkNoAddress || link == LinkNoGateway) return kNotConnected;
    // 6. The association's SSID as the service's code page reads it.
    std::wstring ssid = Os().system->MultiByteToWideChar(ssidBytes);
    if (ssid.size() + 1 > kSsidBufferChars) ssid.clear();
    g_szConnectedSsid.Set(ssid.substr(0, kSsidChars));
    return ERROR_SUCCESS;
}

DWORD WiFiLinkStatusThreadProc(InstallHost* dlg)
{
    // 1.
    if (!dlg) return 0;
    // 2.
    const std::wstring target = g_szTargetSsid.Get();
    WLANConnectToNetwork(g_szNetworkKey.Get(), target, static_cast<DWORD>(g_nAuthAlgorithm.load()),
                         static_cast<DWORD>(g_nCipherAlgorithm.load()));
    if (rt::StopRequested()) return 0;
    // 3. No link until this attempt has seen one: a result left from an earlier
    // attempt must not read as this one's success.
    g_bInternetOk = 0;
    g_nLinkResult = LinkNoAddress;
    // 4. The count is read on every pass: an early association raises it.
    for (int i = 0; i < g_nLinkChecks; ++i) {
        if (WLANCheckConnection() == static_cast<DWORD>(ERROR_SUCCESS)) {
            if (rt::StopRequested()) return 0;
            int link = g_nLinkResult;
            if (g_szConnectedSsid.Get() == target && link != LinkNoAddress && link != LinkNoGateway) {
                g_bWorkerRunning = 0;
                return 1;
            }
            // Associated elsewhere, or without a working link: the timer redraws.
            dlg->m_nState = kStateConnectFailed;
            LogF(LOG_FUNC, L"CSetupDlg::WiFiLinkStatusThreadProc", L"Tried to connect to (%ls) was failed.",
                 target.c_str());
            g_bWorkerRunning = 0;
            return 1;
        }
        if (rt::StopRequested() || !rt::Sleep(kLinkCheckIntervalMs)) return 0;
    }
    // 5.
    g_bWorkerRunning = 0;
    return 0;
}
