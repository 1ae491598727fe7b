// The archive of the waveform screen: the captured blocks, oldest first, at
// most 256 of them, with the header of the measurement-data file they are
// saved under. Archiving a block fills in each record's elapsed time since
// the first record of the capture and its step from the previous block,
// both in the modulo-2^32 arithmetic of the wrapping millisecond tick.
#pragma once

#include "measure/wave_block.h"

#include <cstddef>
#include <cstdint>
#include <deque>

namespace tavimo::waveform {

using measure::WaveBlock;
using measure::WaveRecord;
using measure::WaveSlot;

inline constexpr int kMaxArchivedBlocks = 256;

// The 112-byte header of the measurement-data file. Reserved bytes are kept
// exactly as loaded.
struct WaveFileHeader {
    std::int32_t blockCount = 0;
    std::int32_t reserved1 = 0;
    std::int32_t captureInterval = 0; // display interval in ms at capture time
    std::uint8_t reserved2[100]{};
};
static_assert(sizeof(WaveFileHeader) == 112);

class WaveArchive {
public:
    WaveFileHeader& header() { return header_; }
    const WaveFileHeader& header() const { return header_; }

    std::size_t size() const { return blocks_.size(); }
    bool empty() const { return blocks_.empty(); }
    const WaveBlock& block(std::size_t i) const { return blocks_[i]; }
    const WaveBlock& back() const { return blocks_.back(); }
    auto begin() const { return blocks_.begin(); }
    auto end() const { return blocks_.end(); }

    // The tick of the first record of the capture (set by the first archive()).
    std::uint32_t startTick() const { return startTick_; }

    // Discards every block and the start tick; the header stays.
    void clear();

    // Archives the first `count` records of `block` (clamped to 0..36; 0
    // archives nothing): writes the count, elapsed and step into `block`,
    // drops the oldest block when 256 are held and appends a copy. `block`
    // is left as archived, ready to be plotted.
    void archive(WaveBlock& block, int count);

    // Appends a block as it is (loading a file); the caller keeps the
    // bound of 256.
    void appendVerbatim(const WaveBlock& block) { blocks_.push_back(block); }
    // Room for a block read in place (loading a file).
    WaveBlock& appendEmpty() { return blocks_.emplace_back(); }

    void swap(WaveArchive& other) noexcept;

private:
    WaveFileHeader header_;
    std::deque<WaveBlock> blocks_;
    std::uint32_t startTick_ = 0;
};

// The elapsed time of a block's last valid record; 0 for a block without
// records.
std::uint32_t lastElapsed(const WaveBlock& block);

} // namespace tavimo::waveform
