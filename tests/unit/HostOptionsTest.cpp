// The host's own options: what combinations start a run and what is refused, with why.
#include <gtest/gtest.h>

#include "lab/HostOptions.h"

namespace {

using Args = std::vector<std::string>;

TEST(HostOptions, RefusesWhatWouldSurpriseAPerson)
{
    const struct {
        Args args;
        const char* reasonPart;
    } cases[] = {
        // The default machine folder is the interactive PC: one --fresh is not enough.
        {{"--fresh"}, "write --fresh --fresh to empty the default PC"},
        {{"--headless", "--fresh", "--script", "a.tcs"}, "--fresh without --machine"},
        // Virtual time needs no speeding up.
        {{"--headless", "--script", "a.tcs", "--speed", "10"}, "a --headless run has virtual time"},
        {{"--speed", "1", "--headless", "--script", "a.tcs", "--machine", "m"}, "leave --speed out"},
        {{"--speed", "0"}, "--speed needs a number above 0"},
        {{"--headless"}, "--headless needs --script"},
        {{"--script", "a.tcs"}, "--script goes with --headless"},
    };
    for (const auto& c : cases) {
        std::string joined;
        for (const auto& a : c.args) joined += a + " ";
        try {
            lab::ParseHostOptions(c.args);
            ADD_FAILURE() << "accepted: " << joined;
        } catch (const lab::HostOptionsError& e) {
            EXPECT_NE(std::string(e.what()).find(c.reasonPart), std::string::npos) << joined << "-> " << e.what();
        }
    }
}

TEST(HostOptions, AcceptsTheRunsThatSayWhatTheyMean)
{
    const struct {
        Args args;
        bool fresh;
        bool headless;
        double speed;
    } cases[] = {
        {{"--fresh", "--machine", "m"}, true, false, 1.0},
        {{"--fresh", "--fresh"}, true, false, 1.0},
        {{"--headless", "--fresh", "--fresh", "--script", "a.tcs"}, true, true, 1.0},
        {{"--headless", "--fresh", "--machine", "m", "--script", "a.tcs"}, true, true, 1.0},
        {{"--speed", "10"}, false, false, 10.0},
        {{}, false, false, 1.0},
    };
    for (const auto& c : cases) {
        const lab::HostOptions o = lab::ParseHostOptions(c.args);
        EXPECT_EQ(o.fresh, c.fresh);
        EXPECT_EQ(o.headless, c.headless);
        EXPECT_EQ(o.speed, c.speed);
    }
}

}  // namespace

namespace {

struct RealTimeCase {
    std::vector<std::string> args;
    const char* refusal;  // null: taken
};

}  // namespace

TEST(HostOptions, ScriptRunsHeadlessOrInARealWindow)
{
    const RealTimeCase cases[] = {
        {{"--headless", "--script", "a.tcs"}, nullptr},
        {{"--real-time", "--script", "a.tcs"}, nullptr},
        {{"--real-time", "--script", "a.tcs", "--speed", "20"}, nullptr},
        {{"--script", "a.tcs"}, "--script goes with --headless or --real-time"},
        {{"--real-time"}, "--real-time needs --script"},
        {{"--real-time", "--headless", "--script", "a.tcs"}, "--real-time runs in a window: leave out --headless"},
    };
    for (const RealTimeCase& c : cases) {
        std::string args;
        for (const auto& a : c.args) args += a + " ";
        if (!c.refusal) {
            EXPECT_NO_THROW(lab::ParseHostOptions(c.args)) << args;
            continue;
        }
        try {
            lab::ParseHostOptions(c.args);
            ADD_FAILURE() << args << "was taken";
        } catch (const lab::HostOptionsError& e) {
            EXPECT_EQ(std::string(e.what()), c.refusal) << args;
        }
    }
}

TEST(HostOptions, RealTimeKeepsTheScriptAndTheSpeed)
{
    const lab::HostOptions o = lab::ParseHostOptions({"--real-time", "--script", "a.tcs", "--speed", "20", "/show", "driver"});
    EXPECT_TRUE(o.realTime);
    EXPECT_FALSE(o.headless);
    EXPECT_EQ(o.script.value_or(""), "a.tcs");
    EXPECT_EQ(o.speed, 20.0);
    EXPECT_EQ(o.commandLine, "/show driver");
}

TEST(HostOptions, ASeedGoesWithAHeadlessRunAndIsAWholeNumber)
{
    const struct {
        Args args;
        std::optional<std::uint64_t> seed;
        const char* refusal;  // null: taken
    } cases[] = {
        {{"--headless", "--script", "a.tcs", "--seed", "42"}, 42, nullptr},
        {{"--headless", "--script", "a.tcs", "--seed", "18446744073709551615"}, 18446744073709551615ull, nullptr},
        {{"--headless", "--script", "a.tcs"}, std::nullopt, nullptr},
        {{"--headless", "--script", "a.tcs", "--seed", "18446744073709551616"}, std::nullopt, "--seed needs a whole number"},
        {{"--headless", "--script", "a.tcs", "--seed", "-1"}, std::nullopt, "--seed needs a whole number"},
        {{"--headless", "--script", "a.tcs", "--seed", "12x"}, std::nullopt, "--seed needs a whole number"},
        {{"--headless", "--script", "a.tcs", "--seed", ""}, std::nullopt, "--seed needs a whole number"},
        {{"--real-time", "--script", "a.tcs", "--seed", "42"}, std::nullopt, "leave --seed out"},
        {{"--seed", "42"}, std::nullopt, "leave --seed out"},
    };
    for (const auto& c : cases) {
        std::string joined;
        for (const auto& a : c.args) joined += a + " ";
        SCOPED_TRACE(joined);
        if (!c.refusal) {
            EXPECT_EQ(lab::ParseHostOptions(c.args).seed, c.seed);
            continue;
        }
        try {
            lab::ParseHostOptions(c.args);
            ADD_FAILURE() << "accepted";
        } catch (const lab::HostOptionsError& e) {
            EXPECT_NE(std::string(e.what()).find(c.refusal), std::string::npos) << e.what();
        }
    }
}

TEST(HostOptions, SettleGoesWithAScriptAndIsADuration)
{
    const struct {
        std::vector<std::string> args;
        long long settleMs;    // taken with this value
        const char* refusal;  // else refused with this reason
    } cases[] = {
        {{"--headless", "--script", "a.tcs", "--settle", "10m"}, 600000, nullptr},
        {{"--real-time", "--script", "a.tcs", "--settle", "1500"}, 1500, nullptr},
        {{"--settle", "5s"}, 0, "--settle goes with --script"},
        {{"--headless", "--script", "a.tcs", "--settle", "0"}, 0, "--settle needs a duration"},
        {{"--headless", "--script", "a.tcs", "--settle", "25h"}, 0, "--settle needs a duration"},
        {{"--headless", "--script", "a.tcs", "--settle", "soon"}, 0, "--settle needs a duration"},
        {{"--headless", "--script", "a.tcs", "--settle"}, 0, "option --settle needs a value"},
    };
    for (const auto& c : cases) {
        std::string args;
        for (const auto& a : c.args) args += a + " ";
        try {
            const lab::HostOptions o = lab::ParseHostOptions(c.args);
            EXPECT_EQ(c.refusal, nullptr) << args << "was taken";
            EXPECT_EQ(o.settleMs.value_or(-1), c.settleMs) << args;
        } catch (const lab::HostOptionsError& e) {
            ASSERT_NE(c.refusal, nullptr) << args << "-> " << e.what();
            EXPECT_NE(std::string(e.what()).find(c.refusal), std::string::npos) << args << "-> " << e.what();
        }
    }
}
