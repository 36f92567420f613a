#pragma once
// A small JSON reader that keeps the line of every key and value, so that a mistake in a
// scenario is reported where it is written. Beyond JSON it accepts // and /* */ comments.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/Scenario.h"

namespace sim::json {

struct JsonMember;

struct JsonValue {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    Kind kind = Kind::Null;
    int line = 0;
    bool boolean = false;
    std::optional<std::int64_t> integer;  // a number without fraction or exponent
    std::string text;                     // a string's bytes, or a number as written
    std::vector<JsonValue> items;
    std::vector<JsonMember> members;  // in the file's order
};

struct JsonMember {
    std::string key;
    int line = 0;
    JsonValue value;
};

// Reads a whole document; throws ScenarioError "FILE:LINE: reason".
JsonValue ReadJsonDocument(std::string_view text, const std::string& file);

// Helpers shared with the schema reader.
[[noreturn]] void Fail(const std::string& file, int line, const std::string& reason);
std::string Quoted(std::string_view text);
bool IsDigit(char c);
bool IsAlpha(char c);
int HexDigit(char c);
// A whole unsigned decimal number of at most maxDigits digits, nothing else.
std::optional<std::uint64_t> Decimal(std::string_view text, std::size_t maxDigits = 18);

}  // namespace sim::json
