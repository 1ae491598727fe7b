#include "files/file_bytes.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavimo::files {

namespace {

FileError fail(FileError e, std::string* detail, const std::string& why)
{
    if (detail)
        *detail = why;
    return e;
}

} // namespace

FileError readFileBytes(const std::filesystem::path& path, std::size_t maxBytes, std::string& out,
                        std::string* detail)
{
    // O_NONBLOCK so that opening a FIFO does not wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return fail(FileError::CannotOpen, detail, std::strerror(errno));
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};

    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return fail(FileError::CannotRead, detail, std::strerror(errno));
    if (!S_ISREG(st.st_mode))
        return fail(FileError::CannotRead, detail, "not a regular file");
    if (static_cast<unsigned long long>(st.st_size) > maxBytes)
        return fail(FileError::CannotRead, detail, "file too large");

    std::string data;
    data.resize(static_cast<std::size_t>(st.st_size));
    std::size_t got = 0;
    for (;;) {
        if (got == data.size()) {
            // The file may have grown since fstat: read on, up to the limit.
            if (data.size() >= maxBytes + 1)
                break;
            data.resize(std::min<std::size_t>(maxBytes + 1, data.size() + 4096));
        }
        const ssize_t n = ::read(fd, data.data() + got, data.size() - got);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(FileError::CannotRead, detail, std::strerror(errno));
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    if (got > maxBytes)
        return fail(FileError::CannotRead, detail, "file too large");
    data.resize(got);
    out = std::move(data);
    return FileError::None;
}

} // namespace tavimo::files
