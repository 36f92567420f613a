#include "wps/WpsSurvey.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/VendorWlan.h"

namespace {

std::uint32_t ReadU32(const unsigned char* at)
{
    std::uint32_t v = 0;
    std::memcpy(&v, at, sizeof v);
    return v;
}

constexpr std::size_t kSsidBytes = 32;

}  // namespace

std::optional<WpsAccessPoint> ChooseWpsAccessPoint(const unsigned char* list, std::size_t bytes,
                                                   const std::string& avoidSsid, const WpsEntryTest& isWps)
{
    if (!list || bytes < 4) return std::nullopt;
    const std::uint32_t count = ReadU32(list);
    std::size_t offset = 4;
    for (std::uint32_t i = 0; i < count; ++i) {
        // The fixed part must be there to read the entry's lengths.
        if (bytes - offset < survey::kIes) break;
        const unsigned char* entry = list + offset;
        const std::uint64_t length = ReadU32(entry + survey::kLength);
        const std::uint64_t ieLength = ReadU32(entry + survey::kIeLength);
        if (length == 0 || length > bytes - offset) break;
        offset += static_cast<std::size_t>(length);
        if (length < survey::kIes + ieLength) continue;
        if (!isWps(entry)) continue;
        const char* ssidField = reinterpret_cast<const char*>(entry + survey::kSsid);
        const std::string ssidText(ssidField, strnlen(ssidField, kSsidBytes));
        if (!avoidSsid.empty() && ssidText == avoidSsid) continue;
        WpsAccessPoint ap;
        std::size_t ssidLength = std::min<std::size_t>(ReadU32(entry + survey::kSsidLength), kSsidBytes);
        ap.ssid.assign(ssidField, ssidLength);
        std::memcpy(ap.bssid.data(), entry + survey::kBssid, ap.bssid.size());
        ap.frequencyKHz = ReadU32(entry + survey::kFrequency);
        return ap;
    }
    return std::nullopt;
}
