#include "lab/HostOptions.h"

#include <cerrno>
#include <cstdlib>

#include "sim/ScenarioValues.h"

namespace lab {

HostOptions ParseHostOptions(const std::vector<std::string>& args)
{
    HostOptions o;
    std::vector<std::string> wizardWords;
    int freshGiven = 0;
    bool speedGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= args.size()) throw HostOptionsError("option " + a + " needs a value");
            return args[++i];
        };
        auto path = [&]() -> std::string {
            std::string v = value();
            if (v.empty()) throw HostOptionsError("option " + a + " needs a path, not an empty text");
            return v;
        };
        if (a.rfind("--", 0) != 0) {
            wizardWords.push_back(a);
        } else if (a == "--scenario") {
            o.scenario = path();
        } else if (a == "--machine") {
            o.machine = path();
        } else if (a == "--fresh") {
            o.fresh = true;
            ++freshGiven;
        } else if (a == "--headless") {
            o.headless = true;
        } else if (a == "--real-time") {
            o.realTime = true;
        } else if (a == "--script") {
            o.script = path();
        } else if (a == "--out") {
            o.out = path();
        } else if (a == "--speed") {
            std::string v = value();
            speedGiven = true;
            char* end = nullptr;
            o.speed = std::strtod(v.c_str(), &end);
            if (!end || *end || !(o.speed > 0) || o.speed > 10000)
                throw HostOptionsError("--speed needs a number above 0 (up to 10000), not \"" + v + "\"");
        } else if (a == "--seed") {
            std::string v = value();
            char* end = nullptr;
            errno = 0;
            unsigned long long seed = std::strtoull(v.c_str(), &end, 10);
            if (v.empty() || v[0] < '0' || v[0] > '9' || !end || *end || errno == ERANGE)
                throw HostOptionsError("--seed needs a whole number from 0 to 18446744073709551615, not \"" + v + "\"");
            o.seed = seed;
        } else if (a == "--help") {
            o.help = true;
        } else if (a == "--version") {
            o.version = true;
        } else if (a == "--settle") {
            std::string v = value();
            auto ms = sim::ParseDurationMs(v);
            if (!ms || *ms <= 0 || *ms > 24LL * 60 * 60 * 1000)
                throw HostOptionsError("--settle needs a duration such as 5m (above 0, at most 24 hours), not \"" + v +
                                       "\"");
            o.settleMs = *ms;
        } else if (a == "--probe-second-instance") {
            o.probeSecondInstance = true;
        } else {
            throw HostOptionsError("unknown option " + a);
        }
    }
    for (std::size_t i = 0; i < wizardWords.size(); ++i) o.commandLine += (i ? " " : "") + wizardWords[i];
    if (o.headless && !o.script && !o.probeSecondInstance) throw HostOptionsError("--headless needs --script");
    if (o.headless && o.realTime) throw HostOptionsError("--real-time runs in a window: leave out --headless");
    if (o.realTime && !o.script) throw HostOptionsError("--real-time needs --script");
    if (o.script && !o.headless && !o.realTime) throw HostOptionsError("--script goes with --headless or --real-time");
    if (o.seed && !o.headless)
        throw HostOptionsError("--seed replays a --headless run; the real clock draws from the system's random "
                               "source: leave --seed out");
    if (o.settleMs && !o.script) throw HostOptionsError("--settle goes with --script");
    if (speedGiven && o.headless)
        throw HostOptionsError("--speed speeds up the real clock; a --headless run has virtual time, which "
                               "jumps ahead by itself: leave --speed out");
    // The default machine folder is the PC a person's interactive runs keep: emptying it
    // takes a second word.
    if (freshGiven == 1 && !o.machine)
        throw HostOptionsError("--fresh without --machine would empty the default simulated PC, the one "
                               "interactive runs keep; give --machine DIR for a PC of this run's own, or "
                               "write --fresh --fresh to empty the default PC");
    return o;
}

std::string HostUsage(const std::string& program)
{
    return "usage: " + program + " [host options] [wizard command-line text]\n"
           "  --scenario FILE   the simulated PC to run on (default: the built-in PC)\n"
           "  --machine DIR     where this PC keeps its registry and files\n"
           "  --fresh           empty the machine folder first (the default PC's only when\n"
           "                    given twice: --fresh --fresh)\n"
           "  --headless        no window, virtual time; needs --script\n"
           "  --script FILE     the user's actions and the expectations\n"
           "  --real-time       with --script: run it on the real clock in a real window\n"
           "  --out DIR         screenshots, the log as UTF-8 text and result.txt\n"
           "  --speed N         real-clock runs: the PC's clock runs N times faster\n"
           "                    (not with --headless)\n"
           "  --seed N          --headless runs: the seed of the random numbers (the WPS\n"
           "                    PIN); result.txt names the one a run used\n"
           "  --settle D        with --script: after the script, wait up to D until the\n"
           "                    wizard rests, then take the final state\n"
           "  --help, --version\n"
           "The lab guide: docs/lab.md\n";
}

}  // namespace lab
