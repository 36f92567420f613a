#include "lab/RunReport.h"

#include <fstream>

#include "runtime/Runtime.h"

namespace lab {

namespace {

std::string ShellQuoted(const std::string& word)
{
    bool plain = !word.empty();
    for (char c : word) {
        bool safe = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                    std::string("-_./=:,+@%").find(c) != std::string::npos;
        if (!safe) plain = false;
    }
    if (plain) return word;
    std::string quoted = "'";
    for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string Absolute(const std::string& path)
{
    std::error_code error;
    auto absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

}  // namespace

std::string ReplayCommand(const HostOptions& options, const std::string& exe)
{
    std::string line = ShellQuoted(exe) + " --headless";
    if (options.fresh) line += " --fresh";
    if (options.machine) line += " --machine " + ShellQuoted(Absolute(*options.machine));
    if (options.scenario) line += " --scenario " + ShellQuoted(Absolute(*options.scenario));
    if (options.script) line += " --script " + ShellQuoted(Absolute(*options.script));
    if (options.out) line += " --out " + ShellQuoted(Absolute(*options.out));
    if (options.headless) line += " --seed " + std::to_string(rt::RandomSeed());
    if (options.settleMs) line += " --settle " + std::to_string(*options.settleMs) + "ms";
    // The wizard's command-line text goes as one word: it is compared as a whole.
    if (!options.commandLine.empty()) line += " " + ShellQuoted(options.commandLine);
    if (!options.fresh) line += "    # the machine folder was not emptied first: its state then is not kept";
    return line;
}

std::string SeedText(const HostOptions& options)
{
    if (!options.headless) return "none (the real clock draws from the system's random source)";
    return std::to_string(rt::RandomSeed()) + (options.seed ? "" : " (the default; --seed N takes another)");
}

void WriteRunFiles(const std::filesystem::path& out, const RunReport& report, const std::string* logUtf8)
{
    if (out.empty()) return;
    std::error_code error;
    std::filesystem::create_directories(out, error);
    {
        std::ofstream result(out / "result.txt");
        result << "result: " << (report.passed ? "passed" : "failed") << "\n";
        result << "script: " << report.script << "\n";
        result << "scenario: " << report.scenario << "\n";
        result << "seed: " << report.seed << "\n";
        result << "runs: " << report.runs << "\n";
        result << report.finalState;
        result << "failed lines: " << report.failures.size() << "\n";
        for (auto& f : report.failures) result << "  " << f << "\n";
        // A failed run says how to run it again (a passed one stays the same wherever its
        // out folder is).
        if (!report.passed) result << "replay: " << report.replay << "\n";
    }
    if (logUtf8) {
        std::ofstream log(out / "log.txt", std::ios::binary);
        log << *logUtf8;
    }
}

}  // namespace lab
