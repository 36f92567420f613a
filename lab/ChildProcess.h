#pragma once
// Another process of the program, started by a script's `start` while the program runs.
#include <string>
#include <vector>

namespace lab {

struct ChildOutcome {
    bool started = false;
    bool ended = false;  // ended by itself within the limit (else it was killed)
    int status = 0;      // as waitpid reports it
};

// Starts args[0] with args and waits up to limitMs of real time for its end, outside
// the runtime's baton: on the virtual clock the program's own participants may go on
// meanwhile, and time stands still.
ChildOutcome RunChildProcess(const std::vector<std::string>& args, int limitMs);

}  // namespace lab
