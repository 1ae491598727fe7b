#include "window/instance_lock.h"

#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/file.h>
#include <unistd.h>

namespace tavimo::window {

InstanceLock::~InstanceLock() { release(); }

LockResult InstanceLock::acquire(const std::filesystem::path& lockFile)
{
    if (held()) return LockResult::Acquired;
    std::error_code ec;
    if (lockFile.has_parent_path()) std::filesystem::create_directories(lockFile.parent_path(), ec);
    const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return LockResult::Failed;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        ::close(fd);
        return err == EWOULDBLOCK ? LockResult::HeldByOther : LockResult::Failed;
    }
    // The previous holder's PID, if any, is stale: this process holds the
    // lock now.
    const std::string pid = std::to_string(static_cast<long>(::getpid())) + "\n";
    if (::ftruncate(fd, 0) == 0) (void)!::pwrite(fd, pid.data(), pid.size(), 0);
    fd_ = fd;
    path_ = lockFile;
    return LockResult::Acquired;
}

void InstanceLock::release()
{
    if (fd_ < 0) return;
    (void)!::ftruncate(fd_, 0);
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
}

long InstanceLock::holderPid(const std::filesystem::path& lockFile)
{
    std::ifstream in(lockFile);
    long pid = 0;
    if (!(in >> pid)) return 0;
    return pid;
}

std::filesystem::path instanceLockPath(const std::filesystem::path& configFile)
{
    std::filesystem::path p = configFile;
    p.replace_extension(".lock");
    return p;
}

} // namespace tavimo::window
