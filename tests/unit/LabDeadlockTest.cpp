// A headless run where every participant waits forever ends with status 1 and leaves
// what a person needs: result.txt with the reason and the line that replays the run,
// and the log.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "TestApp.h"
#include "lab/HostOptions.h"
#include "lab/Script.h"
#include "lab/ScriptRunner.h"
#include "platform/Platform.h"
#include "runtime/Runtime.h"
#include "sim/Scenario.h"
#include "sim/SimPC.h"

namespace {

std::string ReadText(const std::filesystem::path& file)
{
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The wizard starts; then its UI thread waits for an event nobody sets, and the person
// waits for the UI thread to settle.
[[noreturn]] void RunAStuckScript(const std::filesystem::path& out)
{
    TestApp();
    sim::SimPC pc(sim::DefaultScenario(), out / "machine", std::filesystem::path(TC_SOURCE_DIR) / "disc");
    InstallPlatform(pc.AsPlatform());
    rt::Init(rt::ClockMode::Virtual, pc.StartWallMs(), 1.0);
    lab::HostOptions options;
    options.headless = true;
    options.fresh = true;
    options.machine = (out / "machine").string();
    options.script = (out / "stuck.tcs").string();
    options.out = out.string();
    lab::ScriptRunner runner(lab::ParseScript("expect state 1\n", "stuck.tcs"), pc, options);
    rt::PostToUi([] {
        static rt::Event never;
        never.Wait();
    });
    runner.Run();
    std::exit(0);  // not reached: the run cannot end
}

}  // namespace

TEST(LabDeadlockDeath, ARunWhereEveryoneWaitsForeverLeavesItsResultLogAndReplayLine)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // The same folder for the test and the process it starts to die.
    auto out = std::filesystem::temp_directory_path() / ("tc-stuck-run-" + std::to_string(::getuid()));
    std::filesystem::remove_all(out);
    EXPECT_EXIT(RunAStuckScript(out), ::testing::ExitedWithCode(1), "the run cannot go on(.|\n)*replay: ");

    std::string result = ReadText(out / "result.txt");
    EXPECT_NE(result.find("result: failed"), std::string::npos) << result;
    EXPECT_NE(result.find("stuck.tcs (before its first line): the run cannot go on: "), std::string::npos) << result;
    EXPECT_NE(result.find("every participant waits and nothing is due"), std::string::npos) << result;
    EXPECT_NE(result.find("scenario: default"), std::string::npos) << result;
    EXPECT_NE(result.find("seed: "), std::string::npos) << result;
    EXPECT_NE(result.find("replay: "), std::string::npos) << result;
    EXPECT_NE(result.find(" --headless --fresh --machine " + (out / "machine").string()), std::string::npos) << result;
    EXPECT_NE(result.find("--script " + (out / "stuck.tcs").string()), std::string::npos) << result;
    EXPECT_NE(result.find("windows: CSetupDlg"), std::string::npos) << result;  // the wizard was up
    EXPECT_TRUE(std::filesystem::exists(out / "log.txt"));
    EXPECT_FALSE(ReadText(out / "log.txt").empty());
    std::filesystem::remove_all(out);
}
