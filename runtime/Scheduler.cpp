// The scheduler: the clock (virtual or real), the baton that lets one participant run
// at a time on the virtual clock, sleeping, blocking calls, deadlock and shut-down.
#include <cstdio>
#include <cstdlib>

#include "runtime/RuntimeState.h"

namespace rt {

namespace detail {

RuntimeState& S()
{
    static RuntimeState* state = new RuntimeState();  // lives to the end of the process
    return *state;
}

thread_local Participant* tl_self = nullptr;

std::int64_t DeadlineAfter(std::int64_t now, std::int64_t ms)
{
    if (ms > 0 && now > kNever - ms) return kNever;
    return now + ms;
}

// A real-clock wait is cut into slices no longer than this, so that the clock's
// arithmetic never sees a duration it cannot hold.
constexpr double kLongestRealWaitMs = 60000.0;

// Milliseconds on the real clock since start, at the clock's speed.
std::int64_t RealNowMs(std::chrono::steady_clock::time_point start, double speed)
{
    auto elapsed = std::chrono::steady_clock::now() - start;
    double ms = std::chrono::duration<double, std::milli>(elapsed).count() * speed;
    return static_cast<std::int64_t>(ms);
}

std::int64_t NowLocked(RuntimeState& s)
{
    if (s.mode == ClockMode::Virtual) return s.virtualNow;
    return RealNowMs(s.realStart, s.speed);
}

void SetVirtualNowLocked(RuntimeState& s, std::int64_t now)
{
    s.virtualNow = now;
    s.clockView.virtualNow.store(now, std::memory_order_relaxed);
}

void WakeLocked(RuntimeState& s, Participant* p, Wake reason)
{
    if (!p->blocked) return;
    p->blocked = false;
    p->wake = reason;
    if (p->waitingOn) {
        auto& w = p->waitingOn->waiters;
        w.erase(std::remove(w.begin(), w.end(), p), w.end());
        p->waitingOn = nullptr;
    }
    s.blockedList.erase(std::remove(s.blockedList.begin(), s.blockedList.end(), p),
                        s.blockedList.end());
    s.runQueue.push_back(p);
    if (s.mode == ClockMode::Virtual && !s.current) {
        // Woken from outside the runtime while the baton was parked: it runs now.
        Participant* next = s.runQueue.front();
        s.runQueue.pop_front();
        s.current = next;
        next->cv.notify_one();
    }
}

void PassBatonLocked(RuntimeState& s, std::unique_lock<std::mutex>& lock)
{
    for (;;) {
        if (!s.runQueue.empty()) {
            Participant* next = s.runQueue.front();
            s.runQueue.pop_front();
            s.current = next;
            next->cv.notify_one();
            return;
        }
        if (!s.returned.empty() && s.outside == 0) {
            // Everyone back from outside: they go on in a fixed order, whatever the order
            // of their real returns was.
            std::sort(s.returned.begin(), s.returned.end(),
                      [](const Participant* a, const Participant* b) { return a->id < b->id; });
            for (Participant* p : s.returned) s.runQueue.push_back(p);
            s.returned.clear();
            continue;
        }
        Participant* soonest = nullptr;
        for (Participant* p : s.blockedList) {
            if (p->deadline < 0) continue;
            if (!soonest || p->deadline < soonest->deadline ||
                (p->deadline == soonest->deadline && p->seq < soonest->seq))
                soonest = p;
        }
        // Time stands still while a participant waits outside the runtime: only what is
        // due now may run, and the last one to come back takes the baton up again.
        if (soonest && (s.outside == 0 || soonest->deadline <= s.virtualNow)) {
            SetVirtualNowLocked(s, std::max(s.virtualNow, soonest->deadline));
            WakeLocked(s, soonest, Wake::Timeout);
            continue;
        }
        if (s.outside > 0) {
            s.current = nullptr;
            return;
        }
        std::string what = "virtual clock: every participant waits and nothing is due (";
        for (std::size_t i = 0; i < s.blockedList.size(); ++i) what += (i ? ", " : "") + s.blockedList[i]->name;
        what += ")";
        auto handler = s.deadlockHandler;
        lock.unlock();
        if (handler) handler(what);
        std::fprintf(stderr, "%s\n", what.c_str());
        std::_Exit(1);
    }
}

Wake BlockLocked(RuntimeState& s, std::unique_lock<std::mutex>& lock, Event::State* ev,
                 std::int64_t deadline)
{
    Participant* self = tl_self;
    if (s.mode == ClockMode::Virtual) {
        if (!self) {
            std::fprintf(stderr, "runtime: a thread outside the runtime waits on the virtual clock\n");
            std::_Exit(1);
        }
        self->blocked = true;
        self->deadline = deadline;
        self->waitingOn = ev;
        self->wake = Wake::None;
        self->seq = ++s.seq;
        if (ev) ev->waiters.push_back(self);
        s.blockedList.push_back(self);
        PassBatonLocked(s, lock);
        self->cv.wait(lock, [&] { return s.current == self; });
        return self->wake;
    }
    // Real clock.
    const std::uint64_t setsAtStart = ev ? ev->sets : 0;
    for (;;) {
        if (ev && (ev->signalled || (!ev->autoReset && ev->sets != setsAtStart))) return Wake::Signal;
        if (self && self->stopRequested) return Wake::Stop;
        if (deadline >= 0) {
            std::int64_t now = NowLocked(s);
            if (now >= deadline) return Wake::Timeout;
            double realMs = static_cast<double>(deadline - now) / s.speed;
            realMs = std::clamp(realMs, 0.1, kLongestRealWaitMs);
            s.realCv.wait_for(lock, std::chrono::duration<double, std::milli>(realMs));
        } else {
            s.realCv.wait(lock);
        }
    }
}

void SignalLocked(RuntimeState& s, Event::State* ev)
{
    ev->signalled = true;
    ++ev->sets;
    if (s.mode == ClockMode::Virtual) {
        auto waiters = ev->waiters;
        for (Participant* p : waiters) {
            WakeLocked(s, p, Wake::Signal);
            if (ev->autoReset) {
                ev->signalled = false;
                break;
            }
        }
    } else {
        s.realCv.notify_all();
    }
}

}  // namespace detail

using namespace detail;

// ---- Clock ------------------------------------------------------------------------

void Init(ClockMode mode, std::int64_t wallStartMs, double speed)
{
    auto& s = S();
    std::unique_lock lock(s.m);
    s.mode = mode;
    s.wallStart = wallStartMs;
    s.speed = speed > 0 ? speed : 1.0;
    s.realStart = std::chrono::steady_clock::now();
    s.virtualNow = 0;
    // Published for WallClockMs: a reader that sees seq odd or changed takes the lock.
    auto& view = s.clockView;
    const std::uint64_t seq = view.seq.load(std::memory_order_relaxed);
    view.seq.store(seq + 1, std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_release);
    view.isVirtual.store(s.mode == ClockMode::Virtual, std::memory_order_relaxed);
    view.wallStart.store(s.wallStart, std::memory_order_relaxed);
    view.speed.store(s.speed, std::memory_order_relaxed);
    view.realStart.store(s.realStart.time_since_epoch().count(), std::memory_order_relaxed);
    view.virtualNow.store(s.virtualNow, std::memory_order_relaxed);
    view.seq.store(seq + 2, std::memory_order_release);
    s.ui.id = 0;
    s.ui.name = "ui";
    s.ui.isUi = true;
    s.uiThreadId = std::this_thread::get_id();
    s.current = &s.ui;
    s.uiWake = std::make_shared<Event::State>();
    s.uiWake->autoReset = true;
    s.uiIdle = std::make_shared<Event::State>();
    s.initialised = true;
    s.shutdown = false;
    s.uiIdleNow = false;
    tl_self = &s.ui;
    lock.unlock();
    // Every virtual run draws the same numbers from the same seed.
    SetRandomSeed(RandomSeed());
}

void Shutdown()
{
    StopAllWorkers();
    auto& s = S();
    std::unique_lock lock(s.m);
    s.uiQueue.clear();
    s.timers.clear();
}

ClockMode Mode() { return S().mode; }
bool IsVirtual() { return S().mode == ClockMode::Virtual; }

std::int64_t NowMs()
{
    auto& s = S();
    std::unique_lock lock(s.m);
    return NowLocked(s);
}

std::int64_t WallClockMs()
{
    auto& s = S();
    // Without the lock from the published view, unless Init is changing it meanwhile; the
    // same reading and arithmetic as under the lock.
    const auto& view = s.clockView;
    const std::uint64_t seq = view.seq.load(std::memory_order_acquire);
    if ((seq & 1) == 0) {
        const bool isVirtual = view.isVirtual.load(std::memory_order_relaxed);
        const std::int64_t wallStart = view.wallStart.load(std::memory_order_relaxed);
        const double speed = view.speed.load(std::memory_order_relaxed);
        const std::chrono::steady_clock::time_point realStart{
            std::chrono::steady_clock::duration{view.realStart.load(std::memory_order_relaxed)}};
        const std::int64_t virtualNow = view.virtualNow.load(std::memory_order_relaxed);
        std::atomic_thread_fence(std::memory_order_acquire);
        if (view.seq.load(std::memory_order_relaxed) == seq)
            return DeadlineAfter(wallStart, isVirtual ? virtualNow : RealNowMs(realStart, speed));
    }
    std::unique_lock lock(s.m);
    return DeadlineAfter(s.wallStart, NowLocked(s));
}

bool IsUiThread() { return std::this_thread::get_id() == S().uiThreadId; }

std::uint32_t CurrentThreadNumber() { return tl_self ? static_cast<std::uint32_t>(tl_self->id) : 0xFFFFu; }

bool Sleep(std::int64_t ms)
{
    auto& s = S();
    std::unique_lock lock(s.m);
    if (tl_self && tl_self->stopRequested) return false;
    Wake w = BlockLocked(s, lock, nullptr, DeadlineAfter(NowLocked(s), std::max<std::int64_t>(ms, 0)));
    return w != Wake::Stop && !(tl_self && tl_self->stopRequested);
}

void BlockingCall(const std::function<void()>& call)
{
    auto& s = S();
    Participant* self = tl_self;
    if (s.mode != ClockMode::Virtual || !self) {
        call();
        return;
    }
    std::unique_lock lock(s.m);
    ++s.outside;
    PassBatonLocked(s, lock);
    lock.unlock();
    call();
    lock.lock();
    --s.outside;
    s.returned.push_back(self);
    if (!s.current && s.outside == 0) {
        // The baton waited for us: take it up and hand it on in the fixed order.
        s.current = self;
        PassBatonLocked(s, lock);
    }
    self->cv.wait(lock, [&] { return s.current == self; });
}

bool StopRequested() { return tl_self && tl_self->stopRequested; }

void SetDeadlockHandler(DeadlockHandler handler)
{
    auto& s = S();
    std::unique_lock lock(s.m);
    s.deadlockHandler = std::move(handler);
}

void RequestShutdown(bool on)
{
    auto& s = S();
    s.shutdown = on;
    Event::State* ev = nullptr;
    {
        std::unique_lock lock(s.m);
        ev = s.uiWake.get();
        if (ev) SignalLocked(s, ev);
    }
}

bool ShutdownRequested() { return S().shutdown; }

}  // namespace rt
