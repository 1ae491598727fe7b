// The single-instance rule of Tavimo: a lock file in the per-user
// configuration folder, held with flock() for the life of the process. The
// kernel drops the lock when the process ends, however it ends, so a lock
// file left behind by a crashed instance never blocks the next start; its
// content (the holder's PID) is only information.
#pragma once

#include <filesystem>
#include <string>

namespace tavimo::window {

enum class LockResult {
    Acquired,
    HeldByOther, // another instance runs
    Failed,      // the lock file cannot be created
};

class InstanceLock {
public:
    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Creates the folder and the file when needed and takes the lock.
    LockResult acquire(const std::filesystem::path& lockFile);
    void release();
    bool held() const { return fd_ >= 0; }

    // PID written by the holder, 0 when unreadable.
    static long holderPid(const std::filesystem::path& lockFile);

private:
    int fd_ = -1;
    std::filesystem::path path_;
};

// The lock file next to the configuration file: <folder>/<programName>.lock.
std::filesystem::path instanceLockPath(const std::filesystem::path& configFile);

} // namespace tavimo::window
