#include "runtime/Runtime.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <limits>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace rt {

namespace {

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

}  // namespace

struct Event::State {
    bool autoReset = false;
    bool signalled = false;
    // Counts every Set: a real-clock waiter of a manual-reset event is released by a Set
    // made while it waited, even when a Reset came before it woke.
    std::uint64_t sets = 0;
    std::vector<Participant*> waiters;
};

namespace {

struct RuntimeState {
    std::mutex m;
    std::condition_variable realCv;  // real clock: every change wakes every waiter
    ClockMode mode = ClockMode::Real;
    bool initialised = false;
    std::int64_t wallStart = 0;
    double speed = 1.0;
    std::chrono::steady_clock::time_point realStart;
    std::int64_t virtualNow = 0;

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

RuntimeState& S()
{
    static RuntimeState* state = new RuntimeState();  // lives to the end of the process
    return *state;
}

thread_local Participant* tl_self = nullptr;

constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();

// now + ms without overflow: a duration near the end of time means "never".
std::int64_t DeadlineAfter(std::int64_t now, std::int64_t ms)
{
    if (ms > 0 && now > kNever - ms) return kNever;
    return now + ms;
}

// A real-clock wait is cut into slices no longer than this, so that the clock's
// arithmetic never sees a duration it cannot hold.
constexpr double kLongestRealWaitMs = 60000.0;

std::int64_t NowLocked(RuntimeState& s)
{
    if (s.mode == ClockMode::Virtual) return s.virtualNow;
    auto elapsed = std::chrono::steady_clock::now() - s.realStart;
    double ms = std::chrono::duration<double, std::milli>(elapsed).count() * s.speed;
    return static_cast<std::int64_t>(ms);
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

// Hands the baton to the next runnable participant; when none can run, advances the
// clock to the earliest deadline. Called with the lock held by the participant giving
// up the baton.
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
            s.virtualNow = std::max(s.virtualNow, soonest->deadline);
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

// Blocks the calling participant until the event is signalled, the deadline passes or
// (for workers) a stop is requested. Lock held on entry and exit.
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

}  // namespace

// ---- Worker ---------------------------------------------------------------------

struct Worker::Impl {
    std::string name;
    Participant participant;
    std::thread thread;
    std::atomic<bool> running{false};
    std::mutex joinMutex;  // the owner's Join and StopAllWorkers may meet: one joins
    bool joined = false;
    std::shared_ptr<Event::State> done = std::make_shared<Event::State>();
};

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

// ---- Event ------------------------------------------------------------------------

Event::Event(bool autoReset, bool initial) : m_state(std::make_shared<State>())
{
    m_state->autoReset = autoReset;
    m_state->signalled = initial;
}

Event::~Event() = default;

void Event::Set()
{
    auto& s = S();
    std::unique_lock lock(s.m);
    SignalLocked(s, m_state.get());
}

void Event::Reset()
{
    auto& s = S();
    std::unique_lock lock(s.m);
    m_state->signalled = false;
}

bool Event::IsSet() const
{
    auto& s = S();
    std::unique_lock lock(s.m);
    return m_state->signalled;
}

Event::Result Event::Wait(std::int64_t timeoutMs)
{
    auto& s = S();
    std::unique_lock lock(s.m);
    auto consume = [&] {
        if (m_state->autoReset) m_state->signalled = false;
        return Result::Signalled;
    };
    if (m_state->signalled) return consume();
    if (tl_self && tl_self->stopRequested) return Result::Stopped;
    std::int64_t deadline = timeoutMs < 0 ? -1 : DeadlineAfter(NowLocked(s), timeoutMs);
    Wake w = BlockLocked(s, lock, m_state.get(), deadline);
    switch (w) {
    case Wake::Signal:
        if (s.mode == ClockMode::Virtual) {
            // The setter already consumed an auto-reset event on our behalf.
            return Result::Signalled;
        }
        return consume();
    case Wake::Stop: return Result::Stopped;
    default: return m_state->signalled ? consume() : Result::Timeout;
    }
}

// ---- Worker -----------------------------------------------------------------------

namespace {

// Waits for a worker's end. A participant waits through the runtime; asked to stop
// meanwhile, it still waits (the worker must not outlive its owner) and keeps the
// request for its own next wait.
void WaitForEndLocked(RuntimeState& s, std::unique_lock<std::mutex>& lock, Worker::Impl& impl)
{
    while (!impl.done->signalled) {
        if (tl_self) {
            bool stopping = tl_self->stopRequested;
            tl_self->stopRequested = false;
            BlockLocked(s, lock, impl.done.get(), -1);
            if (stopping) tl_self->stopRequested = true;
        } else {
            s.realCv.wait(lock);
        }
    }
}

// Joins the worker's thread exactly once, whoever comes first; a second caller returns
// once the first has joined. A worker never joins its own thread.
void JoinThreadOnce(Worker::Impl& impl)
{
    std::lock_guard guard(impl.joinMutex);
    if (impl.joined || !impl.thread.joinable() || impl.thread.get_id() == std::this_thread::get_id()) return;
    impl.thread.join();
    impl.joined = true;
}

// Waits for an event even when the calling worker has been asked to stop (its stop
// request is kept and seen by its next wait).
void WaitIgnoringStop(Event& ev)
{
    auto& s = S();
    for (;;) {
        bool stopping = false;
        {
            std::unique_lock lock(s.m);
            if (tl_self) {
                stopping = tl_self->stopRequested;
                tl_self->stopRequested = false;
            }
        }
        Event::Result r = ev.Wait(-1);
        std::unique_lock lock(s.m);
        if (tl_self && stopping) tl_self->stopRequested = true;
        if (r == Event::Result::Signalled) return;
    }
}

}  // namespace

Worker::~Worker()
{
    if (m_impl) StopAndJoin();
}

void Worker::Start(const std::string& name, std::function<void()> body, bool hostScoped)
{
    if (m_impl) StopAndJoin();
    auto impl = std::make_shared<Impl>();
    impl->name = name;
    impl->running = true;
    auto& s = S();
    {
        std::unique_lock lock(s.m);
        impl->participant.id = s.nextId++;
        impl->participant.name = name;
        if (!hostScoped) s.workers.push_back(impl);
        if (s.mode == ClockMode::Virtual) s.runQueue.push_back(&impl->participant);
    }
    Impl* raw = impl.get();
    std::lock_guard guard(impl->joinMutex);  // no join before the thread is in place
    impl->thread = std::thread([raw, body = std::move(body)] {
        auto& st = S();
        tl_self = &raw->participant;
        {
            std::unique_lock lock(st.m);
            if (st.mode == ClockMode::Virtual)
                raw->participant.cv.wait(lock, [&] { return st.current == &raw->participant; });
        }
        if (!raw->participant.stopRequested) body();
        std::unique_lock lock(st.m);
        raw->running = false;
        SignalLocked(st, raw->done.get());
        if (st.mode == ClockMode::Virtual) PassBatonLocked(st, lock);
        tl_self = nullptr;
    });
    m_impl = std::move(impl);
}

void Worker::RequestStop()
{
    if (!m_impl) return;
    auto& s = S();
    std::unique_lock lock(s.m);
    m_impl->participant.stopRequested = true;
    if (s.mode == ClockMode::Virtual) WakeLocked(s, &m_impl->participant, Wake::Stop);
    else s.realCv.notify_all();
}

void Worker::Join()
{
    if (!m_impl) return;
    auto& s = S();
    {
        std::unique_lock lock(s.m);
        WaitForEndLocked(s, lock, *m_impl);
    }
    JoinThreadOnce(*m_impl);
}

bool Worker::Running() const { return m_impl && m_impl->running; }

void StopAllWorkers()
{
    auto& s = S();
    std::vector<std::shared_ptr<Worker::Impl>> alive;
    {
        std::unique_lock lock(s.m);
        for (auto& w : s.workers)
            if (auto p = w.lock()) alive.push_back(p);
        s.workers.clear();
    }
    for (auto& impl : alive) {
        {
            std::unique_lock lock(s.m);
            impl->participant.stopRequested = true;
            if (s.mode == ClockMode::Virtual) WakeLocked(s, &impl->participant, Wake::Stop);
            else s.realCv.notify_all();
        }
        if (&impl->participant == tl_self) continue;  // a worker never waits for itself
        {
            std::unique_lock lock(s.m);
            WaitForEndLocked(s, lock, *impl);
        }
        JoinThreadOnce(*impl);
    }
}

// ---- UI queue, timers, pump ---------------------------------------------------------

void PostToUi(std::function<void()> fn) { PostToUi(nullptr, std::move(fn)); }

void PostToUi(const void* owner, std::function<void()> fn)
{
    auto& s = S();
    UiHooks hooks;
    {
        std::unique_lock lock(s.m);
        s.uiQueue.push_back({owner, std::move(fn)});
        SignalLocked(s, s.uiWake.get());
        hooks = s.hooks;
    }
    if (hooks.wake && !IsUiThread()) hooks.wake();
}

bool SendToUi(const std::function<void()>& fn)
{
    if (IsUiThread()) {
        fn();
        return true;
    }
    auto state = std::make_shared<SendState>();
    state->fn = fn;
    PostToUi([state] {
        {
            auto& s = S();
            std::unique_lock lock(s.m);
            if (state->cancelled) return;
            state->started = true;
        }
        state->fn();
        state->done.Set();
    });
    Event::Result r = state->done.Wait(-1);
    if (r == Event::Result::Signalled) return true;
    {
        auto& s = S();
        std::unique_lock lock(s.m);
        if (!state->started) {
            state->cancelled = true;
            return false;
        }
    }
    // Already running on the UI thread with our data: wait for its end all the same,
    // then report the stop.
    WaitIgnoringStop(state->done);
    return false;
}

void DropUiPosts(const void* owner)
{
    if (!owner) return;
    auto& s = S();
    std::unique_lock lock(s.m);
    std::erase_if(s.uiQueue, [&](const RuntimeState::Posted& p) { return p.owner == owner; });
}

void SetUiTimer(const void* owner, std::uintptr_t id, std::int64_t periodMs, TimerCallback cb)
{
    auto& s = S();
    UiHooks hooks;
    {
        std::unique_lock lock(s.m);
        auto it = std::find_if(s.timers.begin(), s.timers.end(),
                               [&](const UiTimer& t) { return t.owner == owner && t.id == id; });
        std::int64_t due = DeadlineAfter(NowLocked(s), periodMs);
        if (it != s.timers.end()) {
            it->period = periodMs;
            it->due = due;
            it->cb = std::move(cb);
        } else {
            s.timers.push_back(UiTimer{owner, id, periodMs, due, ++s.timerSeq, std::move(cb)});
        }
        SignalLocked(s, s.uiWake.get());
        hooks = s.hooks;
    }
    if (hooks.wake && !IsUiThread()) hooks.wake();
}

void KillUiTimer(const void* owner, std::uintptr_t id)
{
    auto& s = S();
    std::unique_lock lock(s.m);
    s.timers.erase(std::remove_if(s.timers.begin(), s.timers.end(),
                                  [&](const UiTimer& t) { return t.owner == owner && t.id == id; }),
                   s.timers.end());
}

void KillAllUiTimers(const void* owner)
{
    auto& s = S();
    std::unique_lock lock(s.m);
    s.timers.erase(std::remove_if(s.timers.begin(), s.timers.end(),
                                  [&](const UiTimer& t) { return t.owner == owner; }),
                   s.timers.end());
}

bool HasUiTimer(const void* owner, std::uintptr_t id)
{
    auto& s = S();
    std::unique_lock lock(s.m);
    return std::any_of(s.timers.begin(), s.timers.end(),
                       [&](const UiTimer& t) { return t.owner == owner && t.id == id; });
}

void SetUiHooks(UiHooks hooks)
{
    auto& s = S();
    std::unique_lock lock(s.m);
    s.hooks = std::move(hooks);
}

std::uint64_t UiActivityCount()
{
    auto& s = S();
    std::unique_lock lock(s.m);
    return s.uiActivity;
}

namespace {

bool ProcessToolkitEvents(RuntimeState& s)
{
    std::function<bool()> process;
    {
        std::unique_lock lock(s.m);
        process = s.hooks.processEvents;
    }
    bool any = false;
    if (process) {
        for (int i = 0; i < 20 && process(); ++i) any = true;
    }
    return any;
}

bool RunQueued(RuntimeState& s)
{
    bool any = false;
    for (;;) {
        std::function<void()> fn;
        {
            std::unique_lock lock(s.m);
            if (s.uiQueue.empty()) break;
            fn = std::move(s.uiQueue.front().fn);
            s.uiQueue.pop_front();
        }
        fn();
        any = true;
    }
    return any;
}

bool FireDueTimers(RuntimeState& s)
{
    // One pass over the timers due now, earliest first; each is re-armed before its
    // handler runs, so a handler that opens a modal loop sees its timer tick on.
    std::vector<std::pair<const void*, std::uintptr_t>> due;
    {
        std::unique_lock lock(s.m);
        std::int64_t now = NowLocked(s);
        std::vector<UiTimer*> ready;
        for (auto& t : s.timers)
            if (t.due <= now) ready.push_back(&t);
        std::sort(ready.begin(), ready.end(), [](const UiTimer* a, const UiTimer* b) {
            return a->due != b->due ? a->due < b->due : a->seq < b->seq;
        });
        for (auto* t : ready) due.emplace_back(t->owner, t->id);
    }
    bool any = false;
    for (auto& [owner, id] : due) {
        TimerCallback cb;
        {
            std::unique_lock lock(s.m);
            auto it = std::find_if(s.timers.begin(), s.timers.end(),
                                   // The names are copied in: clang before 16 cannot capture structured bindings.
                                   [&, owner = owner, id = id](const UiTimer& t) {
                                       return t.owner == owner && t.id == id;
                                   });
            if (it == s.timers.end()) continue;
            std::int64_t now = NowLocked(s);
            if (it->due > now) continue;
            it->due = DeadlineAfter(now, std::max<std::int64_t>(it->period, 1));
            cb = it->cb;
        }
        if (cb) cb();
        any = true;
    }
    return any;
}

std::int64_t NextTimerDueLocked(RuntimeState& s)
{
    std::int64_t next = -1;
    for (auto& t : s.timers)
        if (next < 0 || t.due < next) next = t.due;
    return next;
}

}  // namespace

bool PumpStep(bool mayBlock, std::int64_t untilMs)
{
    auto& s = S();
    bool did = false;
    ProcessToolkitEvents(s);
    did |= RunQueued(s);
    did |= FireDueTimers(s);
    if (did) {
        ProcessToolkitEvents(s);
        std::unique_lock lock(s.m);
        ++s.uiActivity;
        return true;
    }
    if (!mayBlock) return false;

    std::unique_lock lock(s.m);
    if (!s.uiQueue.empty()) return false;
    std::int64_t deadline = NextTimerDueLocked(s);
    if (untilMs >= 0 && (deadline < 0 || untilMs < deadline)) deadline = untilMs;
    if (deadline >= 0 && deadline <= NowLocked(s)) return false;
    if (s.mode == ClockMode::Real && s.uiWake->signalled) {
        // Woken while busy (a timer set, a shutdown request): look again first.
        s.uiWake->signalled = false;
        return false;
    }
    // Settled: the UI thread waits with nothing queued. Each settling has its own number,
    // so that a waiter that wakes after the UI thread went busy again still sees it.
    ++s.uiIdleGeneration;
    s.uiIdleNow = true;
    SignalLocked(s, s.uiIdle.get());
    s.uiIdle->signalled = false;
    if (s.mode == ClockMode::Virtual || !s.hooks.waitForEvents) {
        BlockLocked(s, lock, s.uiWake.get(), deadline);
        s.uiWake->signalled = false;
    } else {
        auto wait = s.hooks.waitForEvents;
        double ms = deadline < 0 ? 100.0 : static_cast<double>(deadline - NowLocked(s)) / s.speed;
        lock.unlock();
        // The toolkit's wait: a post from another thread wakes it through the wake hook.
        wait(static_cast<std::int64_t>(std::clamp(ms, 0.0, 100.0)));
        lock.lock();
        s.uiWake->signalled = false;
    }
    s.uiIdleNow = false;
    return false;
}

bool WaitUiIdle(std::int64_t timeoutMs)
{
    auto& s = S();
    std::unique_lock lock(s.m);
    std::int64_t deadline = timeoutMs < 0 ? -1 : DeadlineAfter(NowLocked(s), timeoutMs);
    const std::uint64_t generation = s.uiIdleGeneration;
    // Settled: the UI thread waits in its pump with nothing queued for it, now or at some
    // moment since the call.
    auto settled = [&] { return (s.uiIdleNow && s.uiQueue.empty()) || s.uiIdleGeneration != generation; };
    while (!settled()) {
        if (deadline >= 0 && NowLocked(s) >= deadline) return false;
        Wake w = BlockLocked(s, lock, s.uiIdle.get(), deadline);
        if (w == Wake::Stop) return false;
    }
    return true;
}

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
