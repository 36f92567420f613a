// The script reader: any bytes give a script or a ScriptError "x.tcs:LINE: reason", and
// no line waits longer than a script line may.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "lab/Script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    lab::Script script;
    try {
        script = lab::ParseScript(std::string(reinterpret_cast<const char*>(data), size), "x.tcs");
    } catch (const lab::ScriptError& e) {
        FUZZ_CHECK(std::string(e.what()).rfind("x.tcs:", 0) == 0, "an error names the file and line");
        return 0;
    }
    for (const lab::ScriptLine& line : script.lines) {
        FUZZ_CHECK(line.line >= 1, "a line has its number");
        FUZZ_CHECK(line.durationMs >= 0 && line.durationMs <= lab::kMaxDurationMs, "a sleep is bounded");
        FUZZ_CHECK(!line.withinMs || (*line.withinMs >= 0 && *line.withinMs <= lab::kMaxDurationMs),
                   "a wait is bounded");
        FUZZ_CHECK(line.minMs <= line.maxMs && line.maxMs <= lab::kMaxDurationMs, "a time span is bounded");
    }
    return 0;
}
