#include "sim/Words.h"

namespace sim {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

std::variant<std::vector<Word>, std::string> SplitWords(std::string_view s)
{
    std::vector<Word> words;
    std::size_t i = 0;
    const std::size_t n = s.size();
    while (true) {
        while (i < n && IsBlank(s[i])) ++i;
        if (i == n || s[i] == '#') break;
        Word w;
        const std::size_t start = i;
        if (s[i] == '"') {
            w.quoted = true;
            ++i;
            bool closed = false;
            while (i < n) {
                const char c = s[i];
                if (c == '"') {
                    closed = true;
                    ++i;
                    break;
                }
                if (c == '\\' && i + 1 < n) {
                    const char e = s[i + 1];
                    const char* resolved = e == '"' ? "\"" : e == '\\' ? "\\" : e == 'r' ? "\r"
                                         : e == 'n' ? "\n" : e == 't' ? "\t" : nullptr;
                    if (resolved) {
                        w.value += resolved;
                        i += 2;
                        continue;
                    }
                }
                w.value += c;  // any other backslash stands for itself
                ++i;
            }
            if (!closed) return std::string("unterminated text");
            w.raw = std::string(s.substr(start, i - start));
            if (i < n && !IsBlank(s[i]) && s[i] != '#') return "missing blank after " + w.raw;
        } else {
            while (i < n && !IsBlank(s[i]) && s[i] != '#') {
                if (s[i] == '"') return "stray quote after \"" + std::string(s.substr(start, i - start)) + "\"";
                ++i;
            }
            w.value = w.raw = std::string(s.substr(start, i - start));
        }
        words.push_back(std::move(w));
    }
    return words;
}

}  // namespace sim
