#include "sim/JsonReader.h"

#include <charconv>
#include <climits>
#include <unordered_set>

namespace sim::json {

[[noreturn]] void Fail(const std::string& file, int line, const std::string& reason) {
    throw ScenarioError(file + ":" + std::to_string(line) + ": " + reason);
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

int HexDigit(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<std::uint64_t> Decimal(std::string_view text, std::size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits) return std::nullopt;
    std::uint64_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

namespace {

class JsonReader {
public:
    JsonReader(std::string_view text, const std::string& file) : m_text(text), m_file(file) {}

    JsonValue ReadDocument() {
        if (m_text.substr(0, 3) == "\xEF\xBB\xBF") m_pos = 3;
        SkipBlanks();
        if (AtEnd()) Fail(m_file, m_line, "the file is empty");
        JsonValue root = ReadValue(0);
        SkipBlanks();
        if (!AtEnd()) Fail(m_file, m_line, "unexpected text after the end of the scenario");
        return root;
    }

private:
    static constexpr int kMaxDepth = 64;

    bool AtEnd() const { return m_pos >= m_text.size(); }
    char Peek(std::size_t ahead = 0) const {
        return m_pos + ahead < m_text.size() ? m_text[m_pos + ahead] : '\0';
    }

    void SkipBlanks() {
        while (!AtEnd()) {
            const char c = Peek();
            if (c == '\n') {
                ++m_line;
                ++m_pos;
            } else if (c == ' ' || c == '\t' || c == '\r') {
                ++m_pos;
            } else if (c == '/' && Peek(1) == '/') {
                while (!AtEnd() && Peek() != '\n') ++m_pos;
            } else if (c == '/' && Peek(1) == '*') {
                const int start = m_line;
                m_pos += 2;
                while (!(Peek() == '*' && Peek(1) == '/')) {
                    if (AtEnd()) Fail(m_file, start, "a /* comment is not closed");
                    if (Peek() == '\n') ++m_line;
                    ++m_pos;
                }
                m_pos += 2;
            } else {
                return;
            }
        }
    }

    JsonValue ReadValue(int depth) {
        SkipBlanks();
        if (AtEnd()) Fail(m_file, m_line, "unexpected end of the file, a value is missing");
        const char c = Peek();
        if (c == '{' || c == '[') {
            if (depth >= kMaxDepth) Fail(m_file, m_line, "nested too deeply");
            return c == '{' ? ReadObject(depth) : ReadArray(depth);
        }
        JsonValue value;
        value.line = m_line;
        if (c == '"') {
            value.kind = JsonValue::Kind::String;
            value.text = ReadString();
        } else if (c == '-' || IsDigit(c)) {
            ReadNumber(value);
        } else if (IsAlpha(c)) {
            std::size_t end = m_pos;
            while (end < m_text.size() && (IsAlpha(m_text[end]) || IsDigit(m_text[end]))) ++end;
            const std::string_view word = m_text.substr(m_pos, end - m_pos);
            if (word == "true" || word == "false") {
                value.kind = JsonValue::Kind::Bool;
                value.boolean = word == "true";
            } else if (word != "null") {
                Fail(m_file, m_line,
                     "unexpected word " + Quoted(word) + " (texts are written in double quotes)");
            }
            m_pos = end;
        } else if (c == ',' || c == '}' || c == ']') {
            Fail(m_file, m_line, "a value is missing before \"" + std::string(1, c) + "\"");
        } else {
            const bool printable = static_cast<unsigned char>(c) > 0x20 && c != 0x7f;
            char code[8];
            std::snprintf(code, sizeof code, "0x%02X", static_cast<unsigned char>(c));
            Fail(m_file, m_line,
                 "unexpected character " + (printable ? Quoted(std::string(1, c)) : code));
        }
        return value;
    }

    JsonValue ReadObject(int depth) {
        JsonValue object;
        object.kind = JsonValue::Kind::Object;
        object.line = m_line;
        ++m_pos;
        SkipBlanks();
        if (Peek() == '}') {
            ++m_pos;
            return object;
        }
        std::unordered_set<std::string> keys;
        for (;;) {
            SkipBlanks();
            if (AtEnd()) NotClosed("object", object.line);
            if (Peek() != '"') Fail(m_file, m_line, "expected a key in double quotes");
            JsonMember member;
            member.line = m_line;
            member.key = ReadString();
            if (!keys.insert(member.key).second) Fail(m_file, member.line, "duplicate key " + Quoted(member.key));
            SkipBlanks();
            if (Peek() != ':') Fail(m_file, m_line, "expected \":\" after the key " + Quoted(member.key));
            ++m_pos;
            member.value = ReadValue(depth + 1);
            object.members.push_back(std::move(member));
            if (!Separator('}', "object", object.line)) return object;
        }
    }

    JsonValue ReadArray(int depth) {
        JsonValue array;
        array.kind = JsonValue::Kind::Array;
        array.line = m_line;
        ++m_pos;
        SkipBlanks();
        if (Peek() == ']') {
            ++m_pos;
            return array;
        }
        do {
            array.items.push_back(ReadValue(depth + 1));
        } while (Separator(']', "array", array.line));
        return array;
    }

    // After a member or item: true at a comma (more follows), false at the closing bracket.
    bool Separator(char close, const char* what, int openLine) {
        SkipBlanks();
        if (Peek() == close) {
            ++m_pos;
            return false;
        }
        if (Peek() == ',') {
            const int commaLine = m_line;
            ++m_pos;
            SkipBlanks();
            if (Peek() == close)
                Fail(m_file, commaLine, "trailing comma before \"" + std::string(1, close) + "\"");
            return true;
        }
        if (AtEnd()) NotClosed(what, openLine);
        Fail(m_file, m_line, "expected \",\" or \"" + std::string(1, close) + "\"");
    }

    [[noreturn]] void NotClosed(const char* what, int openLine) {
        Fail(m_file, m_line,
             "unexpected end of the file, the " + std::string(what) + " opened on line " +
                 std::to_string(openLine) + " is not closed");
    }

    std::string ReadString() {
        const int start = m_line;
        ++m_pos;
        std::string out;
        for (;;) {
            if (AtEnd() || Peek() == '\n') Fail(m_file, start, "a text in double quotes is not closed");
            const char c = m_text[m_pos++];
            if (c == '"') return out;
            if (static_cast<unsigned char>(c) < 0x20) Fail(m_file, m_line, "control character in a text");
            if (c != '\\') {
                out += c;
                continue;
            }
            if (AtEnd()) Fail(m_file, start, "a text in double quotes is not closed");
            const char e = Peek();
            ++m_pos;
            switch (e) {
                case '"': out += '"'; break;
                case '\\': out += '\\'; break;
                case '/': out += '/'; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'n': out += '\n'; break;
                case 'r': out += '\r'; break;
                case 't': out += '\t'; break;
                case 'u': AppendUtf8(out, ReadUnicodeEscape()); break;
                default:
                    Fail(m_file, m_line,
                         "unknown escape \"\\" + std::string(1, e) +
                             "\" in a text (a backslash is written \"\\\\\")");
            }
        }
    }

    // After "\u": four hex digits, and a second escape for a character beyond 0xFFFF.
    std::uint32_t ReadUnicodeEscape() {
        auto hex4 = [this]() {
            std::uint32_t value = 0;
            for (int i = 0; i < 4; ++i) {
                const int digit = HexDigit(Peek());
                if (digit < 0) Fail(m_file, m_line, "\"\\u\" must be followed by four hex digits");
                value = value * 16 + static_cast<std::uint32_t>(digit);
                ++m_pos;
            }
            return value;
        };
        const std::uint32_t first = hex4();
        if (first >= 0xDC00 && first <= 0xDFFF) Fail(m_file, m_line, "a lone surrogate in \"\\u\"");
        if (first < 0xD800 || first > 0xDBFF) return first;
        if (Peek() != '\\' || Peek(1) != 'u') Fail(m_file, m_line, "a lone surrogate in \"\\u\"");
        m_pos += 2;
        const std::uint32_t second = hex4();
        if (second < 0xDC00 || second > 0xDFFF) Fail(m_file, m_line, "a lone surrogate in \"\\u\"");
        return 0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00);
    }

    static void AppendUtf8(std::string& out, std::uint32_t cp) {
        auto byte = [&out](std::uint32_t b) { out += static_cast<char>(b); };
        if (cp < 0x80) {
            byte(cp);
        } else if (cp < 0x800) {
            byte(0xC0 | (cp >> 6));
            byte(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            byte(0xE0 | (cp >> 12));
            byte(0x80 | ((cp >> 6) & 0x3F));
            byte(0x80 | (cp & 0x3F));
        } else {
            byte(0xF0 | (cp >> 18));
            byte(0x80 | ((cp >> 12) & 0x3F));
            byte(0x80 | ((cp >> 6) & 0x3F));
            byte(0x80 | (cp & 0x3F));
        }
    }

    void ReadNumber(JsonValue& value) {
        value.kind = JsonValue::Kind::Number;
        const std::size_t start = m_pos;
        auto digits = [this]() {
            if (!IsDigit(Peek())) return false;
            while (IsDigit(Peek())) ++m_pos;
            return true;
        };
        bool ok = true;
        if (Peek() == '-') ++m_pos;
        if (Peek() == '0') ++m_pos;
        else ok = digits();
        bool whole = true;
        if (ok && Peek() == '.') {
            ++m_pos;
            whole = false;
            ok = digits();
        }
        if (ok && (Peek() == 'e' || Peek() == 'E')) {
            ++m_pos;
            whole = false;
            if (Peek() == '+' || Peek() == '-') ++m_pos;
            ok = digits();
        }
        while (IsAlpha(Peek()) || IsDigit(Peek()) || Peek() == '.') {
            ok = false;
            ++m_pos;
        }
        value.text = std::string(m_text.substr(start, m_pos - start));
        if (!ok) Fail(m_file, value.line, "bad number " + Quoted(value.text));
        std::int64_t n = 0;
        const char* end = m_text.data() + m_pos;
        if (whole && std::from_chars(m_text.data() + start, end, n).ptr == end) value.integer = n;
    }

    std::string_view m_text;
    const std::string& m_file;
    std::size_t m_pos = 0;
    int m_line = 1;
};

}  // namespace

JsonValue ReadJsonDocument(std::string_view text, const std::string& file)
{
    return JsonReader(text, file).ReadDocument();
}

}  // namespace sim::json
