#pragma once
// The vendor library's site survey list and the choice of the access point a PIN join
// talks to: the first one that advertises WPS, passing over the one tried last time.
#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "platform/Win32Types.h"

struct WpsAccessPoint {
    std::string ssid;                  // the SSID bytes, at most 32
    std::array<unsigned char, 6> bssid{};
    ULONG frequencyKHz = 0;
};

// Asks the library whether one entry advertises WPS (RAWL_ParseInfoElement).
using WpsEntryTest = std::function<bool(const unsigned char* entry)>;

// Walks at most the list's entry count of entries in list[0, bytes). An entry shorter
// than its fixed part and its information elements is passed over; an entry that does
// not lie wholly inside the buffer, or whose length cannot lead to the next one, ends
// the walk. `avoidSsid`: the SSID chosen last time (empty: none), whose entries are
// passed over.
std::optional<WpsAccessPoint> ChooseWpsAccessPoint(const unsigned char* list, std::size_t bytes,
                                                   const std::string& avoidSsid, const WpsEntryTest& isWps);
