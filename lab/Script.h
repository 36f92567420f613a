#pragma once
// The lab's script language: one action or check per line, parsed up front into typed
// lines so that a malformed script is reported (file, line, reason) before the wizard
// starts. This file only reads and checks scripts; the runner executes them.
//
// Lexical rules: `#` starts a comment (outside texts); words are separated by blanks
// (spaces and tabs); texts are in double quotes, with the escapes \" \\ \r \n \t, and
// any other backslash standing for itself ("HKLM\Software" needs none; a path ending
// in a backslash is written "C:\dir\\"). A text ends on its own line and is followed
// by a blank, a comment or the end of the line. Durations are 500ms, 3s, 2m or a plain
// number of milliseconds, at most 24 hours of virtual time (kMaxDurationMs). Lines end in LF or CR LF; a UTF-8 byte-order mark at the start
// is skipped; every line, comments included, must be valid UTF-8, and texts are kept as
// UTF-8 bytes. Every word is checked: an unknown action, key, event or extra argument
// is an error, so that a misspelt line never silently passes.
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "sim/ScenarioValues.h"
#include "sim/WorldEvents.h"

namespace lab {

// The longest duration a line may give (`sleep`, `within`, `expect since`): 24 hours of
// virtual time. Longer is refused when the script is read, so that no line waits for
// days of virtual time, one timer tick after another.
constexpr long long kMaxDurationMs = 24LL * 60 * 60 * 1000;

// A script that cannot be used: "FILE:LINE: reason".
struct ScriptError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

enum class Op {
    Click, DoubleClick, Hover, Type, Key, SelectNetwork, OpenNetwork, Choose, Close, Sleep,
    World, Screenshot, Start,
    WaitState, WaitDialog, WaitGone, WaitVisible, WaitEnabled, WaitLog, WaitExit,
    ExpectState, ExpectDialog, ExpectNoDialog, ExpectVisible, ExpectHidden, ExpectEnabled,
    ExpectDisabled, ExpectText, ExpectRect, ExpectLog, ExpectNoLog, ExpectLogFile,
    ExpectRegistry, ExpectNoRegistry, ExpectClipboard, ExpectErrorIndex, ExpectLanguage,
    ExpectProfile, ExpectDocument, ExpectOpened, ExpectFile, ExpectNoFile, ExpectRows,
    ExpectRow, ExpectConnected, ExpectValidPin, ExpectImage, ExpectFont, Mark, ExpectSince,
    ExpectExit,
    // Lab extensions beyond the shared language.
    ShowPage, AuditLayout
};

// `key NAME`; the names are spelt exactly as here ("Alt+F4" for AltF4).
enum class Key { Enter, Escape, Space, Tab, Up, Down, Home, End, Backspace, AltF4 };

// `world EVENT ...`: the simulated PC's events, one table for scripts and scenarios.
using sim::WorldEvent;
using sim::WorldEventName;  // "wps-button"

// What each line fills in. Fields not named stay at their defaults (empty, 0, false,
// nullopt). ID: a control ID (0 .. 2147483647). Every wait may end in `within DURATION`,
// which sets withinMs; without it withinMs is empty (the runner's default applies).
//
// | line                                        | op               | fields
// |---------------------------------------------|------------------|--------
// | click ID                                    | Click            | numbers {ID}
// | double-click ID                             | DoubleClick      | numbers {ID}
// | hover ID                                    | Hover            | numbers {ID}
// | type "TEXT"                                 | Type             | texts {TEXT}
// | key NAME                                    | Key              | key
// | select-network "SSID"                       | SelectNetwork    | texts {SSID}
// | open-network "SSID"                         | OpenNetwork      | texts {SSID}
// | choose ID INDEX                             | Choose           | numbers {ID, INDEX}
// | close                                       | Close            | -
// | sleep DURATION                              | Sleep            | durationMs
// | world plug | unplug                         | World            | event
// | world wps-button "SSID"                     | World            | event, texts {SSID}
// | world router-pin "SSID"                     | World            | event, texts {SSID}
// | world network-on "SSID"                     | World            | event, texts {SSID}
// | world network-off "SSID"                    | World            | event, texts {SSID}
// | world internet on|off                       | World            | event, flag (true: on)
// | world gateway on|off                        | World            | event, flag (true: on)
// | screenshot NAME                             | Screenshot       | texts {NAME}
// | start                                       | Start            | hasText false, texts empty
// | start TEXT                                  | Start            | hasText true, texts {command-line text}
// | wait state N                                | WaitState        | numbers {N}
// | wait dialog CLASS                           | WaitDialog       | texts {CLASS}
// | wait gone CLASS                             | WaitGone         | texts {CLASS}
// | wait visible ID                             | WaitVisible      | numbers {ID}
// | wait enabled ID                             | WaitEnabled      | numbers {ID}
// | wait log "TEXT"                             | WaitLog          | texts {TEXT}
// | wait exit                                   | WaitExit         | -
// | expect state N                              | ExpectState      | numbers {N}
// | expect dialog CLASS                         | ExpectDialog     | texts {CLASS}
// | expect no-dialog                            | ExpectNoDialog   | -
// | expect visible ID                           | ExpectVisible    | numbers {ID}
// | expect hidden ID                            | ExpectHidden     | numbers {ID}
// | expect enabled ID                           | ExpectEnabled    | numbers {ID}
// | expect disabled ID                          | ExpectDisabled   | numbers {ID}
// | expect text ID "TEXT"                       | ExpectText       | numbers {ID}, texts {TEXT}
// | expect rect ID X Y W H                      | ExpectRect       | numbers {ID, X, Y, W, H}
// | expect log "TEXT"                           | ExpectLog        | texts {TEXT}
// | expect no-log "TEXT"                        | ExpectNoLog      | texts {TEXT}
// | expect log-file "TEXT"                      | ExpectLogFile    | texts {TEXT}
// | expect registry "KEY" "VALUE" "DATA"        | ExpectRegistry   | texts {KEY, VALUE, DATA}
// | expect no-registry "KEY"                    | ExpectNoRegistry | texts {KEY}, hasText false
// | expect no-registry "KEY" "VALUE"            | ExpectNoRegistry | texts {KEY, VALUE}, hasText true
// | expect clipboard "TEXT"                     | ExpectClipboard  | texts {TEXT}
// | expect error-index N                        | ExpectErrorIndex | numbers {N}
// | expect language N                           | ExpectLanguage   | numbers {N}
// | expect profile "TEXT"                       | ExpectProfile    | texts {TEXT}
// | expect document "PATH-PART"                 | ExpectDocument   | texts {PATH-PART}
// | expect opened "URL-PART"                    | ExpectOpened     | texts {URL-PART}
// | expect file "WINPATH" "TEXT"                | ExpectFile       | texts {WINPATH, TEXT}
// | expect no-file "WINPATH"                    | ExpectNoFile     | texts {WINPATH}
// | expect rows "SSID" ...                      | ExpectRows       | texts {SSID, ...}; empty: no rows at all
// | expect row "SSID" "SECURITY" lock|open BARS | ExpectRow        | texts {SSID, SECURITY}, flag (true: lock), numbers {BARS}
// | expect connected "SSID"                     | ExpectConnected  | texts {SSID}, flag false
// | expect connected none                       | ExpectConnected  | flag true, texts empty
// | expect valid-pin ID                         | ExpectValidPin   | numbers {ID}
// | expect image ID N                           | ExpectImage      | numbers {ID, N}
// | expect font ID PX [bold]                    | ExpectFont       | numbers {ID, PX}, flag (true: bold)
// | mark NAME                                   | Mark             | texts {NAME}
// | expect since NAME MIN MAX                   | ExpectSince      | texts {NAME}, minMs, maxMs
// | expect exit                                 | ExpectExit       | -
// | show-page N                                 | ShowPage         | numbers {N}
// | audit-layout NAME                           | AuditLayout      | texts {NAME}
//
// `show-page N` is the lab's own: the wizard draws the page of state N as if it had
// reached it (for pages whose road through the program is not built yet).
// `audit-layout NAME` is the lab's own too: the layout audit of the active window
// (lab/LayoutAudit.h); every finding is a failure of the run named "NAME: ...", and the
// script goes on, so that one run lists every finding. NAME is spelt as a screenshot's.
//
// `start`: every argument, quoted or bare, is joined with single spaces into the
// command-line text, as the host joins its own arguments; so `start /show driver` and
// `start "/show driver"` give the same text, and only a quoted text keeps blanks at its
// ends (`start "/show driver "`). `start ""` is an empty command line given on purpose
// (hasText true). A `#` outside a text ends the command line as anywhere else.
// Numbers are decimal integers in the 32-bit range: ID, N, INDEX, BARS, W and H are at
// least 0, PX at least 1, X and Y may be negative. Durations are milliseconds.
// CLASS is a bare identifier (CPasswordDlg, MessageBox). A screenshot NAME is letters,
// digits, '-', '_' and '.', not starting with '.', so that OUT/NAME.png stays in OUT.
// A mark NAME is any bare word; `expect since` must follow a `mark` of that name, and
// its MIN must not exceed MAX.
struct ScriptLine {
    int line = 0;        // 1-based line in the file
    std::string source;  // the line as written, without its line end (for messages)
    Op op = Op::Close;
    std::vector<std::string> texts;     // texts and names, in the order written (UTF-8)
    std::vector<long long> numbers;     // IDs and numbers, in the order written
    long long durationMs = 0;           // sleep
    long long minMs = 0;                // expect since
    long long maxMs = 0;                // expect since
    std::optional<long long> withinMs;  // waits: `within DURATION`
    // world internet/gateway: on; expect row: lock; expect connected: none; expect font: bold
    bool flag = false;
    bool hasText = false;                 // start: a command line; expect no-registry: a VALUE
    Key key = Key::Enter;                 // key
    WorldEvent event = WorldEvent::Plug;  // world
};

struct Script {
    std::string fileName;
    std::vector<ScriptLine> lines;  // only lines with an action or check, in file order
};

// Throws ScriptError "FILE:LINE: reason" for the first malformed line.
Script ParseScript(const std::string& text, const std::string& fileName);
// Reads the file and parses it; the path is the file name in messages.
Script LoadScriptFile(const std::string& path);

// The line's words as written in a script ("double-click", "expect no-registry").
std::string OpName(Op op);
std::string KeyName(Key key);              // "Enter", "Alt+F4"

// "500ms", "3s", "2m" or a plain number of milliseconds; nullopt when malformed.
using sim::ParseDurationMs;

}  // namespace lab
