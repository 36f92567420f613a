// The wireless service's profile reader: any text is a profile or a refusal with a reason
// code; a profile the service writes for itself reads back the same.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "platform/Text.h"
#include "platform/WlanLibrary.h"
#include "sim/WlanProfileDoc.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    sim::WlanProfileParse first = sim::ParseWlanProfile(Utf8ToWide(text));
    if (!first.ok) {
        FUZZ_CHECK(first.reasonCode == WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA ||
                       first.reasonCode == WLAN_REASON_CODE_INVALID_PROFILE_NAME ||
                       first.reasonCode == WLAN_REASON_CODE_BAD_PROFILE,
                   "a refusal carries one of the service's reason codes");
        FUZZ_CHECK(!first.problem.empty(), "a refusal says what was wrong");
        return 0;
    }
    FUZZ_CHECK(!first.profile.ssid.empty() && first.profile.ssid.size() <= DOT11_SSID_MAX_LENGTH, "an SSID of 1 to 32 bytes");
    sim::WlanProfileParse again = sim::ParseWlanProfile(sim::WriteWlanProfile(first.profile));
    FUZZ_CHECK(again.ok, "the service reads the document it writes");
    FUZZ_CHECK(again.profile.name == first.profile.name && again.profile.ssid == first.profile.ssid &&
                   again.profile.authentication == first.profile.authentication &&
                   again.profile.encryption == first.profile.encryption &&
                   again.profile.keyMaterial == first.profile.keyMaterial &&
                   again.profile.nonBroadcast == first.profile.nonBroadcast,
               "a written profile reads back the same");
    return 0;
}
