#pragma once
// Inside the runtime: the state its parts share (the scheduler with its clock and
// baton, the workers and events, the UI loop). Only runtime/*.cpp include this.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <limits>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "runtime/Runtime.h"

namespace rt {

namespace detail {

enum class Wake { None, Signal, Timeout, Stop };

struct Participant {
    int id = 0;
    std::string name;
    std::condition_variable cv;  // virtual clock: waits for the baton
    bool blocked = false;
    std::int64_t deadline = -1;
    Event::State* waitingOn = nullptr;
    Wake wake = Wake::None;
    std::uint64_t seq = 0;
    std::atomic<bool> stopRequested{false};
    bool isUi = false;
};

struct UiTimer {
    const void* owner;
    std::uintptr_t id;
    std::int64_t period;
    std::int64_t due;
    std::uint64_t seq;
    TimerCallback cb;
};

struct SendState {
    std::function<void()> fn;
    bool started = false;
    bool cancelled = false;
    Event done{false, false};
};

}  // namespace detail

struct Event::State {
    bool autoReset = false;
    bool signalled = false;
    // Counts every Set: a real-clock waiter of a manual-reset event is released by a Set
    // made while it waited, even when a Reset came before it woke.
    std::uint64_t sets = 0;
    std::vector<detail::Participant*> waiters;
};

namespace detail {

struct RuntimeState {
    std::mutex m;
    std::condition_variable realCv;  // real clock: every change wakes every waiter
    ClockMode mode = ClockMode::Real;
    bool initialised = false;
    std::int64_t wallStart = 0;
    double speed = 1.0;
    std::chrono::steady_clock::time_point realStart;
    std::int64_t virtualNow = 0;  // changed only through SetVirtualNowLocked

    // The clock's settings and the virtual time once more, for WallClockMs to read without
    // taking m (the log stamps every line with it). Written under m together with the
    // fields above: by Init inside an odd `seq`, so that a reader never mixes two starts,
    // and by every move of the virtual clock.
    struct ClockView {
        std::atomic<std::uint64_t> seq{0};
        std::atomic<bool> isVirtual{false};
        std::atomic<std::int64_t> wallStart{0};
        std::atomic<double> speed{1.0};
        std::atomic<std::chrono::steady_clock::rep> realStart{0};
        std::atomic<std::int64_t> virtualNow{0};
    } clockView;

    Participant* current = nullptr;  // virtual clock: who holds the baton (null: parked)
    std::deque<Participant*> runQueue;
    int outside = 0;                      // participants in a blocking call outside the runtime
    std::vector<Participant*> returned;  // back from it, waiting for the baton
    std::vector<Participant*> blockedList;
    std::uint64_t seq = 0;
    int nextId = 1;

    Participant ui;
    std::thread::id uiThreadId;

    struct Posted {
        const void* owner;  // null: nobody's; else dropped with DropUiPosts(owner)
        std::function<void()> fn;
    };
    std::deque<Posted> uiQueue;
    std::vector<UiTimer> timers;
    std::uint64_t timerSeq = 0;
    std::shared_ptr<Event::State> uiWake;
    std::uint64_t uiActivity = 0;
    std::uint64_t uiIdleGeneration = 0;
    bool uiIdleNow = false;
    std::shared_ptr<Event::State> uiIdle;

    UiHooks hooks;
    DeadlockHandler deadlockHandler;
    std::atomic<bool> shutdown{false};

    std::vector<std::weak_ptr<Worker::Impl>> workers;
};

}  // namespace detail

namespace detail {

RuntimeState& S();
extern thread_local Participant* tl_self;

constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();
// now + ms without overflow: a duration near the end of time means "never".
std::int64_t DeadlineAfter(std::int64_t now, std::int64_t ms);
std::int64_t NowLocked(RuntimeState& s);
// Moves the virtual clock (lock held).
void SetVirtualNowLocked(RuntimeState& s, std::int64_t now);
// Makes a blocked participant runnable (virtual clock: queues it for the baton).
void WakeLocked(RuntimeState& s, Participant* p, Wake reason);
// Hands the baton to the next runnable participant; when none can run, advances the
// clock to the earliest deadline. Called with the lock held by the participant giving
// up the baton.
void PassBatonLocked(RuntimeState& s, std::unique_lock<std::mutex>& lock);
// Blocks the calling participant until the event is signalled, the deadline passes or
// (for workers) a stop is requested. Lock held on entry and exit.
Wake BlockLocked(RuntimeState& s, std::unique_lock<std::mutex>& lock, Event::State* ev, std::int64_t deadline);
void SignalLocked(RuntimeState& s, Event::State* ev);
// Waits for an event even when the calling worker has been asked to stop (its stop
// request is kept and seen by its next wait).
void WaitIgnoringStop(Event& ev);

}  // namespace detail

struct Worker::Impl {
    std::string name;
    detail::Participant participant;
    std::thread thread;
    std::atomic<bool> running{false};
    std::mutex joinMutex;  // the owner's Join and StopAllWorkers may meet: one joins
    bool joined = false;
    std::shared_ptr<Event::State> done = std::make_shared<Event::State>();
};

}  // namespace rt
