#include "files/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavimo::files {

namespace fs = std::filesystem;

namespace {

struct Failure {
    FileError kind;
    std::string reason;
};

Failure sysFailure(FileError kind, std::string_view step)
{
    return {kind, std::string(step) + ": " + std::strerror(errno)};
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// A name in the target's folder that no other writer uses: hidden, with the
// process ID and a counter.
fs::path siblingName(const fs::path& target, std::string_view tag)
{
    static std::atomic<unsigned> counter{0};
    std::string name = "." + target.filename().string() + "." + std::to_string(::getpid()) + "." +
                       std::to_string(counter.fetch_add(1)) + "." + std::string(tag);
    return target.parent_path() / name;
}

bool writeAll(int fd, std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

void syncFolder(const fs::path& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd); // best effort: some file systems refuse it for folders
        ::close(fd);
    }
}

// Creates the temporary file with the bytes, flushed. Permission bits: those
// of the existing target, else the usual 0666 less the umask (applied by open).
bool writeTemporary(const fs::path& temp, std::string_view bytes, const struct stat* existing, Failure& f)
{
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        f = sysFailure(FileError::CannotCreate, "create temporary file");
        return false;
    }
    bool ok = true;
    if (existing)
        ::fchmod(fd, existing->st_mode & 07777);
    if (!writeAll(fd, bytes)) {
        f = sysFailure(FileError::CannotWrite, "write");
        ok = false;
    } else if (::fsync(fd) != 0) {
        f = sysFailure(FileError::CannotWrite, "flush");
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        f = sysFailure(FileError::CannotWrite, "close");
        ok = false;
    }
    return ok;
}

// Copies the target to the backup name without ever removing the target:
// a hard link when the file system has them, a flushed copy otherwise; the
// new backup then replaces an older one in one rename.
bool makeBackup(const fs::path& target, const fs::path& backup, const struct stat& st, Failure& f)
{
    const fs::path staged = siblingName(target, "bak");
    if (::link(target.c_str(), staged.c_str()) != 0) {
        std::string copy;
        const int in = ::open(target.c_str(), O_RDONLY | O_CLOEXEC);
        if (in < 0) {
            f = sysFailure(FileError::CannotBackup, "open for backup");
            return false;
        }
        char buf[65536];
        for (;;) {
            const ssize_t n = ::read(in, buf, sizeof buf);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                f = sysFailure(FileError::CannotBackup, "read for backup");
                ::close(in);
                return false;
            }
            if (n == 0)
                break;
            copy.append(buf, static_cast<std::size_t>(n));
        }
        ::close(in);
        Failure w;
        if (!writeTemporary(staged, copy, &st, w)) {
            ::unlink(staged.c_str());
            f = {FileError::CannotBackup, w.reason};
            return false;
        }
    }
    if (::rename(staged.c_str(), backup.c_str()) != 0) {
        f = sysFailure(FileError::CannotBackup, "rename backup");
        ::unlink(staged.c_str());
        return false;
    }
    return true;
}

bool save(const fs::path& path, std::string_view bytes, bool backup, Failure& f)
{
    if (path.empty() || path.filename().empty()) {
        f = {FileError::CannotCreate, "no file name"};
        return false;
    }
    struct stat st {};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode)) {
        f = {FileError::CannotCreate, "target is not a regular file"};
        return false;
    }

    const fs::path temp = siblingName(path, "tmp");
    if (!writeTemporary(temp, bytes, exists ? &st : nullptr, f)) {
        ::unlink(temp.c_str());
        return false;
    }
    if (exists && backup && !isBackupPath(path) && !makeBackup(path, backupPathFor(path), st, f)) {
        ::unlink(temp.c_str());
        return false;
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        f = sysFailure(FileError::CannotWrite, "rename");
        ::unlink(temp.c_str());
        return false;
    }
    syncFolder(path.parent_path());
    return true;
}

} // namespace

fs::path backupPathFor(const fs::path& path)
{
    fs::path p = path;
    p.replace_extension(".BAK");
    return p;
}

bool isBackupPath(const fs::path& path)
{
    return equalsIgnoringCase(path.extension().string(), ".BAK");
}

bool saveFileAtomically(const fs::path& path, std::string_view bytes, bool backup, std::string* error,
                        FileError* kind)
{
    Failure f{FileError::None, {}};
    const bool ok = save(path, bytes, backup, f);
    if (error)
        *error = ok ? std::string() : f.reason;
    if (kind)
        *kind = ok ? FileError::None : f.kind;
    return ok;
}

FileError saveFile(const fs::path& path, std::string_view bytes, bool backup, std::string* error)
{
    FileError kind = FileError::None;
    saveFileAtomically(path, bytes, backup, error, &kind);
    return kind;
}

} // namespace tavimo::files
