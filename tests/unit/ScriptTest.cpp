#include "lab/Script.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace {

using lab::Key;
using lab::Op;
using lab::ScriptLine;
using lab::WorldEvent;

// The last line of a script; earlier lines set up what it needs (a mark).
ScriptLine ParseLast(const std::string& text) {
    const lab::Script script = lab::ParseScript(text, "t.tcs");
    if (script.lines.empty()) throw std::logic_error("no line in: " + text);
    return script.lines.back();
}

std::string ErrorOf(const std::string& text, const std::string& fileName = "x.tcs") {
    try {
        lab::ParseScript(text, fileName);
    } catch (const lab::ScriptError& e) {
        return e.what();
    }
    return "(no error)";
}

struct ValidCase {
    std::string script;
    Op op;
    std::vector<std::string> texts = {};
    std::vector<long long> numbers = {};
    long long durationMs = 0;
    std::optional<long long> withinMs = {};
    bool flag = false;
    bool hasText = false;
    Key key = Key::Enter;
    WorldEvent event = WorldEvent::Plug;
    long long minMs = 0;
    long long maxMs = 0;
};

const ValidCase kValid[] = {
    {.script = "click 1001", .op = Op::Click, .numbers = {1001}},
    {.script = "click 5 # the Next button", .op = Op::Click, .numbers = {5}},
    {.script = "click 5#no blank before the comment", .op = Op::Click, .numbers = {5}},
    {.script = "double-click 0", .op = Op::DoubleClick, .numbers = {0}},
    {.script = "hover 1017", .op = Op::Hover, .numbers = {1017}},
    {.script = R"(type "correct horse")", .op = Op::Type, .texts = {"correct horse"}},
    {.script = R"(type "")", .op = Op::Type, .texts = {""}},
    {.script = "key Enter", .op = Op::Key, .key = Key::Enter},
    {.script = "key Alt+F4", .op = Op::Key, .key = Key::AltF4},
    {.script = "key Backspace", .op = Op::Key, .key = Key::Backspace},
    {.script = R"(select-network "Home")", .op = Op::SelectNetwork, .texts = {"Home"}},
    {.script = R"(open-network "Home 5G")", .op = Op::OpenNetwork, .texts = {"Home 5G"}},
    {.script = "choose 1003 2", .op = Op::Choose, .numbers = {1003, 2}},
    {.script = "close", .op = Op::Close},
    {.script = "sleep 500ms", .op = Op::Sleep, .durationMs = 500},
    {.script = "sleep 3s", .op = Op::Sleep, .durationMs = 3000},
    {.script = "sleep 2m", .op = Op::Sleep, .durationMs = 120000},
    {.script = "sleep 250", .op = Op::Sleep, .durationMs = 250},
    {.script = "sleep 0", .op = Op::Sleep, .durationMs = 0},
    {.script = "world plug", .op = Op::World, .event = WorldEvent::Plug},
    {.script = "world unplug", .op = Op::World, .event = WorldEvent::Unplug},
    {.script = R"(world wps-button "Home")", .op = Op::World, .texts = {"Home"}, .event = WorldEvent::WpsButton},
    {.script = R"(world router-pin "Home")", .op = Op::World, .texts = {"Home"}, .event = WorldEvent::RouterPin},
    {.script = "world internet on", .op = Op::World, .flag = true, .event = WorldEvent::Internet},
    {.script = "world internet off", .op = Op::World, .flag = false, .event = WorldEvent::Internet},
    {.script = "world gateway on", .op = Op::World, .flag = true, .event = WorldEvent::Gateway},
    {.script = R"(world network-on "Cafe")", .op = Op::World, .texts = {"Cafe"}, .event = WorldEvent::NetworkOn},
    {.script = R"(world network-off "Cafe")", .op = Op::World, .texts = {"Cafe"}, .event = WorldEvent::NetworkOff},
    {.script = "screenshot welcome-page_1.2", .op = Op::Screenshot, .texts = {"welcome-page_1.2"}},
    {.script = "start", .op = Op::Start},
    {.script = "start # no command line", .op = Op::Start},
    {.script = "start /show driver", .op = Op::Start, .texts = {"/show driver"}, .hasText = true},
    {.script = "start \t/show   driver  ", .op = Op::Start, .texts = {"/show driver"}, .hasText = true},
    {.script = R"(start "/show driver ")", .op = Op::Start, .texts = {"/show driver "}, .hasText = true},
    {.script = R"(start /a "b  c" d)", .op = Op::Start, .texts = {"/a b  c d"}, .hasText = true},
    {.script = R"(start "")", .op = Op::Start, .texts = {""}, .hasText = true},
    {.script = "start within 3s", .op = Op::Start, .texts = {"within 3s"}, .hasText = true},
    {.script = "wait state 3", .op = Op::WaitState, .numbers = {3}},
    {.script = "wait state 3 within 20s", .op = Op::WaitState, .numbers = {3}, .withinMs = 20000},
    {.script = "wait dialog CPasswordDlg", .op = Op::WaitDialog, .texts = {"CPasswordDlg"}},
    {.script = "wait gone MessageBox within 1m", .op = Op::WaitGone, .texts = {"MessageBox"}, .withinMs = 60000},
    {.script = "wait visible 1001", .op = Op::WaitVisible, .numbers = {1001}},
    {.script = "wait enabled 1 within 1500", .op = Op::WaitEnabled, .numbers = {1}, .withinMs = 1500},
    {.script = R"(wait log "within 3s" within 90s)", .op = Op::WaitLog, .texts = {"within 3s"}, .withinMs = 90000},
    {.script = "wait exit", .op = Op::WaitExit},
    {.script = "wait exit within 0", .op = Op::WaitExit, .withinMs = 0},
    {.script = "expect state 0", .op = Op::ExpectState, .numbers = {0}},
    {.script = "expect dialog MessageBox", .op = Op::ExpectDialog, .texts = {"MessageBox"}},
    {.script = "expect no-dialog", .op = Op::ExpectNoDialog},
    {.script = "expect visible 1001", .op = Op::ExpectVisible, .numbers = {1001}},
    {.script = "expect hidden 1002", .op = Op::ExpectHidden, .numbers = {1002}},
    {.script = "expect enabled 1", .op = Op::ExpectEnabled, .numbers = {1}},
    {.script = "expect disabled 2", .op = Op::ExpectDisabled, .numbers = {2}},
    {.script = R"(expect text 1002 "Next >")", .op = Op::ExpectText, .texts = {"Next >"}, .numbers = {1002}},
    {.script = "expect rect 1001 -2 10 75 23", .op = Op::ExpectRect, .numbers = {1001, -2, 10, 75, 23}},
    {.script = R"(expect log "Connected")", .op = Op::ExpectLog, .texts = {"Connected"}},
    {.script = R"(expect no-log "Error")", .op = Op::ExpectNoLog, .texts = {"Error"}},
    {.script = R"(expect log-file "Start")", .op = Op::ExpectLogFile, .texts = {"Start"}},
    {.script = R"(expect registry "HKLM\Software\Tesra Systems" "adapter" "QW4100")",
     .op = Op::ExpectRegistry, .texts = {R"(HKLM\Software\Tesra Systems)", "adapter", "QW4100"}},
    {.script = R"(expect no-registry "HKCU\Software\Tesra")", .op = Op::ExpectNoRegistry,
     .texts = {R"(HKCU\Software\Tesra)"}, .hasText = false},
    {.script = R"(expect no-registry "HKCU\Software\Tesra" "language")", .op = Op::ExpectNoRegistry,
     .texts = {R"(HKCU\Software\Tesra)", "language"}, .hasText = true},
    {.script = R"(expect clipboard "Model:\r\n QW4100")", .op = Op::ExpectClipboard, .texts = {"Model:\r\n QW4100"}},
    {.script = "expect error-index 3", .op = Op::ExpectErrorIndex, .numbers = {3}},
    {.script = "expect language 1033", .op = Op::ExpectLanguage, .numbers = {1033}},
    {.script = R"(expect profile "<keyMaterial>x</keyMaterial>")", .op = Op::ExpectProfile,
     .texts = {"<keyMaterial>x</keyMaterial>"}},
    {.script = R"(expect document "licence\1033")", .op = Op::ExpectDocument, .texts = {R"(licence\1033)"}},
    {.script = R"(expect opened "https://")", .op = Op::ExpectOpened, .texts = {"https://"}},
    {.script = R"(expect file "C:\Windows\setup.log" "done")", .op = Op::ExpectFile,
     .texts = {R"(C:\Windows\setup.log)", "done"}},
    {.script = R"(expect no-file "C:\a.txt")", .op = Op::ExpectNoFile, .texts = {R"(C:\a.txt)"}},
    {.script = "expect rows", .op = Op::ExpectRows},
    {.script = R"(expect rows "Home" "" "Cafe")", .op = Op::ExpectRows, .texts = {"Home", "", "Cafe"}},
    {.script = R"(expect row "Home" "WPA2-Personal" lock 4)", .op = Op::ExpectRow,
     .texts = {"Home", "WPA2-Personal"}, .numbers = {4}, .flag = true},
    {.script = R"(expect row "Cafe" "Open" open 0)", .op = Op::ExpectRow, .texts = {"Cafe", "Open"},
     .numbers = {0}, .flag = false},
    {.script = R"(expect connected "Home")", .op = Op::ExpectConnected, .texts = {"Home"}, .flag = false},
    {.script = "expect connected none", .op = Op::ExpectConnected, .flag = true},
    {.script = R"(expect connected "none")", .op = Op::ExpectConnected, .texts = {"none"}, .flag = false},
    {.script = "expect valid-pin 1090", .op = Op::ExpectValidPin, .numbers = {1090}},
    {.script = "expect image 1040 147", .op = Op::ExpectImage, .numbers = {1040, 147}},
    {.script = "expect font 1001 16", .op = Op::ExpectFont, .numbers = {1001, 16}, .flag = false},
    {.script = "expect font 1001 16 bold", .op = Op::ExpectFont, .numbers = {1001, 16}, .flag = true},
    {.script = "mark lap", .op = Op::Mark, .texts = {"lap"}},
    {.script = "mark lap\nexpect since lap 1s 2m", .op = Op::ExpectSince, .texts = {"lap"}, .minMs = 1000,
     .maxMs = 120000},
    {.script = "mark a\nmark b\nexpect since a 0 0", .op = Op::ExpectSince, .texts = {"a"}},
    {.script = "expect exit", .op = Op::ExpectExit},
};

TEST(ScriptTest, ValidLinesGiveTheirOpAndFields) {
    for (const ValidCase& c : kValid) {
        SCOPED_TRACE(c.script);
        const ScriptLine line = ParseLast(c.script);
        EXPECT_EQ(line.op, c.op);
        EXPECT_EQ(line.texts, c.texts);
        EXPECT_EQ(line.numbers, c.numbers);
        EXPECT_EQ(line.durationMs, c.durationMs);
        EXPECT_EQ(line.withinMs, c.withinMs);
        EXPECT_EQ(line.flag, c.flag);
        EXPECT_EQ(line.hasText, c.hasText);
        EXPECT_EQ(line.key, c.key);
        EXPECT_EQ(line.event, c.event);
        EXPECT_EQ(line.minMs, c.minMs);
        EXPECT_EQ(line.maxMs, c.maxMs);
        // The runner names a line by its words as written.
        EXPECT_TRUE(line.source.starts_with(lab::OpName(line.op))) << lab::OpName(line.op);
    }
}

TEST(ScriptTest, EveryOpHasItsOwnName) {
    std::set<std::string> names;
    for (int i = 0; i <= static_cast<int>(Op::ExpectExit); ++i) {
        const std::string name = lab::OpName(static_cast<Op>(i));
        EXPECT_FALSE(name.starts_with("op ")) << i;
        EXPECT_TRUE(names.insert(name).second) << name;
    }
}

TEST(ScriptTest, KeyAndEventNamesReadBack) {
    for (int i = 0; i <= static_cast<int>(Key::AltF4); ++i) {
        const Key key = static_cast<Key>(i);
        EXPECT_EQ(ParseLast("key " + lab::KeyName(key)).key, key) << lab::KeyName(key);
    }
    const std::pair<WorldEvent, std::string> events[] = {
        {WorldEvent::Plug, ""}, {WorldEvent::Unplug, ""}, {WorldEvent::WpsButton, " \"A\""},
        {WorldEvent::RouterPin, " \"A\""}, {WorldEvent::Internet, " on"}, {WorldEvent::Gateway, " off"},
        {WorldEvent::NetworkOn, " \"A\""}, {WorldEvent::NetworkOff, " \"A\""}, {WorldEvent::Associate, " \"A\""},
    };
    for (const auto& [event, args] : events) {
        const std::string line = "world " + lab::WorldEventName(event) + args;
        EXPECT_EQ(ParseLast(line).event, event) << line;
    }
}

struct BadCase {
    std::string script;
    std::string error;
};

const BadCase kBad[] = {
    {"clik 5", R"(x.tcs:1: unknown action "clik")"},
    {"close\n\n# a comment\nclik", R"(x.tcs:4: unknown action "clik")"},
    {"Click 5", R"(x.tcs:1: unknown action "Click")"},
    {R"("click" 5)", R"(x.tcs:1: a line starts with an action, not the text "click")"},
    {"wait", R"(x.tcs:1: "wait" needs a condition)"},
    {"expect", R"(x.tcs:1: "expect" needs a check)"},
    {"expect foo", R"(x.tcs:1: unknown action "expect foo")"},
    {"wait for 3", R"(x.tcs:1: unknown action "wait for")"},
    {"wait state", R"(x.tcs:1: "wait state" needs a number)"},
    {"wait state abc", R"(x.tcs:1: bad number "abc")"},
    {R"(wait state "3")", R"(x.tcs:1: "wait state" needs a number, not the text "3")"},
    {"wait state within 3s", R"(x.tcs:1: "wait state" needs a number)"},
    {"wait state 3 4 within 3s", R"(x.tcs:1: too many arguments for "wait state": "4")"},
    {R"(type "abc)", "x.tcs:1: unterminated text"},
    {"close\nclose\n" R"(type "C:\dir\")", "x.tcs:3: unterminated text"},
    {R"(type "abc"def)", R"(x.tcs:1: missing blank after "abc")"},
    {R"(type abc"def")", R"(x.tcs:1: stray quote after "abc")"},
    {"type abc", R"(x.tcs:1: "type" needs a text in double quotes, not the word "abc")"},
    {"type", R"(x.tcs:1: "type" needs a text)"},
    {R"(type "a" "b")", R"(x.tcs:1: too many arguments for "type": "b")"},
    {"sleep", R"(x.tcs:1: "sleep" needs a duration)"},
    {"sleep 3 s", R"(x.tcs:1: bad duration "3 s")"},
    {"sleep 500 ms", R"(x.tcs:1: bad duration "500 ms")"},
    {"sleep 3x", R"(x.tcs:1: bad duration "3x")"},
    {"sleep 1.5s", R"(x.tcs:1: bad duration "1.5s")"},
    {"sleep -5", R"(x.tcs:1: bad duration "-5")"},
    {"sleep s", R"(x.tcs:1: bad duration "s")"},
    {"sleep 3S", R"(x.tcs:1: bad duration "3S")"},
    {"sleep 99999999999999999999", R"(x.tcs:1: bad duration "99999999999999999999")"},
    {"sleep 9223372036854775807m", R"(x.tcs:1: bad duration "9223372036854775807m")"},
    {"sleep 3s 4s", R"(x.tcs:1: too many arguments for "sleep": "4s")"},
    // At most 24 hours of virtual time a line.
    {"sleep 1\nsleep 9223372036854775807",
     R"(x.tcs:2: bad duration "9223372036854775807": longer than 24 hours, the most a script line may wait)"},
    {"sleep 1441m", R"(x.tcs:1: bad duration "1441m": longer than 24 hours, the most a script line may wait)"},
    {"sleep 86400001", R"(x.tcs:1: bad duration "86400001": longer than 24 hours, the most a script line may wait)"},
    {"wait state 8 within 9223372036854775807",
     R"(x.tcs:1: bad duration "9223372036854775807": longer than 24 hours, the most a script line may wait)"},
    {"mark a\nexpect since a 0 86401s",
     R"(x.tcs:2: bad duration "86401s": longer than 24 hours, the most a script line may wait)"},
    {"click", R"(x.tcs:1: "click" needs a control ID)"},
    {"click -1", R"(x.tcs:1: bad control ID "-1")"},
    {"click +5", R"(x.tcs:1: bad control ID "+5")"},
    {"click 0x10", R"(x.tcs:1: bad control ID "0x10")"},
    {"click 3000000000", R"(x.tcs:1: bad control ID "3000000000")"},
    {"click 5 6", R"(x.tcs:1: too many arguments for "click": "6")"},
    {"click 5 within 1s", R"(x.tcs:1: too many arguments for "click": "within")"},
    {"close now", R"(x.tcs:1: too many arguments for "close": "now")"},
    {"choose 1003", R"(x.tcs:1: "choose" needs an index)"},
    {"key", R"(x.tcs:1: "key" needs a key name)"},
    {"key enter", R"(x.tcs:1: unknown key "enter")"},
    {"key F5", R"(x.tcs:1: unknown key "F5")"},
    {R"(key "Enter")", R"(x.tcs:1: "key" needs a key name, not the text "Enter")"},
    {"world", R"(x.tcs:1: "world" needs an event)"},
    {"world explode", R"(x.tcs:1: unknown world event "explode")"},
    {"world internet", R"(x.tcs:1: "world internet" needs on or off)"},
    {"world internet maybe", R"(x.tcs:1: "world internet" needs on or off, not "maybe")"},
    {"world wps-button", R"(x.tcs:1: "world wps-button" needs an SSID)"},
    {"world wps-button Home", R"(x.tcs:1: "world wps-button" needs an SSID in double quotes, not the word "Home")"},
    {R"(world plug "Home")", R"(x.tcs:1: too many arguments for "world plug": "Home")"},
    {"wait exit within", R"(x.tcs:1: "within" needs a duration)"},
    {"wait exit within 5q", R"(x.tcs:1: bad duration "5q")"},
    {"wait exit within 3 s", R"(x.tcs:1: bad duration "3 s")"},
    {"wait exit within 1s 2s", R"(x.tcs:1: too many arguments for "within": "2s")"},
    {"wait dialog", R"(x.tcs:1: "wait dialog" needs a class name)"},
    {"wait dialog 1Dlg", R"(x.tcs:1: bad class name "1Dlg")"},
    {"expect dialog C-Dlg", R"(x.tcs:1: bad class name "C-Dlg")"},
    {"screenshot", R"(x.tcs:1: "screenshot" needs a name)"},
    {"screenshot ../x", R"(x.tcs:1: bad screenshot name "../x")"},
    {"screenshot a/b", R"(x.tcs:1: bad screenshot name "a/b")"},
    {"expect rect 1001 1 2 3", R"(x.tcs:1: "expect rect" needs a number)"},
    {"expect rect 1001 1 2 -3 4", R"(x.tcs:1: bad number "-3")"},
    {R"(expect registry "K" "V")", R"(x.tcs:1: "expect registry" needs the data)"},
    {R"(expect registry "K" "V" 1033)",
     R"(x.tcs:1: "expect registry" needs the data in double quotes, not the word "1033")"},
    {R"(expect no-registry "K" "V" "D")", R"(x.tcs:1: too many arguments for "expect no-registry": "D")"},
    {R"(expect rows "A" B)", R"(x.tcs:1: "expect rows" needs an SSID in double quotes, not the word "B")"},
    {R"(expect row "A" "WPA" maybe 3)", R"(x.tcs:1: "expect row" needs lock or open, not "maybe")"},
    {R"(expect row "A" "WPA" lock)", R"(x.tcs:1: "expect row" needs a number of bars)"},
    {"expect connected", R"(x.tcs:1: "expect connected" needs an SSID or none)"},
    {"expect connected Home",
     R"(x.tcs:1: "expect connected" needs an SSID in double quotes or none, not "Home")"},
    {"expect font 1001 0", R"(x.tcs:1: bad pixel height "0")"},
    {"expect font 1001 16 italic", R"(x.tcs:1: too many arguments for "expect font": "italic")"},
    {"mark", R"(x.tcs:1: "mark" needs a name)"},
    {"expect since lap 1s 2s", R"(x.tcs:1: no "mark lap" before this line)"},
    {"expect since lap 1s 2s\nmark lap", R"(x.tcs:1: no "mark lap" before this line)"},
    {"mark lap\nexpect since lap 1s", R"(x.tcs:2: "expect since" needs a longest duration)"},
    {"mark lap\nexpect since lap 5s 1s", R"(x.tcs:2: shortest duration "5s" is longer than "1s")"},
    {"close\r\nclik\r\n", R"(x.tcs:2: unknown action "clik")"},
    {"type \"\xC3\x28\"", "x.tcs:1: not valid UTF-8"},
    {"# \xED\xA0\x80 a surrogate\n", "x.tcs:1: not valid UTF-8"},
};

TEST(ScriptTest, MalformedLinesNameFileLineAndReason) {
    for (const BadCase& c : kBad) {
        SCOPED_TRACE(c.script);
        EXPECT_EQ(ErrorOf(c.script), c.error);
    }
    EXPECT_EQ(ErrorOf("\n\n\nclik 1001", "walk.tcs"), R"(walk.tcs:4: unknown action "clik")");
    static_assert(std::is_base_of_v<std::runtime_error, lab::ScriptError>);
}

TEST(ScriptTest, CommentsAndBlankLinesAreSkippedAndLinesKeepTheirPlace) {
    const lab::Script script = lab::ParseScript(
        "# scenario: home.json\n"
        "\n"
        "   \t  \n"
        "\tclick 1001   # Next\n"
        "# type \"commented out\n"
        "type \"a # b\" # a comment with \"quotes\n"
        "expect exit",
        "walk.tcs");
    EXPECT_EQ(script.fileName, "walk.tcs");
    ASSERT_EQ(script.lines.size(), 3u);
    EXPECT_EQ(script.lines[0].line, 4);
    EXPECT_EQ(script.lines[0].source, "\tclick 1001   # Next");
    EXPECT_EQ(script.lines[1].line, 6);
    EXPECT_EQ(script.lines[1].texts, std::vector<std::string>{"a # b"});
    EXPECT_EQ(script.lines[2].line, 7);
    EXPECT_EQ(script.lines[2].op, Op::ExpectExit);
    EXPECT_TRUE(lab::ParseScript("", "e.tcs").lines.empty());
    EXPECT_TRUE(lab::ParseScript("# only a comment\n\n", "e.tcs").lines.empty());
}

TEST(ScriptTest, TextEscapes) {
    const std::pair<std::string, std::string> cases[] = {
        {R"("say \"hi\"")", R"(say "hi")"},
        {R"("a\\b")", R"(a\b)"},
        {R"("\r\n\t")", "\r\n\t"},
        {R"("HKLM\Software\Tesra Systems")", R"(HKLM\Software\Tesra Systems)"},
        {R"("\q\0\x41")", R"(\q\0\x41)"},
        {R"("ends in a backslash\\")", R"(ends in a backslash\)"},
        {R"("\\\"")", R"(\")"},
        {R"("\\n")", R"(\n)"},
    };
    for (const auto& [written, text] : cases) {
        SCOPED_TRACE(written);
        EXPECT_EQ(ParseLast("type " + written).texts, std::vector<std::string>{text});
    }
}

TEST(ScriptTest, CrLfLineEnds) {
    const lab::Script script =
        lab::ParseScript("click 1\r\ntype \"a b\"\r\n\r\n# c\r\nstart /show driver\r\nexpect exit", "w.tcs");
    ASSERT_EQ(script.lines.size(), 4u);
    EXPECT_EQ(script.lines[0].source, "click 1");
    EXPECT_EQ(script.lines[1].texts, std::vector<std::string>{"a b"});
    EXPECT_EQ(script.lines[2].line, 5);
    EXPECT_EQ(script.lines[2].texts, std::vector<std::string>{"/show driver"});
    EXPECT_EQ(script.lines[3].op, Op::ExpectExit);
}

TEST(ScriptTest, Utf8TextsAreKeptAsWritten) {
    const std::string arabic = "\xD9\x85\xD8\xB1\xD8\xAD\xD8\xA8\xD8\xA7";  // "marhaba"
    const lab::Script script = lab::ParseScript(
        "\xEF\xBB\xBF"  // a byte-order mark some editors write
        "expect text 1001 \"" + arabic + " \xD8\xA7\xD9\x84\xD8\xB9\xD8\xA7\xD9\x84\xD9\x85\"\n"
        "expect rows \"" + arabic + "\" \"Caf\xC3\xA9\"\n"
        "mark " + arabic + "\n",
        "ar.tcs");
    ASSERT_EQ(script.lines.size(), 3u);
    EXPECT_EQ(script.lines[0].op, Op::ExpectText);
    EXPECT_EQ(script.lines[0].texts,
              std::vector<std::string>{arabic + " \xD8\xA7\xD9\x84\xD8\xB9\xD8\xA7\xD9\x84\xD9\x85"});
    EXPECT_EQ(script.lines[1].texts, (std::vector<std::string>{arabic, "Caf\xC3\xA9"}));
    EXPECT_EQ(script.lines[2].texts, std::vector<std::string>{arabic});
}

TEST(ScriptTest, DurationsInTheirFourForms) {
    const std::pair<std::string, std::optional<long long>> cases[] = {
        {"500ms", 500}, {"3s", 3000}, {"2m", 120000}, {"750", 750}, {"0ms", 0},
        {"", std::nullopt}, {"ms", std::nullopt}, {"3 s", std::nullopt}, {"3h", std::nullopt},
        {"-1s", std::nullopt}, {"1e3", std::nullopt},
    };
    for (const auto& [text, ms] : cases) EXPECT_EQ(lab::ParseDurationMs(text), ms) << text;
    // 24 hours is the longest a line may give.
    const lab::Script script = lab::ParseScript("sleep 1440m\nwait exit within 86400s\n", "x.tcs");
    EXPECT_EQ(script.lines[0].durationMs, lab::kMaxDurationMs);
    EXPECT_EQ(script.lines[1].withinMs, lab::kMaxDurationMs);
}

TEST(ScriptTest, LoadScriptFileReadsAndNamesTheFile) {
    const std::string path = testing::TempDir() + "script_test_walk.tcs";
    {
        std::ofstream out(path, std::ios::binary);
        out << "# walk\r\nclick 1001\r\nclik 2\r\n";
    }
    EXPECT_EQ([&] {
        try {
            lab::LoadScriptFile(path);
        } catch (const lab::ScriptError& e) {
            return std::string(e.what());
        }
        return std::string("(no error)");
    }(), path + R"(:3: unknown action "clik")");
    {
        std::ofstream out(path, std::ios::binary);
        out << "click 1001\n";
    }
    const lab::Script script = lab::LoadScriptFile(path);
    EXPECT_EQ(script.fileName, path);
    ASSERT_EQ(script.lines.size(), 1u);
    EXPECT_EQ(script.lines[0].numbers, std::vector<long long>{1001});
    std::remove(path.c_str());

    const std::string missing = testing::TempDir() + "script_test_no_such_file.tcs";
    try {
        lab::LoadScriptFile(missing);
        ADD_FAILURE() << "a missing file was read";
    } catch (const lab::ScriptError& e) {
        EXPECT_EQ(std::string(e.what()), missing + ": No such file or directory");
    }
    // A folder is no script (it once ran as an empty one).
    try {
        lab::LoadScriptFile(testing::TempDir());
        ADD_FAILURE() << "a folder was read as a script";
    } catch (const lab::ScriptError& e) {
        EXPECT_EQ(std::string(e.what()), testing::TempDir() + ": is a directory");
    }
}

}  // namespace
