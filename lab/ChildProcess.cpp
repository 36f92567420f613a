#include "lab/ChildProcess.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "runtime/Runtime.h"

extern char** environ;

namespace lab {

namespace {

// Waits up to limitMs for a child process to end; false when it has not. Blocks the
// calling thread.
bool WaitForChild(pid_t pid, int limitMs, int& status)
{
#ifdef SYS_pidfd_open
    int fd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    if (fd >= 0) {
        auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
        pollfd p{fd, POLLIN, 0};
        int ready = 0;
        for (;;) {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
            ready = ::poll(&p, 1, static_cast<int>(std::max<long long>(left.count(), 0)));
            if (ready >= 0 || errno != EINTR) break;
        }
        ::close(fd);
        return ready > 0 && waitpid(pid, &status, 0) == pid;
    }
#endif
    // Without process descriptors: look every 10 ms.
    for (int waited = 0; waited <= limitMs; waited += 10) {
        if (waitpid(pid, &status, WNOHANG) == pid) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

}  // namespace

ChildOutcome RunChildProcess(const std::vector<std::string>& args, int limitMs)
{
    ChildOutcome outcome;
    if (args.empty()) return outcome;
    std::vector<std::string> words = args;
    std::vector<char*> argv;
    for (auto& a : words) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, words[0].c_str(), nullptr, nullptr, argv.data(), environ) != 0) return outcome;
    outcome.started = true;
    rt::BlockingCall([&] { outcome.ended = WaitForChild(pid, limitMs, outcome.status); });
    if (!outcome.ended) {
        kill(pid, SIGKILL);
        waitpid(pid, &outcome.status, 0);
    }
    return outcome;
}

}  // namespace lab
