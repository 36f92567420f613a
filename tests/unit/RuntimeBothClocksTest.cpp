// The runtime's rules hold on both clocks: every case here runs on the virtual clock
// (the lab's) and on the real one (a person's). Real-clock cases take tens of
// milliseconds; their limits only guard against a hang, nothing here asserts how long
// something took.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <limits>
#include <mutex>
#include <string>
#include <vector>

#include "runtime/Runtime.h"

namespace {

constexpr std::int64_t kForever = std::numeric_limits<std::int64_t>::max();
// Generous: on a loaded machine the real clock may be slow, never this slow.
constexpr std::int64_t kHangGuardMs = 20000;

class BothClocks : public ::testing::TestWithParam<rt::ClockMode> {
protected:
    void SetUp() override { rt::Init(GetParam(), 1000000, 1.0); }
    void TearDown() override { rt::Shutdown(); }
};

std::string ClockName(const ::testing::TestParamInfo<rt::ClockMode>& info)
{
    return info.param == rt::ClockMode::Virtual ? "Virtual" : "Real";
}

// Pumps the UI thread until cond holds; false when the hang guard ran out first. The
// pump looks at cond at least every few milliseconds, whoever makes it true.
template <class Cond>
bool PumpUntil(Cond cond, std::int64_t limitMs = kHangGuardMs)
{
    std::int64_t until = rt::NowMs() + limitMs;
    while (!cond()) {
        if (rt::NowMs() >= until) return false;
        rt::PumpStep(true, std::min(until, rt::NowMs() + 5));
    }
    return true;
}

// Lets time pass on the UI thread (without pumping) until cond holds.
template <class Cond>
bool SleepUntil(Cond cond, std::int64_t limitMs = kHangGuardMs)
{
    std::int64_t until = rt::NowMs() + limitMs;
    while (!cond()) {
        if (rt::NowMs() >= until) return false;
        rt::Sleep(1);
    }
    return true;
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(Runtime, BothClocks, ::testing::Values(rt::ClockMode::Virtual, rt::ClockMode::Real),
                         ClockName);

TEST_P(BothClocks, TimersTickOnTheUiThreadInTurnAndStopWhenKilled)
{
    int fast = 0, slow = 0;
    std::vector<char> order;
    bool allOnUi = true;
    std::int64_t start = rt::NowMs();
    std::int64_t lastFast = start;
    bool fastNeverEarly = true;
    rt::SetUiTimer(&fast, 1, 10, [&] {
        allOnUi = allOnUi && rt::IsUiThread();
        fastNeverEarly = fastNeverEarly && rt::NowMs() >= lastFast + 10;
        lastFast = rt::NowMs();
        order.push_back('f');
        if (++fast == 3) rt::KillUiTimer(&fast, 1);
    });
    rt::SetUiTimer(&slow, 1, 45, [&] {
        allOnUi = allOnUi && rt::IsUiThread();
        order.push_back('s');
        ++slow;
    });
    ASSERT_TRUE(PumpUntil([&] { return slow >= 2; }));
    EXPECT_EQ(fast, 3);  // killed from its own handler: never again
    EXPECT_TRUE(fastNeverEarly);
    EXPECT_TRUE(allOnUi);
    EXPECT_FALSE(rt::HasUiTimer(&fast, 1));
    EXPECT_TRUE(rt::HasUiTimer(&slow, 1));
    // Due first, fired first: the fast one (due at 10) before the slow one (at 45),
    // however late the pump comes round.
    ASSERT_GE(order.size(), 5u);
    EXPECT_EQ(order.front(), 'f');
    EXPECT_EQ(std::count(order.begin(), order.end(), 'f'), 3);
    rt::KillAllUiTimers(&slow);
    EXPECT_FALSE(rt::HasUiTimer(&slow, 1));
}

TEST_P(BothClocks, SendToUiRunsOnTheUiThreadAndPostsKeepTheirOrder)
{
    std::vector<int> posted;
    int handledOnUi = 0;
    std::atomic<int> workerSaw{-1};
    rt::Worker w;
    w.Start("sender", [&] {
        for (int i = 1; i <= 5; ++i) rt::PostToUi([&posted, i] { posted.push_back(i); });
        rt::SendToUi([&] { handledOnUi = rt::IsUiThread() ? 1 : 2; });
        workerSaw = handledOnUi;
    });
    ASSERT_TRUE(PumpUntil([&] { return workerSaw != -1; }));
    w.Join();
    EXPECT_EQ(handledOnUi, 1);
    EXPECT_EQ(workerSaw, 1);
    EXPECT_EQ(posted, (std::vector<int>{1, 2, 3, 4, 5}));  // all before the SendToUi
}

TEST_P(BothClocks, AStopEndsAWorkersLongestWait)
{
    // However long the wait, a stop ends it, and a duration near the end of time does not
    // wrap round into the past.
    struct Case {
        const char* name;
        std::function<bool()> wait;  // true when the wait ended other than by the stop
    };
    rt::Event never;
    const std::vector<Case> cases = {
        {"sleep an hour", [] { return rt::Sleep(3600 * 1000); }},
        {"sleep forever", [] { return rt::Sleep(kForever); }},
        {"sleep nearly forever", [] { return rt::Sleep(kForever - 1); }},
        {"wait forever", [&] { return never.Wait(-1) != rt::Event::Result::Stopped; }},
        {"wait nearly forever", [&] { return never.Wait(kForever - 1) != rt::Event::Result::Stopped; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::atomic<int> result{-1};
        std::atomic<bool> waiting{false};
        rt::Worker w;
        w.Start("waiter", [&] {
            waiting = true;
            result = c.wait() ? 1 : 0;
        });
        ASSERT_TRUE(SleepUntil([&] { return waiting.load(); }));
        rt::Sleep(5);  // the worker is in its wait now (or about to be: the stop is kept)
        w.RequestStop();
        w.Join();
        EXPECT_EQ(result, 0);
        EXPECT_FALSE(w.Running());
        EXPECT_LT(rt::NowMs(), kHangGuardMs);
    }
}

TEST_P(BothClocks, JoinAndStopAllWorkersMeetingJoinOnce)
{
    for (int round = 0; round < 5; ++round) {
        std::atomic<int> ticks{0};
        rt::Worker target;
        target.Start("target", [&] {
            while (rt::Sleep(2)) ++ticks;
        });
        rt::Worker joiner;  // the lab's own: StopAllWorkers leaves it alone
        joiner.Start("joiner", [&] { target.Join(); }, true);
        rt::Sleep(3);
        rt::StopAllWorkers();  // joins the target while the joiner does too
        joiner.Join();
        target.Join();  // and again: nothing left to join
        EXPECT_FALSE(target.Running());
        EXPECT_FALSE(joiner.Running());
    }
}

TEST_P(BothClocks, WaitUiIdleSeesTheUiSettle)
{
    // Asked from a worker after it posted work, with and without a time-out: the answer
    // comes once the work has run and the UI waits again, not at the time-out.
    for (std::int64_t timeout : {std::int64_t{-1}, std::int64_t{kHangGuardMs}, kForever}) {
        SCOPED_TRACE(timeout);
        std::atomic<bool> ran{false}, workDoneAtIdle{false};
        std::atomic<int> idle{-1};
        rt::Worker w;
        w.Start("observer", [&] {
            rt::PostToUi([&] { ran = true; });
            idle = rt::WaitUiIdle(timeout) ? 1 : 0;
            workDoneAtIdle = ran.load();
        });
        ASSERT_TRUE(PumpUntil([&] { return idle != -1; }));
        w.Join();
        EXPECT_EQ(idle, 1);
        EXPECT_TRUE(workDoneAtIdle);
    }
}

TEST_P(BothClocks, WaitUiIdleTimesOutWhileTheUiIsBusy)
{
    // The UI thread does not pump: whoever waits for it to settle gets its time-out.
    std::atomic<int> idle{-1};
    rt::Worker w;
    w.Start("observer", [&] {
        rt::PostToUi([] {});
        idle = rt::WaitUiIdle(20) ? 1 : 0;
    });
    w.Join();  // the UI thread waits here instead of pumping
    EXPECT_EQ(idle, 0);
}

TEST_P(BothClocks, EventWaitIsSignalledOrTimesOut)
{
    rt::Event ev;
    std::atomic<bool> setterStarted{false};
    rt::Worker setter;
    EXPECT_EQ(ev.Wait(5), rt::Event::Result::Timeout);
    setter.Start("setter", [&] {
        setterStarted = true;
        rt::Sleep(10);
        ev.Set();
    });
    EXPECT_EQ(ev.Wait(kForever), rt::Event::Result::Signalled);
    EXPECT_TRUE(setterStarted);
    setter.Join();
    EXPECT_TRUE(ev.IsSet());  // manual reset: it stays set
    EXPECT_EQ(ev.Wait(0), rt::Event::Result::Signalled);
}

TEST_P(BothClocks, WallClockIsTheLatestStartPlusTheRuntimesClock)
{
    struct Start {
        std::int64_t wallMs;
        double speed;
    };
    for (const Start start : {Start{1000000, 1.0}, Start{1336028562000, 50.0}, Start{0, 0.5}}) {
        rt::Init(GetParam(), start.wallMs, start.speed);
        // Read between two readings of the runtime's clock (on the virtual clock: equal).
        auto expectBetween = [&](const char* where) {
            const std::int64_t before = rt::NowMs();
            const std::int64_t wall = rt::WallClockMs();
            const std::int64_t after = rt::NowMs();
            EXPECT_GE(wall, start.wallMs + before) << where << " from " << start.wallMs;
            EXPECT_LE(wall, start.wallMs + after) << where << " from " << start.wallMs;
            if (GetParam() == rt::ClockMode::Virtual) {
                EXPECT_EQ(before, after);
            }
        };
        expectBetween("at the start");
        std::int64_t workerWall = -1, workerNow = -1;
        rt::Worker w;
        w.Start("reader", [&] {
            if (!rt::Sleep(40)) return;
            workerNow = rt::NowMs();
            workerWall = rt::WallClockMs();
        });
        ASSERT_TRUE(PumpUntil([&] { return !w.Running(); }));
        w.Join();
        // On the virtual clock exactly where the sleep ended, as the worker saw it.
        ASSERT_GE(workerNow, 40);
        if (GetParam() == rt::ClockMode::Virtual) {
            EXPECT_EQ(workerWall, start.wallMs + workerNow);
        } else {
            EXPECT_GE(workerWall, start.wallMs + workerNow);
            EXPECT_LE(workerWall, start.wallMs + rt::NowMs());
        }
        expectBetween("after a worker's sleep");
    }
}

TEST_P(BothClocks, ATimerDueAtTheEndOfTimeNeverFires)
{
    int owner = 0;
    int fired = 0;
    rt::SetUiTimer(&owner, 7, kForever, [&] { ++fired; });
    rt::SetUiTimer(&owner, 8, kForever - 1, [&] { ++fired; });
    bool woke = false;
    rt::Worker w;
    w.Start("sleeper", [&] { woke = rt::Sleep(20); });
    ASSERT_TRUE(PumpUntil([&] { return !w.Running(); }));
    w.Join();
    EXPECT_TRUE(woke);
    EXPECT_EQ(fired, 0);
    EXPECT_GT(rt::WallClockMs(), 0);
    rt::KillAllUiTimers(&owner);
}

TEST_P(BothClocks, ABlockingCallLeavesTheOthersFreeToRun)
{
    // While the UI thread sits in a call outside the runtime, a worker that can run does.
    std::mutex m;
    std::condition_variable cv;
    bool workerRan = false;
    rt::Worker w;
    w.Start("other", [&] {
        std::lock_guard lock(m);
        workerRan = true;
        cv.notify_all();
    });
    std::int64_t before = rt::NowMs();
    bool sawItInside = false;
    rt::BlockingCall([&] {
        std::unique_lock lock(m);
        sawItInside = cv.wait_for(lock, std::chrono::milliseconds(kHangGuardMs), [&] { return workerRan; });
    });
    EXPECT_TRUE(sawItInside);
    if (GetParam() == rt::ClockMode::Virtual) {
        EXPECT_EQ(rt::NowMs(), before);  // time stood still
    }
    w.Join();
}
