// The string tables' text format: any bytes give (ID, text) rows with IDs up to 65535,
// or a std::runtime_error "line N: reason".
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "app/LocalizedText.h"
#include "fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        for (const auto& [id, text] : ParseStringTable(std::string(reinterpret_cast<const char*>(data), size)))
            FUZZ_CHECK(id <= 65535, "an ID is at most 65535");
    } catch (const std::runtime_error& e) {
        FUZZ_CHECK(std::string(e.what()).rfind("line ", 0) == 0, "an error names the line");
    }
    return 0;
}
