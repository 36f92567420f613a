#pragma once
// One run of the program on the simulated PC, as the operating system would start it:
// every process-wide value new, the log constructed, the application object's
// InitInstance and ExitInstance, then the end of the process (workers stopped and
// joined, the log closed).
#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace lab {

class ProcessHost {
public:
    // Called as each process starts, before anything of it runs.
    explicit ProcessHost(std::function<void()> onStart = {}) : m_onStart(std::move(onStart)) {}
    // Runs one process to its end on the calling (UI) thread.
    void RunProcess(const std::string& commandLineUtf8);
    bool Running() const { return m_bRunning; }
    int RunCount() const { return m_nRuns; }
    // What the ends of the processes found: workers of the program still at work once
    // the program's own objects were gone ("run N: NAME"), and whether the log's lock
    // was still held then. Read once no process runs.
    const std::vector<std::string>& WorkersLeftAtExit() const { return m_workersLeft; }
    bool LockHeldAtExit() const { return m_bLockHeld; }

private:
    std::function<void()> m_onStart;
    std::atomic<bool> m_bRunning{false};
    std::atomic<int> m_nRuns{0};
    std::vector<std::string> m_workersLeft;
    bool m_bLockHeld = false;
};

}  // namespace lab
