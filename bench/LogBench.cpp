// Lines per second of the program's log writer against spdlog's basic file sink, on the
// same lines, alternating rounds so both see the same machine. Prints both and the ratio.
#include <spdlog/sinks/basic_file_sink.h>
#include <spdlog/spdlog.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "diag/LogMsg.h"
#include "platform/Platform.h"
#include "platform/Text.h"
#include "sim/Scenario.h"
#include "sim/SimPC.h"

namespace {

using Clock = std::chrono::steady_clock;

// The wizard's kind of lines: a function name and a short message with a number.
std::vector<std::wstring> Messages(int count)
{
    std::vector<std::wstring> out;
    out.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        out.push_back(L"OpenAdapterResult = 0X1 and retry times = " + std::to_wstring(i % 60) + L".");
    return out;
}

double OurLinesPerSecond(const std::vector<std::wstring>& lines)
{
    CLogMsg log;
    log.Construct();
    log.OpenLogFile();
    auto start = Clock::now();
    for (const auto& line : lines) log.addLog(line.c_str(), L"WiFiInstallThreadProc", LOG_FUNC);
    log.Destruct();  // everything on disk
    double s = std::chrono::duration<double>(Clock::now() - start).count();
    return static_cast<double>(lines.size()) / s;
}

double SpdlogLinesPerSecond(const std::vector<std::wstring>& lines, const std::filesystem::path& file)
{
    std::filesystem::remove(file);
    std::vector<std::string> utf8;
    utf8.reserve(lines.size());
    for (const auto& line : lines) utf8.push_back(WideToUtf8(line));
    auto logger = spdlog::basic_logger_mt("bench", file.string(), true);
    auto start = Clock::now();
    for (const auto& line : utf8) logger->info("WiFiInstallThreadProc() : {}", line);
    logger->flush();
    double s = std::chrono::duration<double>(Clock::now() - start).count();
    spdlog::drop("bench");
    return static_cast<double>(lines.size()) / s;
}

}  // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::max(1000, std::atoi(argv[1])) : 40000;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    auto dir = std::filesystem::temp_directory_path() / ("tc-log-bench-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    sim::Scenario scenario = sim::DefaultScenario();
    sim::SimPC pc(scenario, dir / "machine", dir / "disc");
    InstallPlatform(pc.AsPlatform());
    const auto lines = Messages(count);
    std::vector<double> ours, theirs, ratios;
    for (int r = 0; r < rounds; ++r) {
        ours.push_back(OurLinesPerSecond(lines));
        theirs.push_back(SpdlogLinesPerSecond(lines, dir / "spdlog.txt"));
        ratios.push_back(ours.back() / theirs.back());
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    std::printf("log writer: %.0f lines/s, spdlog basic file sink: %.0f lines/s, paired ratio %.2f (%d lines, %d rounds)\n",
                median(ours), median(theirs), median(ratios), count, rounds);
    std::filesystem::remove_all(dir);
    return 0;
}
