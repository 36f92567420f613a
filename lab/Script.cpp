#include "lab/Script.h"

#include <charconv>
#include <climits>
#include <set>

#include "sim/HostFile.h"
#include "sim/Words.h"

namespace lab {
namespace {

using Token = sim::Word;

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        size_t extra = 0;
        unsigned int cp = 0;
        unsigned int least = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1, cp = c & 0x1F, least = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2, cp = c & 0x0F, least = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3, cp = c & 0x07, least = 0x10000;
        } else {
            return false;
        }
        if (i + extra >= s.size()) return false;
        for (size_t k = 1; k <= extra; ++k) {
            const auto cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += extra + 1;
    }
    return true;
}

bool IsIdentifier(std::string_view s) {
    if (s.empty()) return false;
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
        const bool digit = c >= '0' && c <= '9';
        if (!letter && !(digit && i > 0)) return false;
    }
    return true;
}

// Screenshots become OUT/NAME.png, so a name must stay a plain file name.
bool IsFileName(std::string_view s) {
    if (s.empty() || s.front() == '.') return false;
    for (char c : s) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                        (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.';
        if (!ok) return false;
    }
    return true;
}

bool IsAllDigits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

std::optional<long long> ParseInteger(std::string_view s) {
    long long v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return v;
}

// "a control ID" -> "control ID"
std::string_view Noun(std::string_view what) {
    if (what.starts_with("a ")) return what.substr(2);
    if (what.starts_with("an ")) return what.substr(3);
    return what;
}

std::string Quoted(std::string_view s) {
    return "\"" + std::string(s) + "\"";
}

std::string Shown(const Token& t) {
    return t.quoted ? t.raw : Quoted(t.value);
}

class LineParser;
using ArgsParser = void (*)(LineParser&);

struct Syntax {
    std::string_view name;
    Op op;
    ArgsParser args;
};

class LineParser {
public:
    LineParser(const std::string& fileName, int lineNo, ScriptLine& out, std::set<std::string>& marks)
        : m_fileName(fileName), m_lineNo(lineNo), m_out(out), m_marks(marks) {}

    [[noreturn]] void Fail(const std::string& reason) const {
        throw ScriptError(m_fileName + ":" + std::to_string(m_lineNo) + ": " + reason);
    }

    void Tokenize(std::string_view s);
    bool Empty() const { return m_tokens.empty(); }
    void Parse();

    // Argument readers, each appending to the line's fields.
    void Id() { m_out.numbers.push_back(Integer("a control ID", 0, INT_MAX)); }
    void Number(std::string_view what = "a number") { m_out.numbers.push_back(Integer(what, 0, INT_MAX)); }
    void Coordinate() { m_out.numbers.push_back(Integer("a number", INT_MIN, INT_MAX)); }
    // -1 is the index of no error.
    void ErrorIndex() { m_out.numbers.push_back(Integer("an error index", -1, INT_MAX)); }
    void PixelHeight() { m_out.numbers.push_back(Integer("a pixel height", 1, INT_MAX)); }
    void Text(std::string_view what = "a text") { m_out.texts.push_back(TakeText(what)); }
    void OptionalText(std::string_view what) {
        if (AtEnd()) return;
        Text(what);
        m_out.hasText = true;
    }
    void Texts(std::string_view what) {
        while (!AtEnd()) Text(what);
    }
    void ClassName();
    void ScreenshotName();
    void MarkName() { m_marks.insert(m_out.texts.emplace_back(TakeWord("a name").value)); }
    void SinceMark();
    void KeyArg();
    void WorldArgs();
    void StartArgs();
    void LockOrOpen() { m_out.flag = Choice("lock or open", "lock", "open"); }
    void ConnectedArg();
    void OptionalBold();
    void SleepDuration() { m_out.durationMs = Duration(); }
    long long Duration(std::string_view what = "a duration");

private:
    bool AtEnd() const { return m_pos >= m_end; }
    const Token& Take(std::string_view what);
    const Token& TakeWord(std::string_view what);
    std::string TakeText(std::string_view what);
    long long Integer(std::string_view what, long long least, long long most);
    bool Choice(std::string_view what, std::string_view yes, std::string_view no);
    void ExpectEnd() const;

    const std::string& m_fileName;
    int m_lineNo;
    ScriptLine& m_out;
    std::set<std::string>& m_marks;
    std::vector<Token> m_tokens;
    size_t m_pos = 0;
    size_t m_end = 0;
    std::string m_command;  // the words naming the line, for messages
};

bool IsWait(Op op) {
    return op >= Op::WaitState && op <= Op::WaitExit;
}

// Every line the language has: its words, its op and how its arguments read.
const Syntax kSyntax[] = {
    {"click", Op::Click, [](LineParser& p) { p.Id(); }},
    {"double-click", Op::DoubleClick, [](LineParser& p) { p.Id(); }},
    {"hover", Op::Hover, [](LineParser& p) { p.Id(); }},
    {"type", Op::Type, [](LineParser& p) { p.Text(); }},
    {"key", Op::Key, [](LineParser& p) { p.KeyArg(); }},
    {"select-network", Op::SelectNetwork, [](LineParser& p) { p.Text("an SSID"); }},
    {"open-network", Op::OpenNetwork, [](LineParser& p) { p.Text("an SSID"); }},
    {"choose", Op::Choose, [](LineParser& p) { p.Id(); p.Number("an index"); }},
    {"close", Op::Close, [](LineParser&) {}},
    {"sleep", Op::Sleep, [](LineParser& p) { p.SleepDuration(); }},
    {"world", Op::World, [](LineParser& p) { p.WorldArgs(); }},
    {"screenshot", Op::Screenshot, [](LineParser& p) { p.ScreenshotName(); }},
    {"start", Op::Start, [](LineParser& p) { p.StartArgs(); }},
    {"wait state", Op::WaitState, [](LineParser& p) { p.Number(); }},
    {"wait dialog", Op::WaitDialog, [](LineParser& p) { p.ClassName(); }},
    {"wait gone", Op::WaitGone, [](LineParser& p) { p.ClassName(); }},
    {"wait visible", Op::WaitVisible, [](LineParser& p) { p.Id(); }},
    {"wait enabled", Op::WaitEnabled, [](LineParser& p) { p.Id(); }},
    {"wait log", Op::WaitLog, [](LineParser& p) { p.Text(); }},
    {"wait exit", Op::WaitExit, [](LineParser&) {}},
    {"expect state", Op::ExpectState, [](LineParser& p) { p.Number(); }},
    {"expect dialog", Op::ExpectDialog, [](LineParser& p) { p.ClassName(); }},
    {"expect no-dialog", Op::ExpectNoDialog, [](LineParser&) {}},
    {"expect visible", Op::ExpectVisible, [](LineParser& p) { p.Id(); }},
    {"expect hidden", Op::ExpectHidden, [](LineParser& p) { p.Id(); }},
    {"expect enabled", Op::ExpectEnabled, [](LineParser& p) { p.Id(); }},
    {"expect disabled", Op::ExpectDisabled, [](LineParser& p) { p.Id(); }},
    {"expect text", Op::ExpectText, [](LineParser& p) { p.Id(); p.Text(); }},
    {"expect rect", Op::ExpectRect,
     [](LineParser& p) { p.Id(); p.Coordinate(); p.Coordinate(); p.Number(); p.Number(); }},
    {"expect log", Op::ExpectLog, [](LineParser& p) { p.Text(); }},
    {"expect no-log", Op::ExpectNoLog, [](LineParser& p) { p.Text(); }},
    {"expect log-file", Op::ExpectLogFile, [](LineParser& p) { p.Text(); }},
    {"expect registry", Op::ExpectRegistry,
     [](LineParser& p) { p.Text("a key"); p.Text("a value name"); p.Text("the data"); }},
    {"expect no-registry", Op::ExpectNoRegistry,
     [](LineParser& p) { p.Text("a key"); p.OptionalText("a value name"); }},
    {"expect clipboard", Op::ExpectClipboard, [](LineParser& p) { p.Text(); }},
    {"expect error-index", Op::ExpectErrorIndex, [](LineParser& p) { p.ErrorIndex(); }},
    {"expect language", Op::ExpectLanguage, [](LineParser& p) { p.Number(); }},
    {"expect profile", Op::ExpectProfile, [](LineParser& p) { p.Text(); }},
    {"expect document", Op::ExpectDocument, [](LineParser& p) { p.Text("a part of a path"); }},
    {"expect opened", Op::ExpectOpened, [](LineParser& p) { p.Text("a part of an address"); }},
    {"expect file", Op::ExpectFile, [](LineParser& p) { p.Text("a path"); p.Text(); }},
    {"expect no-file", Op::ExpectNoFile, [](LineParser& p) { p.Text("a path"); }},
    {"expect rows", Op::ExpectRows, [](LineParser& p) { p.Texts("an SSID"); }},
    {"expect row", Op::ExpectRow,
     [](LineParser& p) {
         p.Text("an SSID");
         p.Text("a security text");
         p.LockOrOpen();
         p.Number("a number of bars");
     }},
    {"expect connected", Op::ExpectConnected, [](LineParser& p) { p.ConnectedArg(); }},
    {"expect valid-pin", Op::ExpectValidPin, [](LineParser& p) { p.Id(); }},
    {"expect image", Op::ExpectImage, [](LineParser& p) { p.Id(); p.Number("a picture number"); }},
    {"expect font", Op::ExpectFont, [](LineParser& p) { p.Id(); p.PixelHeight(); p.OptionalBold(); }},
    {"mark", Op::Mark, [](LineParser& p) { p.MarkName(); }},
    {"expect since", Op::ExpectSince, [](LineParser& p) { p.SinceMark(); }},
    {"expect exit", Op::ExpectExit, [](LineParser&) {}},
    {"show-page", Op::ShowPage, [](LineParser& p) { p.Number(); }},
    {"audit-layout", Op::AuditLayout, [](LineParser& p) { p.ScreenshotName(); }},
};

const Syntax* FindSyntax(std::string_view name) {
    for (const Syntax& s : kSyntax)
        if (s.name == name) return &s;
    return nullptr;
}

struct KeySpelling {
    std::string_view name;
    Key key;
};
const KeySpelling kKeys[] = {
    {"Enter", Key::Enter}, {"Escape", Key::Escape}, {"Space", Key::Space},
    {"Tab", Key::Tab},     {"Up", Key::Up},         {"Down", Key::Down},
    {"Home", Key::Home},   {"End", Key::End},       {"Backspace", Key::Backspace},
    {"Alt+F4", Key::AltF4},
};

void LineParser::Tokenize(std::string_view s) {
    auto split = sim::SplitWords(s);
    if (auto* reason = std::get_if<std::string>(&split)) Fail(*reason);
    m_tokens = std::move(std::get<std::vector<Token>>(split));
}

void LineParser::Parse() {
    const Token& first = m_tokens.front();
    if (first.quoted) Fail("a line starts with an action, not the text " + first.raw);
    std::string name = first.value;
    m_pos = 1;
    if (name == "wait" || name == "expect") {
        if (m_tokens.size() < 2 || m_tokens[1].quoted)
            Fail(Quoted(name) + (name == "wait" ? " needs a condition" : " needs a check"));
        name += " " + m_tokens[1].value;
        m_pos = 2;
    }
    const Syntax* syntax = FindSyntax(name);
    if (!syntax) Fail("unknown action " + Quoted(name));
    m_out.op = syntax->op;
    m_command = name;

    // A wait's time limit is its trailing `within DURATION`; read the rest without it.
    m_end = m_tokens.size();
    size_t within = m_end;
    if (IsWait(syntax->op)) {
        for (size_t k = m_pos; k < m_tokens.size(); ++k) {
            if (!m_tokens[k].quoted && m_tokens[k].value == "within") {
                within = m_end = k;
                break;
            }
        }
    }
    syntax->args(*this);
    ExpectEnd();
    if (within < m_tokens.size()) {
        m_command = "within";
        m_pos = within + 1;
        m_end = m_tokens.size();
        m_out.withinMs = Duration();
        ExpectEnd();
    }
}

const Token& LineParser::Take(std::string_view what) {
    if (AtEnd()) Fail(Quoted(m_command) + " needs " + std::string(what));
    return m_tokens[m_pos++];
}

const Token& LineParser::TakeWord(std::string_view what) {
    const Token& t = Take(what);
    if (t.quoted) Fail(Quoted(m_command) + " needs " + std::string(what) + ", not the text " + t.raw);
    return t;
}

std::string LineParser::TakeText(std::string_view what) {
    const Token& t = Take(what);
    if (!t.quoted)
        Fail(Quoted(m_command) + " needs " + std::string(what) + " in double quotes, not the word " +
             Quoted(t.value));
    return t.value;
}

long long LineParser::Integer(std::string_view what, long long least, long long most) {
    const Token& t = TakeWord(what);
    const auto v = ParseInteger(t.value);
    if (!v || *v < least || *v > most) Fail("bad " + std::string(Noun(what)) + " " + Quoted(t.value));
    return *v;
}

long long LineParser::Duration(std::string_view what) {
    const Token& t = TakeWord(what);
    // "3 s": a unit written apart from its number is a malformed duration, not an extra word.
    if (IsAllDigits(t.value) && !AtEnd()) {
        const Token& unit = m_tokens[m_pos];
        if (!unit.quoted && (unit.value == "ms" || unit.value == "s" || unit.value == "m"))
            Fail("bad duration " + Quoted(t.value + " " + unit.value));
    }
    const auto ms = ParseDurationMs(t.value);
    if (!ms) Fail("bad duration " + Quoted(t.value));
    if (*ms > kMaxDurationMs)
        Fail("bad duration " + Quoted(t.value) + ": longer than 24 hours, the most a script line may wait");
    return *ms;
}

bool LineParser::Choice(std::string_view what, std::string_view yes, std::string_view no) {
    const Token& t = TakeWord(what);
    if (t.value == yes) return true;
    if (t.value == no) return false;
    Fail(Quoted(m_command) + " needs " + std::string(what) + ", not " + Quoted(t.value));
}

void LineParser::ExpectEnd() const {
    if (!AtEnd()) Fail("too many arguments for " + Quoted(m_command) + ": " + Shown(m_tokens[m_pos]));
}

void LineParser::ClassName() {
    const Token& t = TakeWord("a class name");
    if (!IsIdentifier(t.value)) Fail("bad class name " + Quoted(t.value));
    m_out.texts.push_back(t.value);
}

void LineParser::ScreenshotName() {
    const Token& t = TakeWord("a name");
    if (!IsFileName(t.value)) Fail("bad screenshot name " + Quoted(t.value));
    m_out.texts.push_back(t.value);
}

void LineParser::SinceMark() {
    const std::string& name = m_out.texts.emplace_back(TakeWord("a mark name").value);
    if (!m_marks.contains(name)) Fail("no \"mark " + name + "\" before this line");
    const size_t minAt = m_pos;
    m_out.minMs = Duration("a shortest duration");
    m_out.maxMs = Duration("a longest duration");
    if (m_out.minMs > m_out.maxMs)
        Fail("shortest duration " + Quoted(m_tokens[minAt].value) + " is longer than " +
             Quoted(m_tokens[minAt + 1].value));
}

void LineParser::KeyArg() {
    const Token& t = TakeWord("a key name");
    for (const KeySpelling& k : kKeys) {
        if (k.name == t.value) {
            m_out.key = k.key;
            return;
        }
    }
    Fail("unknown key " + Quoted(t.value));
}

void LineParser::WorldArgs() {
    const Token& t = TakeWord("an event");
    const sim::WorldEventSpelling* spelling = sim::FindWorldEvent(t.value);
    if (!spelling) Fail("unknown world event " + Quoted(t.value));
    m_out.event = spelling->event;
    m_command = "world " + t.value;
    if (spelling->arg == sim::WorldEventArg::Ssid) Text("an SSID");
    if (spelling->arg == sim::WorldEventArg::OnOff) m_out.flag = Choice("on or off", "on", "off");
}

void LineParser::StartArgs() {
    std::string commandLine;
    for (; !AtEnd(); ++m_pos) {
        if (m_out.hasText) commandLine += ' ';
        commandLine += m_tokens[m_pos].value;
        m_out.hasText = true;
    }
    if (m_out.hasText) m_out.texts.push_back(std::move(commandLine));
}

void LineParser::ConnectedArg() {
    const Token& t = Take("an SSID or none");
    if (t.quoted) {
        m_out.texts.push_back(t.value);
    } else if (t.value == "none") {
        m_out.flag = true;
    } else {
        Fail(Quoted(m_command) + " needs an SSID in double quotes or none, not " + Quoted(t.value));
    }
}

void LineParser::OptionalBold() {
    if (!AtEnd() && !m_tokens[m_pos].quoted && m_tokens[m_pos].value == "bold") {
        m_out.flag = true;
        ++m_pos;
    }
}

}  // namespace


Script ParseScript(const std::string& text, const std::string& fileName) {
    Script script;
    script.fileName = fileName;
    std::set<std::string> marks;
    std::string_view rest = text;
    if (rest.starts_with("\xEF\xBB\xBF")) rest.remove_prefix(3);
    int lineNo = 0;
    while (!rest.empty()) {
        ++lineNo;
        const size_t newline = rest.find('\n');
        std::string_view source = rest.substr(0, newline);
        rest.remove_prefix(newline == std::string_view::npos ? rest.size() : newline + 1);
        if (source.ends_with('\r')) source.remove_suffix(1);

        ScriptLine line;
        line.line = lineNo;
        line.source = std::string(source);
        LineParser parser(script.fileName, lineNo, line, marks);
        if (!IsValidUtf8(source)) parser.Fail("not valid UTF-8");
        parser.Tokenize(source);
        if (parser.Empty()) continue;
        parser.Parse();
        script.lines.push_back(std::move(line));
    }
    return script;
}

Script LoadScriptFile(const std::string& path) {
    std::string content;
    try {
        content = sim::ReadHostFile(path, sim::kMaxLabFileBytes);
    } catch (const sim::HostFileError& e) {
        throw ScriptError(e.what());
    }
    return ParseScript(content, path);
}

std::string OpName(Op op) {
    for (const Syntax& s : kSyntax)
        if (s.op == op) return std::string(s.name);
    return "op " + std::to_string(static_cast<int>(op));
}

std::string KeyName(Key key) {
    for (const KeySpelling& k : kKeys)
        if (k.key == key) return std::string(k.name);
    return "key " + std::to_string(static_cast<int>(key));
}


}  // namespace lab
