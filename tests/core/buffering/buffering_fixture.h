// The simulator line of the batch tests with what the buffering procedures
// add: the shared buffering record, an Operator that can press Cancel and
// be told when a progress window closes, a worker control that counts and
// can refuse, and the waits recorded together with the number of requests
// sent before each.
#pragma once

#include "../batch/batch_line.h"

#include "buffering/buffering_line.h"
#include "buffering/buffering_state.h"

#include <functional>
#include <mutex>

namespace tavimo::bufferingtest {

struct TestOperator : batchtest::ScriptedOperator {
    int cancelAfterSets = -1; // Cancel is seen after this many progress steps
    int sets = 0;
    std::function<void()> onProgressSet;
    std::function<void()> onProgressEnd;

    void progressBegin(int max) override
    {
        ScriptedOperator::progressBegin(max);
        sets = 0;
    }
    void progressSet(int value) override
    {
        ScriptedOperator::progressSet(value);
        ++sets;
        if (onProgressSet) onProgressSet();
    }
    void progressEnd() override
    {
        ScriptedOperator::progressEnd();
        if (onProgressEnd) onProgressEnd();
    }
    bool cancelRequested() override { return cancelAfterSets >= 0 && sets >= cancelAfterSets; }
};

struct WatchedWorker : link::WorkerControl {
    link::WorkerControl* inner = nullptr;
    int pauses = 0;
    int resumes = 0;
    bool refusePause = false;
    bool pauseWorker() override
    {
        ++pauses;
        return !refusePause && inner->pauseWorker();
    }
    bool resumeWorker() override
    {
        ++resumes;
        return inner->resumeWorker();
    }
};

struct Wait {
    int ms = 0;
    std::size_t afterRequests = 0; // requests the simulator had received
};

class BufferingSim : public batchtest::BatchLine {
protected:
    void startLine(std::vector<int> ids = {0, 1}) { start(std::move(ids)); }

    buffering::BufferingLine line()
    {
        watched_.inner = control_.get();
        settings::OperationContext ctx{commands_, active_,
                                       watched_,  shared_,
                                       user_,     batchtest::kTestTimeoutIndex,
                                       batchtest::kTestSendInterval, [this](int ms) {
                                           waits_.push_back({ms, sim_->requestCount()});
                                       }};
        return buffering::BufferingLine{ctx, record_};
    }

    // The record as the worker would leave it after such a run.
    void readable(int id, int points, int holdMode = 0)
    {
        editState([&](buffering::BufferingState& s) {
            s.controllerId = id;
            s.holdMode = holdMode;
            s.bufferPoints = points;
            s.maxPoints = 50000;
            s.controllerTriggerPoint = 1;
            s.runState = 0;
            s.triggerState = 1;
            s.storedCount = points;
        });
    }

    buffering::BufferingState state()
    {
        std::lock_guard lock(shared_.bufferLock);
        return record_.getLocked();
    }
    template <class Fn> void editState(Fn&& fn)
    {
        std::lock_guard lock(shared_.bufferLock);
        buffering::BufferingState s = record_.getLocked();
        fn(s);
        record_.setLocked(s);
    }

    bool lockFree()
    {
        std::unique_lock lock(shared_.bufferLock, std::try_to_lock);
        return lock.owns_lock();
    }

    // Requests to `id` whose command field starts with `prefix` ("WBR").
    std::vector<std::string> requestsLike(int id, const std::string& prefix) const
    {
        std::vector<std::string> out;
        for (const auto& r : requestsTo(id))
            if (r.rfind(prefix, 0) == 0) out.push_back(r);
        return out;
    }

    // A run in the simulator that ended long ago with its memory full:
    // `points` points at `rate`, triggered at its first point.
    void finishedRun(int id, int points, int rate = 1, int holdMode = 0)
    {
        onController(id, [&](sim::ControllerState& c) {
            c.memory().holdMode = holdMode;
            c.buffering.rate = rate;
            c.buffering.triggerPoint = 1;
            c.buffering.capacity = points;
            c.buffering.triggerDelayMs = 0;
            c.run.begin(sim::Clock::now() - std::chrono::seconds(200), c.buffering, holdMode != 0, c.valueModel());
        });
    }

    buffering::BufferingRecord record_{shared_};
    WatchedWorker watched_;
    TestOperator user_;
    std::vector<Wait> waits_;
};

} // namespace tavimo::bufferingtest
