// The measurement-data file (TMD): the 112-byte header, then blockCount
// blocks of 29712 bytes, little-endian, no magic number. Blocks and header
// are stored verbatim, reserved bytes included, so a loaded file saves back
// byte for byte.
//
// Loading checks what it reads before trusting it: 1 to 256 blocks, a file
// long enough to hold them, 0 to 36 records per block and a capture interval
// of 100 to 500 ms; anything else is "Can not read from a file." The file is
// read into a new archive that replaces the caller's only on success, so a
// bad file never destroys a capture that was not saved. Bytes after the last
// block are ignored.
#pragma once

#include "waveform/wave_archive.h"
#include "waveform/wave_file_error.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace tavimo::waveform {

inline constexpr std::size_t kTmdHeaderBytes = sizeof(WaveFileHeader);
inline constexpr std::size_t kTmdBlockBytes = sizeof(WaveBlock);
inline constexpr int kCaptureIntervalMin = 100;
inline constexpr int kCaptureIntervalMax = 500;

// The size of a file of `blocks` blocks, in 64-bit arithmetic.
inline constexpr std::uint64_t tmdFileSize(std::uint64_t blocks)
{
    return kTmdHeaderBytes + kTmdBlockBytes * blocks;
}

// The file's bytes: the archive's header with blockCount set to the number
// of blocks, then every block, oldest first.
std::string tmdBytes(const WaveArchive& archive);

// Whether a header may be trusted (block count, interval); `available` is
// the number of bytes that follow it.
bool tmdHeaderValid(const WaveFileHeader& header, std::uint64_t available);

// The file's bytes into `archive` (only on success).
WaveFileError parseTmd(std::string_view bytes, WaveArchive& archive);

// Loads a file into `archive` (only on success). CannotOpen when it cannot be
// opened, CannotRead when it is no regular file, too short or not valid.
WaveFileError loadTmdFile(const std::filesystem::path& path, WaveArchive& archive, std::string* detail = nullptr);

// Saves through the atomic save, the previous file kept as .BAK. An empty
// archive writes nothing (CannotWrite): its file could not be loaded again.
WaveFileError saveTmdFile(const std::filesystem::path& path, const WaveArchive& archive,
                          std::string* detail = nullptr);

} // namespace tavimo::waveform
