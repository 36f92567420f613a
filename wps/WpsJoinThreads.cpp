// The two join workers of the WPS manager: push button and PIN. A worker asked to stop
// returns at its next wait without writing anything more.
#include <algorithm>
#include <cstring>

#include "app/Globals.h"
#include "diag/LogMsg.h"
#include "framework/Dialog.h"
#include "platform/Platform.h"
#include "wps/WpsManager.h"
#include "wps/WpsManagerImpl.h"
#include "wps/WpsSurvey.h"

namespace {

constexpr const wchar_t* kPbcFunc = L"CWpsManager::WpsJoinPBCThreadProc";
constexpr const wchar_t* kPinFunc = L"CWpsManager::WpsJoinPinThreadProc";

constexpr int kPbcPolls = 120;
constexpr int kPbcPollMs = 1000;
constexpr int kPinPolls = 120;
constexpr int kPinPollMs = 3000;
constexpr int kPbcServiceStopMs = 2000;
constexpr int kPinServiceStopMs = 5000;
constexpr int kDisconnectMs = 600;
constexpr int kServiceStartMs = 3000;
constexpr int kSurveyWaitMs = 10000;

void PutU32(WpsModeRecord& record, std::size_t at, std::uint32_t value)
{
    std::memcpy(record.bytes + at, &value, sizeof value);
}

// The adapter leaves its current network before an exchange.
void DropAssociation(VendorWlan* rawl)
{
    if (g_bOsXp) {
        rawl->RAWL_SetAuthMode(0);
        rawl->RAWL_Disassociate();
    } else {
        rawl->RAWL_WlanDisconnect();
        rawl->RAWL_WlanDeleteAllWindowsProfiles();
    }
}

// The end of an exchange: WPS off and the adapter let go.
void EndExchange(VendorWlan* rawl)
{
    rawl->RAWL_WriteWPSFlag(0);
    if (g_bOsXp) rawl->RAWL_Disassociate();
    else rawl->RAWL_WPSDisconnect();
}

void SendExchangeRequests(VendorWlan* rawl, const WpsModeRecord& mode)
{
    rawl->RAWL_SetWPSMode(mode);
    WpsProfileRecord empty{};
    rawl->RAWL_SetWPSProfile(empty);
    rawl->RAWL_SetWPSAssociateIE(1);
    rawl->RAWL_SetWPSProbeReqIE(1);
}

bool IsWpsEntry(VendorWlan* rawl, const unsigned char* entry)
{
    unsigned char record[kParsedIeRecordBytes] = {};
    rawl->RAWL_ParseInfoElement(entry, record);
    return std::memcmp(record + kParsedIeWpsFlag, "TRUE", 5) == 0;
}

}  // namespace

DWORD CWpsManager::WpsJoinPBCThreadProc(void* manager)
{
    auto* self = static_cast<CWpsManager*>(manager);
    VendorWlan* rawl = Os().vendor;
    // 1.
    g_bWpsProfileOk = 0;
    self->ClearCredentials();
    g_bWorkerRunning = 1;
    // 2.-5.
    self->StopZeroConfig();
    if (!wpsjoin::Pause(kPbcServiceStopMs)) return 0;
    rawl->RAWL_WriteWPSFlag(1);
    DropAssociation(rawl);
    if (!wpsjoin::Pause(kDisconnectMs)) return 0;
    rawl->RAWL_SetPreferWPSAPPhyType(2);
    // 6.-7.
    WpsModeRecord mode{};
    PutU32(mode, wpsmode::kMode, wpsmode::kPushButton);
    mode.bytes[wpsmode::kLast] = 1;
    SendExchangeRequests(rawl, mode);
    // 8. Poll for the router's answer.
    WpsProfileRecord profile{};
    bool haveCode = false, credentials = false;
    DWORD lastCode = 0;
    for (int poll = 0; poll < kPbcPolls; ++poll) {
        if (!wpsjoin::Pause(kPbcPollMs)) return 0;
        DWORD status = 0;
        if (rawl->RAWL_QueryWPSStatus(&status) != 1) continue;
        const DWORD code = status & wpsstatus::kCodeMask;
        haveCode = true;
        lastCode = code;
        bool stop = true;
        switch (code) {
        case wpsstatus::kCredentialsReady:
            rawl->RAWL_QueryWPSProfile(&profile);
            g_bWpsProfileOk = 1;
            credentials = true;
            g_LogMsg.addLog(L"WPS query profile successfully.", kPbcFunc, LOG_FUNC);
            break;
        case wpsstatus::kTooManyPbcAps:
            g_bWpsProfileOk = 0;
            g_LogMsg.addLog(L" Too many PBC AP avaliable.", kPbcFunc, LOG_FUNC);
            break;
        case wpsstatus::kEapFail:
            g_bWpsProfileOk = 0;
            g_LogMsg.addLog(L"Received EAP-FAIL.", kPbcFunc, LOG_FUNC);
            break;
        case wpsstatus::kWrongNonce:
            g_bWpsProfileOk = 0;
            g_LogMsg.addLog(L"Receive EAP with wrong NONCE.", kPbcFunc, LOG_FUNC);
            break;
        case wpsstatus::kNoIntegrity:
            g_bWpsProfileOk = 0;
            g_LogMsg.addLog(L"Receive EAP without integrity.", kPbcFunc, LOG_FUNC);
            break;
        default:
            stop = false;
            break;
        }
        if (stop) break;
    }
    // 9.
    EndExchange(rawl);
    // 10.
    if (credentials && g_bWpsProfileOk) {
        self->TakeCredentials(profile, kPbcFunc);
    } else {
        if (haveCode && wpsstatus::IsNoPbcAp(lastCode))
            g_LogMsg.addLog(L"No PBC AP avaliable.", kPbcFunc, LOG_FUNC);
        g_bWpsProfileOk = 0;
    }
    // 11. A failed join, too, leaves the wireless service running.
    self->StartZeroConfig();
    if (!wpsjoin::Pause(kServiceStartMs)) return 0;
    self->JoinWithProfile();
    return 0;
}

DWORD CWpsManager::WpsJoinPinThreadProc(void* manager)
{
    auto* self = static_cast<CWpsManager*>(manager);
    Impl& impl = *self->m_impl;
    VendorWlan* rawl = Os().vendor;
    // 1.
    g_bWpsProfileOk = 0;
    self->ClearCredentials();
    g_bWorkerRunning = 1;
    WpsModeRecord mode{};
    // 2. Without an access point chosen yet, choose one from the survey. (A worker that
    // ends here leaves g_bWorkerRunning up: the wizard's supervision ends the attempt.)
    if (self->m_nApCount == 0) {
        // 3.
        if (!wpsjoin::Pause(kSurveyWaitMs)) return 0;
        std::unique_ptr<std::vector<unsigned char>> list = wpsjoin::TakeSurveyList(impl);
        if (!list) return 0;
        std::string avoid;
        CDialogEx* mainWindow = nullptr;
        {
            std::lock_guard lock(impl.texts);
            impl.bssidList.assign(kSurveyBufferBytes, 0);
            avoid = impl.apSsid;
            mainWindow = impl.mainWindow;
        }
        // 4.-5.
        std::optional<WpsAccessPoint> ap = ChooseWpsAccessPoint(
            list->data(), list->size(), avoid, [rawl](const unsigned char* entry) { return IsWpsEntry(rawl, entry); });
        if (ap) {
            {
                std::lock_guard lock(impl.texts);
                impl.apSsid = ap->ssid;
            }
            if (mainWindow) {
                bool delivered = rt::SendToUi([mainWindow] {
                    if (mainWindow->HasWindow()) mainWindow->Dispatch(kWpsAccessPointChosenMessage, 0, 0);
                });
                if (!delivered) return 0;
            }
            std::memcpy(mode.bytes + wpsmode::kBssid, ap->bssid.data(), ap->bssid.size());
            PutU32(mode, wpsmode::kSsidLength, static_cast<std::uint32_t>(ap->ssid.size()));
            std::memcpy(mode.bytes + wpsmode::kSsid, ap->ssid.data(), ap->ssid.size());
            mode.bytes[wpsmode::kChannel] =
                static_cast<unsigned char>(rawl->RAWL_FrequencyToChannel(ap->frequencyKHz) & 0xFF);
            ++self->m_nApCount;
        }
        // 6.-7. The list goes with this attempt.
        list.reset();
        if (self->m_nApCount == 0) return 0;
    }
    // 8.-11.
    self->StopZeroConfig();
    if (!wpsjoin::Pause(kPinServiceStopMs)) return 0;
    rawl->RAWL_WriteWPSFlag(1);
    self->m_bDone = 0;
    DropAssociation(rawl);
    if (!wpsjoin::Pause(kDisconnectMs)) return 0;
    rawl->RAWL_SetPreferWPSAPPhyType(2);
    // 12.-13.
    PutU32(mode, wpsmode::kMode, wpsmode::kPin);
    {
        std::lock_guard lock(impl.texts);
        std::memcpy(mode.bytes + wpsmode::kPinDigits, impl.pin.data(), std::min<std::size_t>(impl.pin.size(), 8));
    }
    mode.bytes[wpsmode::kLast] = 1;
    rawl->RAWL_SetWPSAutoSelect(0);
    SendExchangeRequests(rawl, mode);
    // 14. A profile that comes with the last poll is too late.
    WpsProfileRecord profile{};
    bool credentials = false;
    for (int poll = 1; poll <= kPinPolls; ++poll) {
        if (!wpsjoin::Pause(kPinPollMs)) return 0;
        DWORD status = 0;
        if (rawl->RAWL_QueryWPSStatus(&status) == 1 && (status & wpsstatus::kCodeMask) == wpsstatus::kCredentialsReady) {
            rawl->RAWL_QueryWPSProfile(&profile);
            g_bWpsProfileOk = 1;
            credentials = true;
            g_LogMsg.addLog(L"WPS query profile successfully.", kPinFunc, LOG_FUNC);
        }
        if (poll == kPinPolls) g_bWpsProfileOk = 0;
        if (credentials) break;
    }
    // 15.-16.
    EndExchange(rawl);
    if (credentials && g_bWpsProfileOk) self->TakeCredentials(profile, kPinFunc);
    // 17.
    self->StartZeroConfig();
    if (!wpsjoin::Pause(kServiceStartMs)) return 0;
    self->JoinWithProfile();
    return 0;
}
