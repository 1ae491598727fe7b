// Holds a lock on another thread until destroyed, so that the code under
// test meets a lock it cannot take; the constructor returns once the lock
// is held.
#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

namespace tavimo::bufferingtest {

class LockHolder {
public:
    explicit LockHolder(std::timed_mutex& m)
    {
        thread_ = std::thread([this, &m] {
            std::lock_guard held(m);
            std::unique_lock lk(state_);
            held_ = true;
            changed_.notify_all();
            changed_.wait(lk, [this] { return release_; });
        });
        std::unique_lock lk(state_);
        changed_.wait(lk, [this] { return held_; });
    }
    ~LockHolder()
    {
        {
            std::lock_guard lk(state_);
            release_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;

private:
    std::mutex state_;
    std::condition_variable changed_;
    bool held_ = false;
    bool release_ = false;
    std::thread thread_;
};

} // namespace tavimo::bufferingtest
