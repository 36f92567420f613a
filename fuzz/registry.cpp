// The machine's registry file: any bytes give a registry or a ScenarioError
// "registry.txt:LINE: reason"; what it read it writes so that it reads back the same.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "sim/RegistryStore.h"
#include "sim/Scenario.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string written;
    try {
        written = sim::RegistryStore::Serialise(sim::RegistryStore::FromText(text, "registry.txt"));
    } catch (const sim::ScenarioError& e) {
        FUZZ_CHECK(std::string(e.what()).rfind("registry.txt:", 0) == 0, "an error names the file and line");
        return 0;
    }
    // Every key line of the written file costs no more than the key itself: the file
    // stays in proportion to what was read.
    FUZZ_CHECK(written.size() <= 4 * size + 200, "the written file is in proportion to the read one");
    try {
        const std::string again = sim::RegistryStore::Serialise(sim::RegistryStore::FromText(written, "registry.txt"));
        FUZZ_CHECK(again == written, "the registry reads back what it wrote");
    } catch (const sim::ScenarioError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        FUZZ_CHECK(false, "the registry reads what it wrote");
    }
    return 0;
}
