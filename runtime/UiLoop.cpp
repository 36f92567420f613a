// The UI loop: posts and sends to the UI thread, the UI timers, the pump that runs
// them with the toolkit's events, and the wait for an idle UI.
#include "runtime/RuntimeState.h"

namespace rt {

using namespace detail;

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

}  // namespace rt
