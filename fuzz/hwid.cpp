// HWID.ini: the sibling-model marker counts only in the first 512 bytes, before the
// first zero byte.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "app/ModelMarker.h"
#include "fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::string_view head = std::string_view(bytes).substr(0, 512);
    head = head.substr(0, head.find('\0'));
    FUZZ_CHECK(HasSiblingMarker(bytes) == (head.find("QW2100QW2600") != std::string_view::npos),
               "the marker is found exactly where it counts");
    return 0;
}
