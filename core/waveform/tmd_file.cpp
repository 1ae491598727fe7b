#include "waveform/tmd_file.h"

#include "files/atomic_file.h"

#include <bit>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavimo::waveform {

// The structures are the file's layout byte for byte (see wave_block.h), so
// they are copied as they are; that holds on little-endian machines only.
static_assert(std::endian::native == std::endian::little, "the measurement-data file is little-endian");

namespace {

bool blockValid(const WaveBlock& block)
{
    return block.count >= 0 && block.count <= measure::kWaveRecordsPerBlock;
}

void setDetail(std::string* detail, std::string text)
{
    if (detail) *detail = std::move(text);
}

// Reads exactly `size` bytes; false on a short read or an error.
bool readExactly(int fd, void* into, std::size_t size)
{
    auto* p = static_cast<char*>(into);
    while (size > 0) {
        const ssize_t n = ::read(fd, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

} // namespace

std::string tmdBytes(const WaveArchive& archive)
{
    WaveFileHeader header = archive.header();
    header.blockCount = static_cast<std::int32_t>(archive.size());
    std::string out;
    out.resize(tmdFileSize(archive.size()));
    std::memcpy(out.data(), &header, kTmdHeaderBytes);
    char* p = out.data() + kTmdHeaderBytes;
    for (const WaveBlock& b : archive) {
        std::memcpy(p, &b, kTmdBlockBytes);
        p += kTmdBlockBytes;
    }
    return out;
}

bool tmdHeaderValid(const WaveFileHeader& header, std::uint64_t available)
{
    if (header.blockCount < 1 || header.blockCount > kMaxArchivedBlocks) return false;
    if (header.captureInterval < kCaptureIntervalMin || header.captureInterval > kCaptureIntervalMax) return false;
    return available >= kTmdBlockBytes * static_cast<std::uint64_t>(header.blockCount);
}

WaveFileError parseTmd(std::string_view bytes, WaveArchive& archive)
{
    if (bytes.size() < kTmdHeaderBytes) return WaveFileError::CannotRead;
    WaveArchive loaded;
    std::memcpy(&loaded.header(), bytes.data(), kTmdHeaderBytes);
    if (!tmdHeaderValid(loaded.header(), bytes.size() - kTmdHeaderBytes)) return WaveFileError::CannotRead;
    const char* p = bytes.data() + kTmdHeaderBytes;
    for (int i = 0; i < loaded.header().blockCount; ++i, p += kTmdBlockBytes) {
        WaveBlock& b = loaded.appendEmpty();
        std::memcpy(&b, p, kTmdBlockBytes);
        if (!blockValid(b)) return WaveFileError::CannotRead;
    }
    archive.swap(loaded);
    return WaveFileError::None;
}

WaveFileError loadTmdFile(const std::filesystem::path& path, WaveArchive& archive, std::string* detail)
{
    // Non-blocking, so that a FIFO picked by mistake cannot hang the open.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) {
        setDetail(detail, std::strerror(errno));
        return WaveFileError::CannotOpen;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        setDetail(detail, "not a regular file");
        return WaveFileError::CannotRead;
    }
    const auto size = static_cast<std::uint64_t>(st.st_size);
    WaveArchive loaded;
    if (size < kTmdHeaderBytes || !readExactly(fd.get(), &loaded.header(), kTmdHeaderBytes)) {
        setDetail(detail, "shorter than the file header");
        return WaveFileError::CannotRead;
    }
    if (!tmdHeaderValid(loaded.header(), size - kTmdHeaderBytes)) {
        setDetail(detail, "the header's block count or capture interval is out of range, or the file is too short");
        return WaveFileError::CannotRead;
    }
    for (int i = 0; i < loaded.header().blockCount; ++i) {
        WaveBlock& b = loaded.appendEmpty();
        if (!readExactly(fd.get(), &b, kTmdBlockBytes)) {
            setDetail(detail, "the file ends inside block " + std::to_string(i));
            return WaveFileError::CannotRead;
        }
        if (!blockValid(b)) {
            setDetail(detail, "block " + std::to_string(i) + " has a record count outside 0..36");
            return WaveFileError::CannotRead;
        }
    }
    archive.swap(loaded);
    return WaveFileError::None;
}

WaveFileError saveTmdFile(const std::filesystem::path& path, const WaveArchive& archive, std::string* detail)
{
    if (archive.empty()) {
        setDetail(detail, "no waveform blocks to save");
        return WaveFileError::CannotWrite;
    }
    return fromFileError(files::saveFile(path, tmdBytes(archive), true, detail));
}

} // namespace tavimo::waveform
