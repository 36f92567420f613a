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
};

// The command line that runs the same script on the same PC again: absolute paths,
// quoted for a POSIX shell. exe: the program's own path.
std::string ReplayCommand(const HostOptions& options, const std::string& exe);

// What stands in for a seed: a virtual run draws no random numbers, its clock starts at
// the scenario's start time, so scenario, script and command line fix the run.
std::string SeedText();

// Writes OUT/result.txt and, when logUtf8 is not null, OUT/log.txt.
void WriteRunFiles(const std::filesystem::path& out, const RunReport& report, const std::string* logUtf8);

}  // namespace lab
