#pragma once
// The vendor library's site survey as bytes: the list it hands out (a 32-bit entry
// count, then one NDIS_WLAN_BSSID_EX-shaped entry per network, each with its information
// elements) and the reading of an entry's elements. Pure functions, no PC behind them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/VendorWlan.h"

namespace sim {

// One network as the survey reports it.
struct SurveyNetwork {
    std::string ssid;         // bytes; an entry carries at most 32
    bool hidden = false;      // the entry shows an empty SSID
    unsigned char bssid[6] = {};
    int channel = 6;
    int signal = 0;           // 0..100
    int auth = 1;             // DOT11_AUTH_ALGORITHM
    int cipher = 0;           // DOT11_CIPHER_ALGORITHM
    bool infrastructure = true;
    bool wps = false;         // the router advertises WPS
    bool pbcWindowOpen = false;  // its push-button window is open as the survey looks
};

// "00:1A:2B:3C:4D:5E" as its six bytes (a scenario's BSSID text is checked on reading).
void BssidBytes(const std::string& text, unsigned char out[6]);

// 2.4 GHz: 2407 + 5 x channel MHz (channel 14: 2484); 5 GHz: 5000 + 5 x channel MHz.
ULONG ChannelToFrequencyKHz(int channel);
// The inverse; 0 for a frequency that is no channel's.
int FrequencyToChannel(ULONG frequencyKHz);

// One entry: its length (a multiple of 4) at byte 0, the elements at byte 116.
std::vector<unsigned char> SurveyEntry(const SurveyNetwork& network);

// Writes the count and as many whole entries as fit into size bytes, never more; an
// entry that does not fit ends the list. Returns the count; *used gets the bytes written.
std::uint32_t WriteSurvey(const std::vector<SurveyNetwork>& networks, unsigned char* buffer, std::size_t size,
                          std::size_t* used);

// Reads an entry's elements within its stated element length and its own length; writes
// "TRUE" at byte 40 of the 384-byte record when one of them is a WPS element. False when
// the entry is too short to hold its fixed part.
bool ParseSurveyEntry(const unsigned char* entry, unsigned char* record);

// A survey list read with every length checked against the buffer: the entries that lie
// whole inside it, in order, at most as many as the count says.
struct SurveyEntryView {
    std::size_t offset = 0;  // from the start of the buffer
    std::size_t length = 0;  // the entry's stated length
    bool complete = false;   // its stated length holds its fixed part and its elements
};
std::vector<SurveyEntryView> ReadSurvey(const unsigned char* buffer, std::size_t size);

}  // namespace sim
