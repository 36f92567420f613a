// Events and workers: threads that take part in the runtime's clock, with a cooperative
// stop and a join that happens once.
#include "runtime/RuntimeState.h"

namespace rt {

using namespace detail;

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

}  // namespace

void detail::WaitIgnoringStop(Event& ev)
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

std::vector<std::string> RunningWorkerNames()
{
    auto& s = S();
    std::unique_lock lock(s.m);
    std::vector<std::string> names;
    for (auto& w : s.workers)
        if (auto p = w.lock(); p && p->running) names.push_back(p->name);
    return names;
}

}  // namespace rt
