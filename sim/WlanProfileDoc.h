#pragma once
// Wireless profile documents as the wireless service reads them: the WLAN profile schema,
// version 1, with the values the service knows. What the service keeps of a profile it
// accepted, and the document it writes for a profile it already had.
#include <cstdint>
#include <string>

#include "platform/Win32Types.h"

namespace sim {

// The profile schema's namespace name, version 1.
inline constexpr const char* kWlanProfileNamespace = "http://www.microsoft.com/networking/WLAN/profile/v1";

struct WlanProfile {
    std::wstring name;
    std::string ssid;                  // the SSID's bytes
    std::string connectionType = "ESS";  // ESS | IBSS
    bool nonBroadcast = false;
    std::string authentication = "open";  // open | shared | WPA | WPAPSK | WPA2 | WPA2PSK
    std::string encryption = "none";      // none | WEP | TKIP | AES
    bool useOneX = false;
    bool hasKey = false;
    std::string keyType;     // networkKey | passPhrase
    bool keyProtected = false;
    std::wstring keyMaterial;
    std::wstring document;   // as it was handed over
};

struct WlanProfileParse {
    bool ok = false;
    DWORD reasonCode = 0;  // WLAN_REASON_CODE_... when refused
    std::string problem;   // what was wrong, for the lab and the log
    WlanProfile profile;
};

// Reads a profile document. The document is already text: an encoding named in its
// declaration is not applied. A document type declaration is refused.
WlanProfileParse ParseWlanProfile(const std::wstring& document);

// The document the service keeps for a profile (the SSID as hex bytes).
std::wstring WriteWlanProfile(const WlanProfile& profile);

// The schema's words for a network's algorithms: auth 1..7, cipher values of the
// wireless API. Unknown values give "".
std::string AuthenticationWord(DWORD auth);
std::string EncryptionWord(DWORD cipher);

}  // namespace sim
