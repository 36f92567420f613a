#pragma once
// The values a scenario names: security names and numbers, addresses, BSSIDs, hex bytes,
// durations and the start time. Shared by the scenario reader and the script language.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace sim {

// One name of a numbered value ("RSNA_PSK" is 7).
struct NamedValue {
    std::string_view name;
    int value;
};

// DOT11_AUTH_ALGORITHM: OPEN 1 ... RSNA_PSK 7.
std::span<const NamedValue> AuthNames();
// DOT11_CIPHER_ALGORITHM: NONE 0, WEP40 1, TKIP 2, CCMP 4, WEP104 5, WEP 0x101.
std::span<const NamedValue> CipherNames();
// WPS numbering of the credentials a router hands out: Open 0x01, WPA-Personal 0x02,
// Shared 0x04, WPA-Enterprise 0x08, WPA2-Enterprise 0x10, WPA2-Personal 0x20.
std::span<const NamedValue> WpsAuthNames();
// None 0x01, WEP 0x02, TKIP 0x04, AES 0x08.
std::span<const NamedValue> WpsEncryptionNames();
// What a router hands out for a network of its own security, in WPS numbering:
// RSNA_PSK 0x20, RSNA 0x10, WPA 0x08, WPA_PSK and WPA_NONE 0x02, SHARED_KEY 0x04, else
// open 0x01; CCMP 0x08, TKIP 0x04, the WEP ciphers 0x02, else none 0x01.
int WpsAuthOf(int dot11Auth);
int WpsEncryptionOf(int dot11Cipher);

// A name of the table, or a number (decimal or "0x" hex) up to INT_MAX.
std::optional<int> ValueByName(std::span<const NamedValue> names, const std::string& text);
std::string NameList(std::span<const NamedValue> names);      // "OPEN, SHARED_KEY, ..."
std::string NameOf(std::span<const NamedValue> names, int value);  // "" when it has none

std::optional<int> ParseAuthName(const std::string& text);
std::optional<int> ParseCipherName(const std::string& text);
std::optional<int> ParseWpsAuthName(const std::string& text);
std::optional<int> ParseWpsEncryptionName(const std::string& text);

// The whole of "A.B.C.D" (parts numbers), each part at most maxPart.
bool DottedNumbers(std::string_view text, int parts, std::uint64_t maxPart);
bool IsIpv4(const std::string& text);
// "00:1a:2B:..." -> "00:1A:2B:..."; nullopt unless six hex pairs with colons.
std::optional<std::string> BssidText(const std::string& text);
// "4d5e" -> the bytes 0x4D 0x5E; nullopt for an odd count or a non-hex digit.
std::optional<std::string> HexBytes(const std::string& text);
// "Service Pack 2" -> 2; anything else -> 0.
int ServicePackNumber(std::string_view text);

// "500ms" "3s" "2m" "1500"; nullopt when malformed.
std::optional<std::int64_t> ParseDurationMs(std::string_view text);
// Milliseconds since 1970 of "YYYY-MM-DDTHH:MM:SS" read as UTC fields.
std::optional<std::int64_t> ParseStartTime(const std::string& text);

}  // namespace sim
