#include "wps/WpsCredentials.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t kSsidFieldBytes = 32;
constexpr std::size_t kSsidBufferChars = 34;   // with the terminator
constexpr std::size_t kKeyBufferChars = 128;   // with the terminator
constexpr std::size_t kSsidChars = 32;
constexpr std::size_t kKeyChars = 64;

DWORD ReadDword(const unsigned char* at)
{
    DWORD v = 0;
    std::memcpy(&v, at, sizeof v);
    return v;
}

std::string BoundedText(const unsigned char* at, std::size_t room)
{
    const char* text = reinterpret_cast<const char*>(at);
    return std::string(text, strnlen(text, room));
}

std::wstring Converted(const std::string& narrow, std::size_t bufferChars, const CodePageToWide& toWide)
{
    if (narrow.empty()) return {};
    std::wstring wide = toWide(narrow);
    if (wide.size() + 1 > bufferChars) return {};
    return wide;
}

}  // namespace

WpsCredentials ReadWpsCredentials(const WpsProfileRecord& record, const CodePageToWide& toWide)
{
    const unsigned char* bytes = record.bytes;
    WpsCredentials c;
    const std::string ssid = BoundedText(bytes + wpsprofile::kSsid, kSsidFieldBytes);
    const std::string key = BoundedText(bytes + wpsprofile::kKey, sizeof record.bytes - wpsprofile::kKey);
    c.ssid = Converted(ssid, kSsidBufferChars, toWide).substr(0, kSsidChars);
    c.hasKey = !key.empty();
    c.key = Converted(key, kKeyBufferChars, toWide).substr(0, kKeyChars);
    c.authType = ReadDword(bytes + wpsprofile::kAuthType);
    c.encryptionType = ReadDword(bytes + wpsprofile::kEncryption);
    return c;
}

void SecurityFromWpsTypes(DWORD authType, DWORD encryptionType, int& auth, int& cipher)
{
    switch (authType) {
    case 0x0002: auth = 4; break;  // WPA-Personal: WPA_PSK
    case 0x0008: auth = 3; break;  // WPA-Enterprise: WPA
    case 0x0010: auth = 6; break;  // WPA2-Enterprise: RSNA
    case 0x0020: auth = 7; break;  // WPA2-Personal: RSNA_PSK
    default: break;
    }
    switch (encryptionType) {
    case 0x0002:  // WEP keys go with open authentication
        auth = 0;
        cipher = 0x101;
        break;
    case 0x0004: cipher = 2; break;  // TKIP
    case 0x0008: cipher = 4; break;  // AES: CCMP
    default: break;
    }
}
