#pragma once
// The words of one line of the script language, also used for a scenario event's "do"
// text: blanks (spaces and tabs) separate words; `#` outside a text starts a comment
// that runs to the end of the line; texts are in double quotes, with the escapes
// \" \\ \r \n \t and any other backslash standing for itself ("HKLM\Software" needs none).
// A text ends on its own line and is followed by a blank, a comment or the line's end.
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace sim {

struct Word {
    std::string value;  // a bare word as written, or a text with its escapes resolved
    std::string raw;    // as written in the line, quotes included
    bool quoted = false;
};

// The words, or the reason the line cannot be split ("unterminated text",
// "missing blank after \"abc\"", "stray quote after \"abc\"").
std::variant<std::vector<Word>, std::string> SplitWords(std::string_view line);

}  // namespace sim
