#pragma once
// Time and threads for the whole program. Every wait goes through here, so the same
// code runs on the real clock (a person at the screen) or on a virtual clock (tests and
// headless lab runs), where time jumps to the next deadline once every participant is
// blocked, and only one participant runs at a time (the baton), which makes runs
// deterministic.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace rt {

enum class ClockMode { Real, Virtual };

// Starts the runtime on the calling thread, which becomes the UI thread.
// wallStartMs: the wall clock at time 0 (ms since 1970, local time as UTC fields).
void Init(ClockMode mode, std::int64_t wallStartMs, double speed = 1.0);
void Shutdown();
ClockMode Mode();
bool IsVirtual();

// Durations and time-outs may be anything up to INT64_MAX: a deadline beyond the end of
// the clock's range is "never", it does not wrap round.
std::int64_t NowMs();        // milliseconds since Init, on the runtime's clock
std::int64_t WallClockMs();  // wall clock (ms since 1970) on the runtime's clock
bool IsUiThread();
std::uint32_t CurrentThreadNumber();  // small stable number of the calling participant

// Lets time pass. Returns false when the calling worker has been asked to stop.
bool Sleep(std::int64_t ms);
// True when the calling worker has been asked to stop (never on the UI thread).
bool StopRequested();

// Runs call, which blocks outside the runtime (another process, a pipe), without
// holding the baton: on the virtual clock the others that can run go on meanwhile, and
// time stands still until call returns. The real clock just calls it.
void BlockingCall(const std::function<void()>& call);

// A flag a participant can wait for. Manual reset unless autoReset.
class Event {
public:
    explicit Event(bool autoReset = false, bool initial = false);
    ~Event();
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;
    void Set();
    void Reset();
    bool IsSet() const;
    enum class Result { Signalled, Timeout, Stopped };
    // timeoutMs < 0: no limit. A worker asked to stop returns Stopped.
    Result Wait(std::int64_t timeoutMs = -1);

    struct State;
private:
    std::shared_ptr<State> m_state;
};

// A worker thread with a cooperative stop. The owner joins it before it goes.
class Worker {
public:
    Worker() = default;
    ~Worker();  // requests the stop and joins
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    // A worker belongs to the running program unless hostScoped (the lab's own
    // participants), which StopAllWorkers leaves alone.
    void Start(const std::string& name, std::function<void()> body, bool hostScoped = false);
    void RequestStop();   // the worker's next runtime wait returns "stopped"
    void Join();
    void StopAndJoin() { RequestStop(); Join(); }
    bool Running() const;  // started and not yet returned
    bool Started() const { return m_impl != nullptr; }

    struct Impl;
private:
    std::shared_ptr<Impl> m_impl;
};

// Stops and joins every worker of the program still alive (process end).
void StopAllWorkers();
// The names of the program's workers that have started and not yet returned, in the
// order they were started (the lab reports what is still at work).
std::vector<std::string> RunningWorkerNames();

// ---- Random numbers ------------------------------------------------------------------

// Fills buffer with random bytes. Real clock: the operating system's cryptographic
// source. Virtual clock: a generator from the run's seed, so that a run replays.
void RandomBytes(void* buffer, std::size_t bytes);
// The virtual clock's seed: takes effect at once and at every later Init. Until set it
// is kDefaultRandomSeed, so that scripts and tests without a seed are deterministic.
constexpr std::uint64_t kDefaultRandomSeed = 20120503;
void SetRandomSeed(std::uint64_t seed);
std::uint64_t RandomSeed();

// ---- The UI thread's queue and pump ------------------------------------------------

// Runs fn on the UI thread, later (from any thread, including the UI thread).
void PostToUi(std::function<void()> fn);
// The same for an owner (a window): DropUiPosts(owner) takes back everything it still
// has queued, so that nothing posted to it runs once it is gone.
void PostToUi(const void* owner, std::function<void()> fn);
void DropUiPosts(const void* owner);
// Runs fn on the UI thread and waits until it has run; direct call on the UI thread.
// Returns false when the calling worker was asked to stop before fn ran.
bool SendToUi(const std::function<void()>& fn);

// Window timers: due times kept on the runtime's clock; fired by the pump.
using TimerCallback = std::function<void()>;
void SetUiTimer(const void* owner, std::uintptr_t id, std::int64_t periodMs, TimerCallback cb);
void KillUiTimer(const void* owner, std::uintptr_t id);
void KillAllUiTimers(const void* owner);
bool HasUiTimer(const void* owner, std::uintptr_t id);

// One step of the UI thread: Qt's events (through the hook), queued functions, due
// timers. When nothing was done and mayBlock, waits for the next thing to do (no later
// than untilMs when >= 0). Returns true when something was done.
bool PumpStep(bool mayBlock, std::int64_t untilMs = -1);

// Hooks of the layer above (Qt): process pending toolkit events without blocking; wait
// for toolkit input for at most ms (real clock only); wake such a wait from any thread.
struct UiHooks {
    std::function<bool()> processEvents;           // returns true when events were handled
    std::function<void(std::int64_t ms)> waitForEvents;
    std::function<void()> wake;
};
void SetUiHooks(UiHooks hooks);

// Counts every completed pump step that did work; lets observers wait for the UI to settle.
std::uint64_t UiActivityCount();
// Waits (as a participant) until the UI thread has settled: it waits in its pump and
// nothing is queued for it. False on time-out or stop.
bool WaitUiIdle(std::int64_t timeoutMs = -1);

// Virtual clock: what happened when no participant could run and nothing was due. The
// handler runs on the participant that found it, while every other one is blocked for
// good: it may write its reports, but never waits through the runtime. The process then
// ends with status 1.
using DeadlockHandler = std::function<void(const std::string& what)>;
void SetDeadlockHandler(DeadlockHandler handler);

// Process-wide shutdown request (system shut-down): modal loops end at once.
void RequestShutdown(bool on = true);
bool ShutdownRequested();

}  // namespace rt
