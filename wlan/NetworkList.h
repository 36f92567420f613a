#pragma once
// The program's own network list: one fixed-size record per visible network (SSID,
// security, signal) and the image record the list control draws from, both arrays of
// 128 allocated once. The fetch's record rules, the three sorts and the signal column's
// width live here, free of the window system, so that every rule can be tested alone.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/WlanLibrary.h"
#include "platform/Win32Types.h"

constexpr int kMaxNetworkRecords = 128;
// Sizes the allocation traces name for the header blocks and the arrays.
constexpr int kSiteSurveyHeaderBytes = 8;
constexpr int kSiteSurveyDataBytes = 11264;
constexpr int kImageHeaderBytes = 8;
constexpr int kImageDataBytes = 1024;

// Image indices of the list's image strip the records use.
constexpr int kLockImage = 6;
constexpr int kBlankImage = 7;

struct NetworkRecord {
    std::int32_t ssidLength = 0;  // as the service reports it, 0 to 32
    unsigned char ssid[DOT11_SSID_MAX_LENGTH] = {};  // no terminating zero when 32 bytes long
    std::int32_t bssType = 0;
    std::int32_t secured = 0;        // written when the rows are filled
    std::int32_t securityImage = 0;  // kLockImage or kBlankImage
    std::int32_t authAlgorithm = 0;
    std::int32_t cipherAlgorithm = 0;
    std::int32_t signalBars = 0;     // 0 to 5
};

struct ImageRecord {
    std::int32_t securityImage = 0;
    std::int32_t signalImage = 0;
};

// The header block of the records: the count of valid records and the array.
struct SiteSurveyList {
    std::uint32_t count = 0;
    NetworkRecord* pSiteSurveyData = nullptr;
};

struct APListImageData {
    ImageRecord* pImageData = nullptr;
};

// Owns the two arrays for the main dialog's lifetime.
class NetworkRecordStore {
public:
    NetworkRecordStore();
    SiteSurveyList& List() { return m_list; }
    const SiteSurveyList& List() const { return m_list; }
    APListImageData& Images() { return m_images; }
    const APListImageData& Images() const { return m_images; }
    int Count() const { return static_cast<int>(m_list.count); }
    const NetworkRecord& Record(int i) const { return m_list.pSiteSurveyData[i]; }

private:
    std::unique_ptr<NetworkRecord[]> m_records;
    std::unique_ptr<ImageRecord[]> m_imageRecords;
    SiteSurveyList m_list;
    APListImageData m_images;
};

// Every network needs a key except an open one without a WEP cipher.
bool NetworkNeedsKey(DWORD auth, DWORD cipher);
// 0 to 5 bars from a signal quality of 0 to 100.
int SignalBarsOf(DWORD quality);
// How many of the service's items are examined: 129 and more become 127.
DWORD ExaminedNetworkCount(DWORD items);
// The record's SSID bytes: at most 32, up to the first zero.
std::string RecordSsidBytes(const NetworkRecord& record);
// The security column's text: "WEP", "Open" ("Abierta" in Spanish), "WPA", "WPA2" or " ".
std::wstring SecurityText(DWORD auth, DWORD cipher, int uiLanguage);

// Rebuilds the records from the service's list (the fetch's steps 3 to 6): zeroes both
// arrays, then stores the examined items in the service's order, skipping hidden and
// not-connectable networks and any SSID already stored with the same cipher. Returns
// the number of records, also written into the list's count.
int BuildNetworkRecords(const WLAN_AVAILABLE_NETWORK_LIST& available, SiteSurveyList& list, APListImageData& images);

// The signal column's width for a number of records and the dialog's horizontal dpi:
// room for the vertical scroll bar once five or more rows are listed.
int SignalColumnWidth(int records, int dpi);

enum class NetworkSort { Ssid, Security, Signal };
// Sorts the records in place, rebuilds the image records from them and flips the flag the
// comparison used (g_bSsidSortDescending for the SSID, g_bValueSortAscending for the
// other two). Fewer than two records: nothing at all. Returns true when it sorted.
bool SortNetworkRecords(NetworkSort by, SiteSurveyList& list, APListImageData& images);

// Process-wide values of the list.
extern std::atomic<int> g_nListedNetworks;
extern std::atomic<int> g_nRtlSignalColumnWidth;
extern std::atomic<int> g_bSsidSortDescending;
extern std::atomic<int> g_bValueSortAscending;
extern std::atomic<int> g_bConnected;
void ResetNetworkListValues();
