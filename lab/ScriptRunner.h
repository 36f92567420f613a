#pragma once
// Runs a lab script against the program, headless, in virtual time. The person at the
// screen is a participant of the runtime of its own: it posts input to the UI thread as
// a mouse or keyboard would, lets time pass, and checks what the program shows.
#include <atomic>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "lab/HostOptions.h"
#include "lab/ProcessHost.h"
#include "lab/RunReport.h"
#include "lab/Script.h"
#include "sim/SimPC.h"

namespace lab {

class ScriptRunner {
public:
    ScriptRunner(Script script, sim::SimPC& pc, HostOptions options);
    // On the UI thread: runs the program and the script; returns the exit status (0 or 1).
    int Run();
    // Every failed line and audit finding of the run, as result.txt lists them.
    const std::vector<std::string>& Failures() const { return m_failures; }

private:
    struct Outcome {
        bool ok = true;
        std::string message;  // what was expected and what was found
    };

    void PersonMain();
    Outcome Execute(const ScriptLine& line);
    Outcome Action(const ScriptLine& line);
    Outcome Wait(const ScriptLine& line);
    Outcome Check(const ScriptLine& line);
    Outcome Start(const ScriptLine& line);
    // Evaluates a condition on the UI thread; found says what is there instead.
    bool Holds(const ScriptLine& line, std::string& found);

    // --settle: lets time pass until the wizard rests (or the limit is reached).
    void Settle();
    void WriteResult();
    // The lines about the ends of the processes and the world's trace (world.txt).
    void AddExitReport(RunReport& report) const;
    RunReport Report() const;
    std::string Replay() const;  // the command line that runs this again
    // The virtual clock found every participant waiting forever: result.txt and the log
    // are written from here, then the process ends with status 1.
    void ReportDeadlock(const std::string& what);
    std::string LogText();  // this run's log, written or buffered

    Script m_script;
    sim::SimPC& m_pc;
    HostOptions m_options;
    ProcessHost m_host;
    std::filesystem::path m_out;
    std::map<std::string, long long> m_marks;
    std::vector<std::string> m_failures;
    std::string m_nextCommandLine;
    std::string m_finalState;  // state and windows when the script ended
    std::string m_timing;      // when the script ended and how the wizard settled
    std::atomic<int> m_nCurrentLine{0};  // the script line running now (0: none yet)
    std::atomic<bool> m_bStartRequested{false};
    std::atomic<bool> m_bFinished{false};
    std::atomic<bool> m_bProcessEnded{false};
};

}  // namespace lab
