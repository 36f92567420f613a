#pragma once
// RaWLAPI.dll, the wireless chip vendor's library: the adapter's selection, the site
// survey and the Wi-Fi Protected Setup exchange. Its records are byte layouts; the
// offsets below are the ones the program reads and writes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/Win32Types.h"

// Adapter records of RAWL_GetAvailableAdapters.
constexpr std::size_t kRawlAdapterRecordBytes = 1300;
constexpr int kRawlBufferTooSmall = -10;

// The site survey: a 32-bit entry count, then the entries one after another, each laid
// out as an NDIS_WLAN_BSSID_EX.
constexpr std::size_t kSurveyBufferBytes = 65536;
namespace survey {
constexpr std::size_t kLength = 0;        // 4: the whole entry, in bytes
constexpr std::size_t kBssid = 4;         // 6: MAC address
constexpr std::size_t kSsidLength = 12;   // 4
constexpr std::size_t kSsid = 16;         // 32
constexpr std::size_t kFrequency = 72;    // 4: kHz
constexpr std::size_t kIeLength = 112;    // 4
constexpr std::size_t kIes = 116;         // the information elements
}  // namespace survey
// RAWL_ParseInfoElement's record: "TRUE" at byte 40 marks a WPS access point.
constexpr std::size_t kParsedIeRecordBytes = 384;
constexpr std::size_t kParsedIeWpsFlag = 40;

// The WPS mode record, passed by value to RAWL_SetWPSMode.
struct WpsModeRecord {
    unsigned char bytes[56];
};
namespace wpsmode {
constexpr std::uint32_t kPushButton = 0x20000000;
constexpr std::uint32_t kPin = 0x10000000;
constexpr std::size_t kMode = 0;        // 4
constexpr std::size_t kPinDigits = 4;   // 8 ASCII digits, no terminator
constexpr std::size_t kSsidLength = 12; // 4
constexpr std::size_t kSsid = 16;       // 32
constexpr std::size_t kBssid = 48;      // 6
constexpr std::size_t kChannel = 54;    // 1
constexpr std::size_t kLast = 55;       // 1: always 1
}  // namespace wpsmode

// The WPS profile record: all zero into RAWL_SetWPSProfile, the router's credentials out
// of RAWL_QueryWPSProfile.
struct WpsProfileRecord {
    unsigned char bytes[996];
};
namespace wpsprofile {
constexpr std::size_t kSsid = 8;          // 32: narrow text, zero-terminated when shorter
constexpr std::size_t kAuthType = 40;     // 4: WPS numbering (0x0002 WPA-Personal ...)
constexpr std::size_t kEncryption = 44;   // 4: WPS numbering (0x0002 WEP, 0x0004 TKIP, 0x0008 AES)
constexpr std::size_t kKey = 56;          // narrow text, zero-terminated
}  // namespace wpsprofile

// RAWL_QueryWPSStatus: the low 28 bits are the code.
namespace wpsstatus {
constexpr DWORD kCodeMask = 0x0FFFFFFF;
constexpr DWORD kCredentialsReady = 15;
constexpr DWORD kTooManyPbcAps = 257;
constexpr DWORD kEapFail = 259;
constexpr DWORD kWrongNonce = 260;
constexpr DWORD kNoIntegrity = 261;
// No access point in push-button mode: 2, 3, 24, 258.
constexpr bool IsNoPbcAp(DWORD code) { return code == 2 || code == 3 || code == 24 || code == 258; }
}  // namespace wpsstatus

class VendorWlan {
public:
    virtual ~VendorWlan() = default;
    virtual int RAWL_Initial(const char* vendor, std::uintptr_t mainWindow) = 0;
    // buffer: a 32-bit count, then `capacity` records of 1300 bytes. Returns the count
    // written, or -10 with the count needed in the first four bytes.
    virtual int RAWL_GetAvailableAdapters(std::vector<unsigned char>& buffer, int capacity) = 0;
    // The first adapter record; 1 on success.
    virtual int RAWL_AdapterSelect(const unsigned char* record, void (*callback)(), std::uintptr_t mainWindow) = 0;
    virtual int RAWL_DeInitial() = 0;

    // Starts a site survey; the library later calls `done` on a thread of its own.
    virtual int RAWL_SiteSurveyScan(void (*done)()) = 0;
    // Fills buffer (*sizeBytes bytes, 65,536) with the survey list.
    virtual int RAWL_SiteSurveyQuery(unsigned char* buffer, ULONG* sizeBytes) = 0;
    // entry: one survey entry (its length at byte 0); record: 384 zeroed bytes.
    virtual int RAWL_ParseInfoElement(const unsigned char* entry, unsigned char* record) = 0;
    // The channel in the low byte.
    virtual int RAWL_FrequencyToChannel(ULONG frequencyKHz) = 0;
    virtual int RAWL_WriteWPSFlag(int on) = 0;
    virtual int RAWL_SetAuthMode(int mode) = 0;
    virtual int RAWL_Disassociate() = 0;
    virtual int RAWL_WlanDisconnect() = 0;
    virtual int RAWL_WlanDeleteAllWindowsProfiles() = 0;
    virtual int RAWL_WPSDisconnect() = 0;
    virtual int RAWL_SetPreferWPSAPPhyType(int type) = 0;
    virtual int RAWL_SetWPSAutoSelect(int on) = 0;
    virtual int RAWL_SetWPSMode(WpsModeRecord mode) = 0;
    virtual int RAWL_SetWPSProfile(WpsProfileRecord profile) = 0;
    virtual int RAWL_SetWPSAssociateIE(int on) = 0;
    virtual int RAWL_SetWPSProbeReqIE(int on) = 0;
    // 1 when the status was read.
    virtual int RAWL_QueryWPSStatus(DWORD* status) = 0;
    virtual int RAWL_QueryWPSProfile(WpsProfileRecord* profile) = 0;
};
