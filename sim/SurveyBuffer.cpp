#include "sim/SurveyBuffer.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace sim {

namespace {

// Element IDs and the Wi-Fi Alliance's vendor element for WPS (OUI 00:50:F2, type 4).
constexpr unsigned char kIeSsid = 0, kIeRates = 1, kIeDsParameter = 3, kIeRsn = 48, kIeExtendedRates = 50,
                        kIeVendor = 221;
constexpr unsigned char kMsOui[3] = {0x00, 0x50, 0xF2};
constexpr unsigned char kWpaType = 1, kWpsType = 4;
constexpr unsigned char kRsnOui[3] = {0x00, 0x0F, 0xAC};

// Fields of the fixed part that the survey fills besides those VendorWlan.h names.
constexpr std::size_t kPrivacy = 48, kRssi = 52, kNetworkType = 56, kConfiguration = 60, kInfrastructureMode = 92,
                      kSupportedRates = 96;
constexpr std::uint32_t kNdisOfdm5 = 2, kNdisOfdm24 = 3;
constexpr std::uint32_t kConfigurationBytes = 32, kFrequencyHoppingBytes = 16, kBeaconPeriod = 100;

void Put32(unsigned char* at, std::uint32_t v) { std::memcpy(at, &v, 4); }
std::uint32_t Get32(const unsigned char* at)
{
    std::uint32_t v;
    std::memcpy(&v, at, 4);
    return v;
}

void AddIe(std::vector<unsigned char>& out, unsigned char id, const std::vector<unsigned char>& body)
{
    out.push_back(id);
    out.push_back(static_cast<unsigned char>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
}

// A WPS attribute: type and length big-endian, then the value.
void AddAttribute(std::vector<unsigned char>& out, std::uint16_t type, std::vector<unsigned char> value)
{
    out.push_back(static_cast<unsigned char>(type >> 8));
    out.push_back(static_cast<unsigned char>(type));
    out.push_back(static_cast<unsigned char>(value.size() >> 8));
    out.push_back(static_cast<unsigned char>(value.size()));
    out.insert(out.end(), value.begin(), value.end());
}

unsigned char CipherSuite(int cipher)
{
    return cipher == 2 ? 2 : cipher == 4 ? 4 : cipher == 1 ? 1 : cipher == 5 ? 5 : 4;
}

std::vector<unsigned char> Elements(const SurveyNetwork& n)
{
    std::vector<unsigned char> ies;
    std::size_t ssidBytes = n.hidden ? 0 : std::min<std::size_t>(n.ssid.size(), 32);
    AddIe(ies, kIeSsid, std::vector<unsigned char>(n.ssid.begin(), n.ssid.begin() + static_cast<long>(ssidBytes)));
    AddIe(ies, kIeRates, {0x82, 0x84, 0x8B, 0x96, 0x0C, 0x12, 0x18, 0x24});
    if (n.channel >= 1 && n.channel <= 14) AddIe(ies, kIeDsParameter, {static_cast<unsigned char>(n.channel)});
    AddIe(ies, kIeExtendedRates, {0x30, 0x48, 0x60, 0x6C});
    const bool psk = n.auth == 4 || n.auth == 7;
    if (n.auth == 6 || n.auth == 7) {
        unsigned char suite = CipherSuite(n.cipher);
        AddIe(ies, kIeRsn, {1, 0,                                                    // version
                            kRsnOui[0], kRsnOui[1], kRsnOui[2], suite,               // group cipher
                            1, 0, kRsnOui[0], kRsnOui[1], kRsnOui[2], suite,         // pairwise
                            1, 0, kRsnOui[0], kRsnOui[1], kRsnOui[2], static_cast<unsigned char>(psk ? 2 : 1),  // key management
                            0, 0});                                                  // capabilities
    } else if (n.auth == 3 || n.auth == 4) {
        unsigned char suite = CipherSuite(n.cipher);
        AddIe(ies, kIeVendor, {kMsOui[0], kMsOui[1], kMsOui[2], kWpaType, 1, 0,
                               kMsOui[0], kMsOui[1], kMsOui[2], suite,
                               1, 0, kMsOui[0], kMsOui[1], kMsOui[2], suite,
                               1, 0, kMsOui[0], kMsOui[1], kMsOui[2], static_cast<unsigned char>(psk ? 2 : 1)});
    }
    if (n.wps) {
        std::vector<unsigned char> wps = {kMsOui[0], kMsOui[1], kMsOui[2], kWpsType};
        AddAttribute(wps, 0x104A, {0x10});  // version 1.0
        AddAttribute(wps, 0x1044, {0x02});  // configured
        if (n.pbcWindowOpen) {
            AddAttribute(wps, 0x1041, {0x01});        // a registrar is selected
            AddAttribute(wps, 0x1012, {0x00, 0x04});  // for the push button
        }
        AddIe(ies, kIeVendor, wps);
    }
    return ies;
}

}  // namespace

void BssidBytes(const std::string& text, unsigned char out[6])
{
    auto digit = [](char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; };
    for (std::size_t i = 0; i < 6; ++i)
        out[i] = i * 3 + 1 < text.size() && std::isxdigit(static_cast<unsigned char>(text[i * 3])) &&
                         std::isxdigit(static_cast<unsigned char>(text[i * 3 + 1]))
                     ? static_cast<unsigned char>(digit(text[i * 3]) * 16 + digit(text[i * 3 + 1]))
                     : 0;
}

ULONG ChannelToFrequencyKHz(int channel)
{
    if (channel == 14) return 2484000;
    if (channel >= 1 && channel <= 13) return static_cast<ULONG>(2407 + 5 * channel) * 1000;
    if (channel >= 36 && channel <= 165) return static_cast<ULONG>(5000 + 5 * channel) * 1000;
    return 0;
}

int FrequencyToChannel(ULONG kHz)
{
    if (kHz % 1000 != 0) return 0;
    const ULONG mhz = kHz / 1000;
    if (mhz == 2484) return 14;
    if (mhz >= 2412 && mhz <= 2472 && (mhz - 2407) % 5 == 0) return static_cast<int>((mhz - 2407) / 5);
    if (mhz >= 5180 && mhz <= 5825 && mhz % 5 == 0) return static_cast<int>((mhz - 5000) / 5);
    return 0;
}

std::vector<unsigned char> SurveyEntry(const SurveyNetwork& n)
{
    const std::vector<unsigned char> ies = Elements(n);
    const std::size_t length = (survey::kIes + ies.size() + 3) / 4 * 4;
    std::vector<unsigned char> e(length, 0);
    Put32(&e[survey::kLength], static_cast<std::uint32_t>(length));
    std::memcpy(&e[survey::kBssid], n.bssid, 6);
    const std::size_t ssidBytes = n.hidden ? 0 : std::min<std::size_t>(n.ssid.size(), 32);
    Put32(&e[survey::kSsidLength], static_cast<std::uint32_t>(ssidBytes));
    std::memcpy(&e[survey::kSsid], n.ssid.data(), ssidBytes);
    Put32(&e[kPrivacy], n.auth == 1 && n.cipher == 0 ? 0 : 1);
    Put32(&e[kRssi], static_cast<std::uint32_t>(std::clamp(n.signal, 0, 100) / 2 - 100));
    const ULONG frequency = ChannelToFrequencyKHz(n.channel);
    Put32(&e[kNetworkType], frequency >= 5000000 ? kNdisOfdm5 : kNdisOfdm24);
    Put32(&e[kConfiguration], kConfigurationBytes);
    Put32(&e[kConfiguration + 4], kBeaconPeriod);
    Put32(&e[survey::kFrequency], frequency);
    Put32(&e[survey::kFrequency + 4], kFrequencyHoppingBytes);
    Put32(&e[kInfrastructureMode], n.infrastructure ? 1 : 0);
    const unsigned char rates[] = {0x82, 0x84, 0x8B, 0x96, 0x0C, 0x12, 0x18, 0x24, 0x30, 0x48, 0x60, 0x6C};
    std::memcpy(&e[kSupportedRates], rates, sizeof rates);
    Put32(&e[survey::kIeLength], static_cast<std::uint32_t>(ies.size()));
    std::memcpy(&e[survey::kIes], ies.data(), ies.size());
    return e;
}

std::uint32_t WriteSurvey(const std::vector<SurveyNetwork>& networks, unsigned char* buffer, std::size_t size,
                          std::size_t* used)
{
    if (used) *used = 0;
    if (!buffer || size < 4) return 0;
    std::uint32_t count = 0;
    std::size_t at = 4;
    for (const SurveyNetwork& n : networks) {
        const std::vector<unsigned char> entry = SurveyEntry(n);
        if (entry.size() > size - at) break;
        std::memcpy(buffer + at, entry.data(), entry.size());
        at += entry.size();
        ++count;
    }
    Put32(buffer, count);
    if (used) *used = at;
    return count;
}

bool ParseSurveyEntry(const unsigned char* entry, unsigned char* record)
{
    if (!entry || !record) return false;
    const std::uint32_t length = Get32(entry + survey::kLength);
    if (length < survey::kIes) return false;
    // The elements end where the entry says they do, but never past the entry itself.
    const std::size_t end = std::min<std::size_t>(Get32(entry + survey::kIeLength), length - survey::kIes);
    const unsigned char* ies = entry + survey::kIes;
    bool wps = false;
    for (std::size_t at = 0; at + 2 <= end;) {
        const unsigned char id = ies[at], bytes = ies[at + 1];
        if (bytes > end - at - 2) break;  // an element that runs past the end: the walk stops
        const unsigned char* body = ies + at + 2;
        if (id == kIeVendor && bytes >= 4 && std::memcmp(body, kMsOui, 3) == 0 && body[3] == kWpsType) wps = true;
        at += 2 + bytes;
    }
    if (wps) std::memcpy(record + kParsedIeWpsFlag, "TRUE", 5);
    return true;
}

std::vector<SurveyEntryView> ReadSurvey(const unsigned char* buffer, std::size_t size)
{
    std::vector<SurveyEntryView> out;
    if (!buffer || size < 4) return out;
    const std::uint32_t count = Get32(buffer);
    std::size_t at = 4;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (size - at < survey::kIes) break;
        const std::uint32_t length = Get32(buffer + at + survey::kLength);
        if (length < survey::kIes || length > size - at) break;
        const std::uint32_t ieLength = Get32(buffer + at + survey::kIeLength);
        out.push_back({at, length, ieLength <= length - survey::kIes});
        at += length;
    }
    return out;
}

}  // namespace sim
