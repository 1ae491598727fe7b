#include "measure/polling_worker.h"

#include <algorithm>
#include <chrono>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace tavimo::measure {

namespace {

// An idle pass blocks until it is woken (a state change, wake()) or this
// long has passed, so that a screen opened without wake() is still served.
constexpr auto kIdleWait = std::chrono::milliseconds(100);

void bitsToFlags(int out, bool& hi, bool& go, bool& lo, bool& alarm)
{
    hi = out & 1;
    go = out & 2;
    lo = out & 4;
    alarm = out & 8;
}

} // namespace

std::uint32_t systemTick()
{
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                  std::chrono::steady_clock::now().time_since_epoch())
                  .count();
    return static_cast<std::uint32_t>(ms);
}

void applyThreadPriority(int priority)
{
    static constexpr int nice[] = {10, 5, 0, -5, -10};
    if (priority < 1 || priority > 5) priority = 2;
    auto tid = static_cast<id_t>(::syscall(SYS_gettid));
    (void)::setpriority(PRIO_PROCESS, tid, nice[priority - 1]);
}

TSdrvThread::TSdrvThread(link::CommandSet& commands, const link::ActiveControllers& active, SharedData& shared,
                         int statusDivider, int priority, TickSource tick)
    : commands_(commands), active_(active), shared_(shared), tick_(std::move(tick)),
      statusDivider_(statusDivider < 0 ? 0 : statusDivider), priority_(priority)
{
    thread_ = std::thread([this] { run(); });
}

TSdrvThread::~TSdrvThread()
{
    terminate();
}

void TSdrvThread::requestState(int value)
{
    if (value != static_cast<int>(WorkerState::PauseRequested) && value != static_cast<int>(WorkerState::RunRequested))
        return;
    state_ = value;
    wake_.notify_all();
}

bool TSdrvThread::suspended() const
{
    std::lock_guard lk(mutex_);
    return suspended_;
}

void TSdrvThread::setState(WorkerState s)
{
    {
        std::lock_guard lk(mutex_);
        state_ = static_cast<int>(s);
    }
    stateChanged_.notify_all();
}

std::chrono::milliseconds TSdrvThread::handshakeWait() const
{
    // The worker acknowledges at its next command boundary. One command to a
    // controller in alarm can cost two attempts and two clearing commands of
    // two attempts each: six read timeouts, plus a second of slack.
    const long long t = commands_.link().port().timeoutMs();
    return std::chrono::milliseconds(std::max<long long>(kHandshakePolls * kHandshakePollMs, 6 * t + 1000));
}

bool TSdrvThread::waitForState(WorkerState wanted)
{
    std::unique_lock lk(mutex_);
    return stateChanged_.wait_for(lk, handshakeWait(), [&] { return state_.load() == static_cast<int>(wanted); });
}

void TSdrvThread::wake()
{
    wake_.notify_all();
}

bool TSdrvThread::pauseWorker()
{
    if (suspended()) return true;
    requestState(static_cast<int>(WorkerState::PauseRequested));
    if (!waitForState(WorkerState::Paused)) return false;
    std::lock_guard lk(mutex_);
    suspended_ = true;
    return true;
}

bool TSdrvThread::resumeWorker()
{
    if (!active_.online()) return true;
    {
        std::lock_guard lk(mutex_);
        if (!suspended_) return true;
        suspended_ = false;
        state_ = static_cast<int>(WorkerState::RunRequested);
    }
    wake_.notify_all();
    return waitForState(WorkerState::Running);
}

void TSdrvThread::terminate()
{
    {
        std::lock_guard lk(mutex_);
        terminate_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void TSdrvThread::idleWait()
{
    std::unique_lock lk(mutex_);
    wake_.wait_for(lk, kIdleWait, [&] { return terminate_; });
}

void TSdrvThread::run()
{
    applyThreadPriority(priority_);
    for (;;) {
        {
            // A suspended worker waits here without using the processor.
            std::unique_lock lk(mutex_);
            wake_.wait(lk, [&] { return terminate_ || !suspended_; });
            if (terminate_) break;
        }
        int s = state_.load();
        if (s == static_cast<int>(WorkerState::PauseRequested)) setState(WorkerState::Paused);
        else if (s == static_cast<int>(WorkerState::RunRequested)) setState(WorkerState::Running);
        s = state_.load();
        if (s != static_cast<int>(WorkerState::Running)) {
            idleWait();
            continue;
        }
        try {
            bool collect = false;
            {
                std::unique_lock lk(shared_.waveLock, std::defer_lock);
                if (!lk.try_lock_for(kDataLockWait)) continue;
                collect = shared_.collect;
            }
            bool worked = false;
            if (active_.online()) {
                switch (static_cast<ScreenMode>(shared_.screenMode.load())) {
                case ScreenMode::MeasuredValues: measuredValueCycle(); worked = true; break;
                case ScreenMode::Waveform:
                    if (collect) {
                        waveformCycle();
                        worked = true;
                    }
                    break;
                case ScreenMode::Buffering: bufferingStatusCycle(); worked = true; break;
                default: break;
                }
            }
            ++cycles_;
            if (!worked) idleWait();
            else std::this_thread::yield();
        } catch (...) {
            // Locks are held by scope only, so nothing stays locked; go on.
        }
    }
    setState(WorkerState::Ended);
}

void TSdrvThread::measuredValueCycle()
{
    struct Reading {
        double value = 0;
        int out = 0, zero = 0, unit = 0;
    };
    std::array<Reading, 8> readings{};
    const int n = active_.activeCount();
    for (int i = 0; i < n; ++i) {
        const int id = active_.activeId(i);
        Reading& r = readings[static_cast<std::size_t>(id)];
        // A pause is honoured after every command, failed or not: a dead
        // controller costs two timeouts per command.
        bool ok = commands_.read(link::cmd::MD, id, r.value, false);
        if (pauseRequested()) return;
        if (!ok) {
            r = {};
            continue;
        }
        ok = commands_.read(link::cmd::OT, id, r.out, false);
        if (pauseRequested()) return;
        if (!ok) {
            r.out = r.zero = r.unit = 0;
            continue;
        }
        ok = commands_.read(link::cmd::ZS, id, r.zero, false);
        if (pauseRequested()) return;
        if (!ok) {
            r.zero = r.unit = 0;
            continue;
        }
        ok = commands_.read(link::cmd::UT, id, r.unit, false);
        if (pauseRequested()) return;
        if (!ok) r.unit = 0;
    }
    std::unique_lock lk(shared_.measureLock, std::defer_lock);
    if (!lk.try_lock_for(kDataLockWait)) return;
    for (int i = 0; i < n; ++i) {
        if (pauseRequested()) break;
        const int id = active_.activeId(i);
        const Reading& r = readings[static_cast<std::size_t>(id)];
        MeasuredValue& m = shared_.snapshot.controllers[static_cast<std::size_t>(id)];
        m.value = r.value;
        bitsToFlags(r.out, m.hi, m.go, m.lo, m.alarm);
        m.zeroSet = r.zero == 1;
        m.voltageDisplay = r.unit == 1;
    }
}

void TSdrvThread::waveformCycle()
{
    struct Sample {
        double value = 0, upper = 0, lower = 0;
        int out = 0;
    };
    const std::uint32_t tick = tick_();
    std::array<Sample, 8> samples{};
    const int n = active_.activeCount();
    for (int i = 0; i < n; ++i) {
        const int id = active_.activeId(i);
        Sample& s = samples[static_cast<std::size_t>(id)];
        bool ok = commands_.read(link::cmd::MD, id, s.value, false);
        if (pauseRequested()) return;
        if (!ok) {
            s = {};
            continue;
        }
        ok = commands_.read(link::cmd::HT, id, s.upper, false);
        if (pauseRequested()) return;
        if (!ok) {
            s.upper = s.lower = 0;
            s.out = 0;
            continue;
        }
        ok = commands_.read(link::cmd::LT, id, s.lower, false);
        if (pauseRequested()) return;
        if (!ok) {
            s.lower = 0;
            s.out = 0;
            continue;
        }
        ok = commands_.read(link::cmd::OT, id, s.out, false);
        if (pauseRequested()) return;
        if (!ok) s.out = 0;
    }
    std::unique_lock lk(shared_.waveLock, std::defer_lock);
    if (!lk.try_lock_for(kDataLockWait)) return;
    if (shared_.liveCount < 0 || shared_.liveCount >= kWaveRecordsPerBlock) return;
    WaveRecord& rec = shared_.liveBlock.records[static_cast<std::size_t>(shared_.liveCount)];
    rec.tick = tick;
    for (int i = 0; i < n; ++i) {
        if (pauseRequested()) return;
        const int id = active_.activeId(i);
        const Sample& s = samples[static_cast<std::size_t>(id)];
        WaveSlot& slot = rec.slot[static_cast<std::size_t>(id)];
        slot.value = s.value;
        slot.upper = s.upper;
        slot.lower = s.lower;
        slot.hi = s.out & 1 ? 1 : 0;
        slot.go = s.out & 2 ? 1 : 0;
        slot.lo = s.out & 4 ? 1 : 0;
        slot.alarm = s.out & 8 ? 1 : 0;
        slot.valid = 1;
    }
    ++shared_.liveCount;
}

void TSdrvThread::bufferingStatusCycle()
{
    if (divideCounter_ < statusDivider_) {
        ++divideCounter_;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return;
    }
    divideCounter_ = 0;
    BufferPollRequest req;
    {
        std::unique_lock lk(shared_.bufferLock, std::defer_lock);
        if (!lk.try_lock_for(kDataLockWait)) return;
        req = shared_.bufferRequest;
    }
    if (!link::validControllerId(req.controllerId)) return;
    BufferStatus st;
    bool ok = commands_.read(link::cmd::BR, req.controllerId, st.runState, false);
    if (!ok || pauseRequested()) return;
    ok = commands_.read(link::cmd::BC, req.controllerId, st.triggerState, false);
    if (!ok || pauseRequested()) return;
    ok = commands_.read(link::cmd::BN, req.controllerId, st.storedCount, false, req.holdMode != 0 ? 1 : 2);
    if (!ok || pauseRequested()) return;
    std::unique_lock lk(shared_.bufferLock, std::defer_lock);
    if (!lk.try_lock_for(kDataLockWait)) return;
    shared_.bufferStatus = st;
}

} // namespace tavimo::measure
