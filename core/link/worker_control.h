// Pausing the polling worker around a command sequence of the user-interface
// thread. The link layer only knows the two calls; the worker itself lives in
// core/measure and is adapted with WorkerControlFor.
#pragma once

namespace tavimo::link {

class WorkerControl {
public:
    virtual ~WorkerControl() = default;
    // False when the worker did not reach the requested state in time.
    virtual bool pauseWorker() = 0;
    virtual bool resumeWorker() = 0;
};

// Any object with pauseWorker() and resumeWorker() (the polling worker).
template <class Worker> class WorkerControlFor final : public WorkerControl {
public:
    explicit WorkerControlFor(Worker& worker) : worker_(worker) {}
    bool pauseWorker() override { return worker_.pauseWorker(); }
    bool resumeWorker() override { return worker_.resumeWorker(); }

private:
    Worker& worker_;
};

// Holds the worker paused for its lifetime. When the sequence ends early
// (a failure, an exception) the destructor resumes the worker; the normal
// end calls resume() to learn whether that worked.
class WorkerPause {
public:
    explicit WorkerPause(WorkerControl& worker) : worker_(worker), paused_(worker.pauseWorker()) {}
    ~WorkerPause()
    {
        if (paused_) (void)worker_.resumeWorker();
    }
    WorkerPause(const WorkerPause&) = delete;
    WorkerPause& operator=(const WorkerPause&) = delete;

    bool paused() const { return paused_; }
    // Resumes now; true when the worker is running again (or was never paused).
    bool resume()
    {
        if (!paused_) return true;
        paused_ = false;
        return worker_.resumeWorker();
    }

private:
    WorkerControl& worker_;
    bool paused_;
};

} // namespace tavimo::link
