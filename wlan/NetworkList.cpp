#include "wlan/NetworkList.h"

#include <algorithm>
#include <cstring>

std::atomic<int> g_nListedNetworks{0};
std::atomic<int> g_nRtlSignalColumnWidth{0};
std::atomic<int> g_bSsidSortDescending{0};
std::atomic<int> g_bValueSortAscending{0};
std::atomic<int> g_bConnected{0};

void ResetNetworkListValues()
{
    g_nListedNetworks = 0;
    g_nRtlSignalColumnWidth = 0;
    g_bSsidSortDescending = 0;
    g_bValueSortAscending = 0;
    g_bConnected = 0;
}

NetworkRecordStore::NetworkRecordStore()
    : m_records(new NetworkRecord[kMaxNetworkRecords]), m_imageRecords(new ImageRecord[kMaxNetworkRecords])
{
    m_list.pSiteSurveyData = m_records.get();
    m_images.pImageData = m_imageRecords.get();
}

bool NetworkNeedsKey(DWORD auth, DWORD cipher)
{
    if (auth != DOT11_AUTH_ALGO_80211_OPEN) return true;
    return cipher == DOT11_CIPHER_ALGO_WEP40 || cipher == DOT11_CIPHER_ALGO_WEP104 || cipher == DOT11_CIPHER_ALGO_WEP;
}

int SignalBarsOf(DWORD quality)
{
    if (quality >= 86) return 5;
    if (quality >= 71) return 4;
    if (quality >= 51) return 3;
    if (quality >= 31) return 2;
    if (quality >= 11) return 1;
    return 0;
}

DWORD ExaminedNetworkCount(DWORD items) { return items > kMaxNetworkRecords ? kMaxNetworkRecords - 1 : items; }

namespace {

// At most 32 bytes, up to the first zero: a 32-byte SSID has no terminator in its field.
std::size_t SsidLength(const unsigned char* ssid) { return strnlen(reinterpret_cast<const char*>(ssid), 32); }

bool SameSsid(const unsigned char* a, const unsigned char* b)
{
    std::size_t la = SsidLength(a);
    return la == SsidLength(b) && std::memcmp(a, b, la) == 0;
}

unsigned char UpperAscii(unsigned char c) { return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 32) : c; }

int CompareSsids(const NetworkRecord& a, const NetworkRecord& b)
{
    std::size_t la = SsidLength(a.ssid), lb = SsidLength(b.ssid);
    for (std::size_t i = 0; i < std::min(la, lb); ++i) {
        unsigned char ca = UpperAscii(a.ssid[i]), cb = UpperAscii(b.ssid[i]);
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return la == lb ? 0 : (la < lb ? -1 : 1);
}

}  // namespace

std::string RecordSsidBytes(const NetworkRecord& record)
{
    return std::string(reinterpret_cast<const char*>(record.ssid), SsidLength(record.ssid));
}

std::wstring SecurityText(DWORD auth, DWORD cipher, int uiLanguage)
{
    switch (auth) {
    case DOT11_AUTH_ALGO_80211_OPEN:
    case DOT11_AUTH_ALGO_80211_SHARED_KEY:
        if (cipher != DOT11_CIPHER_ALGO_NONE) return L"WEP";
        return uiLanguage == 1034 ? L"Abierta" : L"Open";
    case DOT11_AUTH_ALGO_WPA:
    case DOT11_AUTH_ALGO_WPA_PSK:
    case DOT11_AUTH_ALGO_WPA_NONE:
        return L"WPA";
    case DOT11_AUTH_ALGO_RSNA:
    case DOT11_AUTH_ALGO_RSNA_PSK:
        return L"WPA2";
    default:
        return L" ";
    }
}

int BuildNetworkRecords(const WLAN_AVAILABLE_NETWORK_LIST& available, SiteSurveyList& list, APListImageData& images)
{
    std::fill_n(list.pSiteSurveyData, kMaxNetworkRecords, NetworkRecord{});
    std::fill_n(images.pImageData, kMaxNetworkRecords, ImageRecord{});
    // The item count is the service's word; never read past the items it actually gave.
    DWORD n = std::min<DWORD>(ExaminedNetworkCount(available.dwNumberOfItems),
                              static_cast<DWORD>(available.Network.size()));
    int stored = 0;
    for (DWORD k = 0; k < n && stored < kMaxNetworkRecords; ++k) {
        const WLAN_AVAILABLE_NETWORK& item = available.Network[k];
        DWORD length = std::min<DWORD>(item.dot11Ssid.uSSIDLength, DOT11_SSID_MAX_LENGTH);
        if (length == 0 || item.dot11Ssid.ucSSID[0] == 0 || !item.bNetworkConnectable) continue;
        NetworkRecord candidate;
        candidate.ssidLength = static_cast<std::int32_t>(length);
        std::memcpy(candidate.ssid, item.dot11Ssid.ucSSID, length);
        candidate.bssType = item.dot11BssType;
        candidate.authAlgorithm = static_cast<std::int32_t>(item.dot11DefaultAuthAlgorithm);
        candidate.cipherAlgorithm = static_cast<std::int32_t>(item.dot11DefaultCipherAlgorithm);
        bool duplicate = false;
        for (int j = 0; j < stored && !duplicate; ++j) {
            const NetworkRecord& r = list.pSiteSurveyData[j];
            duplicate = r.cipherAlgorithm == candidate.cipherAlgorithm && SameSsid(r.ssid, candidate.ssid);
        }
        if (duplicate) continue;
        candidate.securityImage =
            NetworkNeedsKey(item.dot11DefaultAuthAlgorithm, item.dot11DefaultCipherAlgorithm) ? kLockImage : kBlankImage;
        candidate.signalBars = SignalBarsOf(item.wlanSignalQuality);
        list.pSiteSurveyData[stored] = candidate;
        images.pImageData[stored] = ImageRecord{candidate.securityImage, candidate.signalBars};
        ++stored;
    }
    list.count = static_cast<std::uint32_t>(stored);
    return stored;
}

int SignalColumnWidth(int records, int dpi)
{
    if (records < 5) return 114;
    int extra = dpi <= 96 ? 0 : (17 * dpi) / 96 - 16;
    return 97 - extra;
}

bool SortNetworkRecords(NetworkSort by, SiteSurveyList& list, APListImageData& images)
{
    int n = static_cast<int>(std::min<std::uint32_t>(list.count, kMaxNetworkRecords));
    if (n < 2) return false;
    NetworkRecord* begin = list.pSiteSurveyData;
    NetworkRecord* end = begin + n;
    switch (by) {
    case NetworkSort::Ssid: {
        bool descending = g_bSsidSortDescending != 0;
        std::sort(begin, end, [descending](const NetworkRecord& a, const NetworkRecord& b) {
            int c = CompareSsids(a, b);
            return descending ? c > 0 : c < 0;
        });
        g_bSsidSortDescending = descending ? 0 : 1;
        break;
    }
    case NetworkSort::Signal:
    case NetworkSort::Security: {
        bool ascending = g_bValueSortAscending != 0;
        auto key = [by](const NetworkRecord& r) -> std::int64_t {
            return by == NetworkSort::Signal ? r.signalBars
                                             : static_cast<std::int64_t>(static_cast<std::uint32_t>(r.authAlgorithm)) +
                                                   static_cast<std::uint32_t>(r.cipherAlgorithm);
        };
        std::sort(begin, end, [&](const NetworkRecord& a, const NetworkRecord& b) {
            return ascending ? key(a) < key(b) : key(a) > key(b);
        });
        g_bValueSortAscending = ascending ? 0 : 1;
        break;
    }
    }
    for (int j = 0; j < n; ++j) images.pImageData[j] = ImageRecord{begin[j].securityImage, begin[j].signalBars};
    return true;
}
