#include "sim/ScenarioValues.h"

#include <charconv>
#include <climits>
#include <cstdint>

#include "sim/JsonReader.h"

namespace sim {
namespace {

using json::Decimal;
using json::HexDigit;
using json::IsDigit;

constexpr NamedValue kAuthNames[] = {
    {"OPEN", 1}, {"SHARED_KEY", 2}, {"WPA", 3},      {"WPA_PSK", 4},
    {"WPA_NONE", 5}, {"RSNA", 6},   {"RSNA_PSK", 7}};
constexpr NamedValue kCipherNames[] = {
    {"NONE", 0}, {"WEP40", 1}, {"TKIP", 2}, {"CCMP", 4}, {"WEP104", 5}, {"WEP", 0x101}};
constexpr NamedValue kWpsAuthNames[] = {
    {"Open", 0x01},           {"WPA-Personal", 0x02},    {"Shared", 0x04},
    {"WPA-Enterprise", 0x08}, {"WPA2-Enterprise", 0x10}, {"WPA2-Personal", 0x20}};
constexpr NamedValue kWpsEncryptionNames[] = {
    {"None", 0x01}, {"WEP", 0x02}, {"TKIP", 0x04}, {"AES", 0x08}};

}  // namespace

std::span<const NamedValue> AuthNames() { return kAuthNames; }
std::span<const NamedValue> CipherNames() { return kCipherNames; }
std::span<const NamedValue> WpsAuthNames() { return kWpsAuthNames; }
std::span<const NamedValue> WpsEncryptionNames() { return kWpsEncryptionNames; }

int WpsAuthOf(int dot11Auth) {
    switch (dot11Auth) {
        case 2: return 0x04;
        case 3: return 0x08;
        case 4: case 5: return 0x02;
        case 6: return 0x10;
        case 7: return 0x20;
        default: return 0x01;
    }
}

int WpsEncryptionOf(int dot11Cipher) {
    switch (dot11Cipher) {
        case 1: case 5: case 0x101: return 0x02;
        case 2: return 0x04;
        case 4: return 0x08;
        default: return 0x01;
    }
}

std::optional<int> ValueByName(std::span<const NamedValue> names, const std::string& text) {
    for (const auto& [name, value] : names)
        if (text == name) return value;
    // A number, decimal or "0x" hex.
    std::string_view digits = text;
    int base = 10;
    if (digits.starts_with("0x") || digits.starts_with("0X")) {
        digits.remove_prefix(2);
        base = 16;
    }
    std::uint64_t value = 0;
    if (digits.empty() || digits.size() > 10) return std::nullopt;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (ec != std::errc() || end != digits.data() + digits.size() || value > INT_MAX) return std::nullopt;
    return static_cast<int>(value);
}

std::string NameList(std::span<const NamedValue> names) {
    std::string list;
    for (const auto& entry : names) list += (list.empty() ? "" : ", ") + std::string(entry.name);
    return list;
}

std::string NameOf(std::span<const NamedValue> names, int value) {
    for (const auto& [name, v] : names)
        if (v == value) return std::string(name);
    return {};
}

bool DottedNumbers(std::string_view text, int parts, std::uint64_t maxPart) {
    for (int i = 0; i < parts; ++i) {
        const std::size_t dot = i + 1 < parts ? text.find('.') : text.size();
        if (dot == std::string_view::npos) return false;
        const auto part = Decimal(text.substr(0, dot), 5);
        if (!part || *part > maxPart) return false;
        text.remove_prefix(i + 1 < parts ? dot + 1 : dot);
    }
    return text.empty();
}

bool IsIpv4(const std::string& text) { return DottedNumbers(text, 4, 255); }

std::optional<std::string> BssidText(const std::string& text) {
    if (text.size() != 17) return std::nullopt;
    std::string upper = text;
    for (std::size_t i = 0; i < upper.size(); ++i) {
        if (i % 3 == 2) {
            if (upper[i] != ':') return std::nullopt;
        } else {
            if (HexDigit(upper[i]) < 0) return std::nullopt;
            if (upper[i] >= 'a') upper[i] = static_cast<char>(upper[i] - 'a' + 'A');
        }
    }
    return upper;
}

std::optional<std::string> HexBytes(const std::string& text) {
    if (text.size() % 2 != 0) return std::nullopt;
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = HexDigit(text[i]), low = HexDigit(text[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes += static_cast<char>(high * 16 + low);
    }
    return bytes;
}

int ServicePackNumber(std::string_view text) {
    constexpr std::string_view prefix = "Service Pack ";
    if (!text.starts_with(prefix)) return 0;
    text.remove_prefix(prefix.size());
    std::size_t digits = 0;
    while (digits < text.size() && IsDigit(text[digits])) ++digits;
    const auto number = Decimal(text.substr(0, digits), 5);
    return number && *number <= 65535 ? static_cast<int>(*number) : 0;
}

std::optional<std::int64_t> ParseDurationMs(std::string_view text) {
    std::size_t digits = 0;
    while (digits < text.size() && IsDigit(text[digits])) ++digits;
    const std::string_view unit = text.substr(digits);
    std::int64_t factor = 0;
    if (unit.empty() || unit == "ms") factor = 1;
    else if (unit == "s") factor = 1000;
    else if (unit == "m") factor = 60000;
    else return std::nullopt;
    // Any number of digits, as long as the milliseconds fit: a caller that limits the
    // duration says so in its own words.
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + digits, value);
    if (digits == 0 || ec != std::errc() || end != text.data() + digits || value > INT64_MAX / factor)
        return std::nullopt;
    return value * factor;
}

std::optional<int> ParseAuthName(const std::string& text) { return ValueByName(kAuthNames, text); }
std::optional<int> ParseCipherName(const std::string& text) { return ValueByName(kCipherNames, text); }
std::optional<int> ParseWpsAuthName(const std::string& text) { return ValueByName(kWpsAuthNames, text); }
std::optional<int> ParseWpsEncryptionName(const std::string& text) {
    return ValueByName(kWpsEncryptionNames, text);
}

std::optional<std::int64_t> ParseStartTime(const std::string& text) {
    // "YYYY-MM-DDTHH:MM:SS"
    if (text.size() != 19) return std::nullopt;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char expected = i == 4 || i == 7 ? '-' : i == 10 ? 'T' : i == 13 || i == 16 ? ':' : '0';
        if (expected == '0' ? !IsDigit(text[i]) : text[i] != expected) return std::nullopt;
    }
    auto field = [&text](std::size_t at, std::size_t length) {
        return static_cast<int>(*Decimal(std::string_view(text).substr(at, length)));
    };
    const int year = field(0, 4), month = field(5, 2), day = field(8, 2);
    const int hour = field(11, 2), minute = field(14, 2), second = field(17, 2);
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1970 || month < 1 || month > 12 || day < 1 ||
        day > kDays[month - 1] + (month == 2 && leap ? 1 : 0) || hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    // Days since 1970-01-01 of a date in the proleptic Gregorian calendar.
    const int y = month <= 2 ? year - 1 : year;
    const int era = y / 400;
    const int yearOfEra = y - era * 400;
    const int dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    const std::int64_t days = static_cast<std::int64_t>(era) * 146097 + dayOfEra - 719468;
    return ((days * 24 + hour) * 60 + minute) * 60000 + second * 1000;
}

}  // namespace sim
