#pragma once
// One run of the program on the simulated PC, as the operating system would start it:
// every process-wide value new, the log constructed, the application object's
// InitInstance and ExitInstance, then the end of the process (workers stopped and
// joined, the log closed).
#include <atomic>
#include <functional>
#include <string>

namespace lab {

class ProcessHost {
public:
    // Called as each process starts, before anything of it runs.
    explicit ProcessHost(std::function<void()> onStart = {}) : m_onStart(std::move(onStart)) {}
    // Runs one process to its end on the calling (UI) thread.
    void RunProcess(const std::string& commandLineUtf8);
    bool Running() const { return m_bRunning; }
    int RunCount() const { return m_nRuns; }

private:
    std::function<void()> m_onStart;
    std::atomic<bool> m_bRunning{false};
    std::atomic<int> m_nRuns{0};
};

}  // namespace lab
