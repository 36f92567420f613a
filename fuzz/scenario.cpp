// The scenario reader: any bytes give a scenario or a ScenarioError "pc.json:LINE: reason",
// and a scenario's registry holds only keys the machine's registry file reads back.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "platform/Text.h"
#include "sim/RegistryStore.h"
#include "sim/Scenario.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    sim::Scenario scenario;
    try {
        scenario = sim::ParseScenario(std::string(reinterpret_cast<const char*>(data), size), "pc.json");
    } catch (const sim::ScenarioError& e) {
        FUZZ_CHECK(std::string(e.what()).rfind("pc.json:", 0) == 0, "an error names the file and line");
        return 0;
    }
    for (const sim::NetworkSettings& network : scenario.networks)
        FUZZ_CHECK(network.ssidBytes.size() <= 32, "an SSID is at most 32 bytes");
    for (const sim::EventSettings& event : scenario.events)
        FUZZ_CHECK(event.atMs >= 0 && event.atMs <= sim::kMaxEventAtMs, "an event lies within 24 hours");

    // What a first run writes from the scenario, a second run reads back.
    sim::RegistryStore store = sim::RegistryStore::FromText("", "registry.txt");
    for (const auto& [key, values] : scenario.registry) {
        FUZZ_CHECK(store.CreateKey(Utf8ToWide(key)), "the scenario accepts only keys the registry takes");
        for (const auto& [name, data] : values)
            FUZZ_CHECK(store.SetValue(Utf8ToWide(key), Utf8ToWide(name), Utf8ToWide(data)), "a value is set");
    }
    const std::string written = sim::RegistryStore::Serialise(store);
    try {
        const sim::RegistryStore again = sim::RegistryStore::FromText(written, "registry.txt");
        FUZZ_CHECK(sim::RegistryStore::Serialise(again) == written, "the registry reads back what it wrote");
    } catch (const sim::ScenarioError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        FUZZ_CHECK(false, "the registry reads what it wrote");
    }
    return 0;
}
