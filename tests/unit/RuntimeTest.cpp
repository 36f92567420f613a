// The runtime on the virtual clock: time jumps to the next deadline once every
// participant waits, workers stop cooperatively and are joined, the UI thread's queue
// and timers run in the pump, and the same program gives the same run every time.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/Runtime.h"

namespace {

class VirtualClock : public ::testing::Test {
protected:
    void SetUp() override { rt::Init(rt::ClockMode::Virtual, 1000000, 1.0); }
    void TearDown() override { rt::Shutdown(); }
};

// Pumps the UI thread until cond holds or the virtual deadline passes.
template <class Cond>
bool PumpUntil(Cond cond, std::int64_t limitMs)
{
    std::int64_t until = rt::NowMs() + limitMs;
    while (!cond()) {
        if (rt::NowMs() >= until) return false;
        rt::PumpStep(true, until);
    }
    return true;
}

}  // namespace

TEST_F(VirtualClock, SleepAdvancesVirtualTimeOnly)
{
    std::int64_t start = rt::NowMs();
    rt::Sleep(120000);  // two minutes of virtual time
    EXPECT_EQ(rt::NowMs() - start, 120000);
    EXPECT_EQ(rt::WallClockMs(), 1000000 + rt::NowMs());
}

TEST_F(VirtualClock, WorkersInterleaveByDeadline)
{
    std::vector<std::string> order;
    rt::Worker a, b;
    a.Start("a", [&] {
        for (int i = 0; i < 3; ++i) {
            rt::Sleep(300);
            order.push_back("a" + std::to_string(rt::NowMs()));
        }
    });
    b.Start("b", [&] {
        for (int i = 0; i < 2; ++i) {
            rt::Sleep(500);
            order.push_back("b" + std::to_string(rt::NowMs()));
        }
    });
    a.Join();
    b.Join();
    EXPECT_EQ(order, (std::vector<std::string>{"a300", "b500", "a600", "a900", "b1000"}));
}

TEST_F(VirtualClock, StopEndsTheWorkersNextWait)
{
    bool finished = false;
    bool sleepResult = true;
    rt::Worker w;
    w.Start("sleeper", [&] {
        sleepResult = rt::Sleep(60000);
        if (!sleepResult) return;  // stopped: no result is written
        finished = true;
    });
    rt::Sleep(10);
    w.RequestStop();
    w.Join();
    EXPECT_FALSE(sleepResult);
    EXPECT_FALSE(finished);
    EXPECT_LT(rt::NowMs(), 60000);
    EXPECT_FALSE(w.Running());
}

TEST_F(VirtualClock, SendToUiWaitsForTheUiThread)
{
    int handledOnUi = 0;
    int workerSawIt = -1;
    rt::Worker w;
    w.Start("sender", [&] {
        rt::Sleep(50);
        rt::SendToUi([&] { handledOnUi = rt::IsUiThread() ? 1 : 2; });
        workerSawIt = handledOnUi;
    });
    ASSERT_TRUE(PumpUntil([&] { return workerSawIt != -1; }, 1000));
    w.Join();
    EXPECT_EQ(handledOnUi, 1);
    EXPECT_EQ(workerSawIt, 1);
}

TEST_F(VirtualClock, TimersTickOnThePumpAndStopWhenKilled)
{
    int owner = 0;
    std::vector<std::int64_t> ticks;
    rt::SetUiTimer(&owner, 2, 200, [&] {
        ticks.push_back(rt::NowMs());
        if (ticks.size() == 3) rt::KillUiTimer(&owner, 2);
    });
    PumpUntil([&] { return false; }, 2000);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{200, 400, 600}));
    EXPECT_FALSE(rt::HasUiTimer(&owner, 2));
}

TEST_F(VirtualClock, EventWaitTimesOutOrIsSignalled)
{
    rt::Event ev;
    rt::Worker setter;
    setter.Start("setter", [&] {
        rt::Sleep(700);
        ev.Set();
    });
    EXPECT_EQ(ev.Wait(100), rt::Event::Result::Timeout);
    EXPECT_EQ(rt::NowMs(), 100);
    EXPECT_EQ(ev.Wait(5000), rt::Event::Result::Signalled);
    EXPECT_EQ(rt::NowMs(), 700);
    setter.Join();
}

TEST_F(VirtualClock, SameProgramSameRun)
{
    auto run = [] {
        std::string trace;
        rt::Worker w1, w2;
        rt::Event go;
        w1.Start("w1", [&] {
            for (int i = 0; i < 5; ++i) {
                rt::Sleep(7 * (i + 1));
                trace += "1";
            }
            go.Set();
        });
        w2.Start("w2", [&] {
            go.Wait();
            for (int i = 0; i < 4; ++i) {
                rt::Sleep(3);
                trace += "2";
            }
        });
        w1.Join();
        w2.Join();
        return trace + "@" + std::to_string(rt::NowMs());
    };
    std::string first = run();
    for (int i = 0; i < 5; ++i) EXPECT_EQ(run().substr(0, 9), first.substr(0, 9));
}

TEST_F(VirtualClock, StopAllWorkersJoinsEveryProgramWorker)
{
    int stopped = 0;
    rt::Worker a, b;
    a.Start("a", [&] { if (!rt::Sleep(100000)) ++stopped; });
    b.Start("b", [&] { if (!rt::Sleep(200000)) ++stopped; });
    rt::Sleep(1);
    rt::StopAllWorkers();
    EXPECT_EQ(stopped, 2);
    EXPECT_FALSE(a.Running());
    EXPECT_FALSE(b.Running());
}

TEST_F(VirtualClock, RunningWorkerNamesListsTheProgramsWorkersAtWork)
{
    rt::Worker done, busy, host;
    done.Start("done", [] {});
    busy.Start("busy", [] { rt::Sleep(100000); });
    host.Start("host", [] { rt::Sleep(100000); }, true);  // the lab's own: not the program's
    rt::Sleep(1);
    EXPECT_EQ(rt::RunningWorkerNames(), std::vector<std::string>{"busy"});
    busy.StopAndJoin();
    EXPECT_TRUE(rt::RunningWorkerNames().empty());
    host.StopAndJoin();
}

TEST_F(VirtualClock, AStoppedJoinerStillWaitsAndKeepsItsStop)
{
    bool innerDone = false, outerSawStop = false;
    rt::Worker outer;
    outer.Start("outer", [&] {
        rt::Worker inner;
        inner.Start("inner", [&] {
            rt::Event never;
            never.Wait(500);  // not stoppable by the outer's stop: it is its own worker
            innerDone = true;
        });
        inner.Join();  // the outer is asked to stop meanwhile
        outerSawStop = !rt::Sleep(1);
    });
    rt::Sleep(100);
    outer.RequestStop();
    outer.Join();
    EXPECT_TRUE(innerDone);
    EXPECT_TRUE(outerSawStop);
}

TEST_F(VirtualClock, SendToUiOfAStoppedWorkerNeverRunsLate)
{
    int ran = 0;
    bool delivered = true;
    rt::Worker w;
    w.Start("sender", [&] { delivered = rt::SendToUi([&] { ++ran; }); });
    rt::Sleep(1);  // the worker now waits for the UI thread
    w.RequestStop();
    w.Join();
    // Whatever the worker's stop, the function runs at most once, and never after the
    // worker has gone.
    for (int i = 0; i < 3; ++i) rt::PumpStep(false);
    EXPECT_LE(ran, 1);
    EXPECT_EQ(delivered, ran == 1);
}

TEST(VirtualClockDeath, EveryoneWaitingForeverIsReportedNotHung)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            rt::Init(rt::ClockMode::Virtual, 0, 1.0);
            rt::Event never;
            never.Wait();
        },
        ::testing::ExitedWithCode(1), "every participant waits and nothing is due");
}
