#pragma once
// What a headless run leaves behind in its out folder: result.txt (the outcome, the
// final state, every failed line and, for a failed run, the command that replays it) and
// log.txt (the program's log as UTF-8 text).
#include <filesystem>
#include <string>
#include <vector>

#include "lab/HostOptions.h"

namespace lab {

struct RunReport {
    bool passed = true;
    std::string script;       // the script's file name
    std::string scenario;     // "name (file)"
    int runs = 0;             // processes of the program started
    std::string finalState;   // "state: ...\nwindows: ...\n...", may be empty
    std::vector<std::string> failures;
    std::string replay;       // one line a person can paste into a shell
    std::string seed;         // SeedText
};

// The command line that runs the same script on the same PC again: absolute paths,
// quoted for a POSIX shell. exe: the program's own path.
std::string ReplayCommand(const HostOptions& options, const std::string& exe);

// The seed of the run's random numbers: a virtual run draws them from it (its clock
// starts at the scenario's start time), so scenario, script, command line and seed fix
// the run. A real-clock run draws from the system's source and has none.
std::string SeedText(const HostOptions& options);

// Writes OUT/result.txt and, when logUtf8 is not null, OUT/log.txt.
void WriteRunFiles(const std::filesystem::path& out, const RunReport& report, const std::string* logUtf8);

}  // namespace lab
