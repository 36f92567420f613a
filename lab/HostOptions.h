#pragma once
// The host's own command-line options (they begin with "--"); every other argument is
// joined with single spaces into the wizard's command-line text.
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace lab {

struct HostOptionsError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct HostOptions {
    std::optional<std::string> scenario;
    std::optional<std::string> machine;
    bool fresh = false;
    bool headless = false;
    // With a script: the script runs on the real clock in a real window.
    bool realTime = false;
    std::optional<std::string> script;
    std::optional<std::string> out;
    double speed = 1.0;
    // The seed of a virtual run's random numbers (the WPS PIN); none given: the fixed default.
    std::optional<std::uint64_t> seed;
    bool help = false;
    bool version = false;
    // Started by a script's `start` as a second process: ends with status 3 as soon as
    // it would show a window.
    bool probeSecondInstance = false;
    // With a script: once the script has ended (its last line or its first failed one),
    // let at most this much time pass until the wizard rests, before the final state is
    // taken.
    std::optional<long long> settleMs;
    std::string commandLine;
};

// Throws HostOptionsError with the reason.
HostOptions ParseHostOptions(const std::vector<std::string>& args);
// The usage text, naming the program as it was started.
std::string HostUsage(const std::string& program = "TesraConnect");

}  // namespace lab
