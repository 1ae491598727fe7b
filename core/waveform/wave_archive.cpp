#include "waveform/wave_archive.h"

#include <algorithm>
#include <utility>

namespace tavimo::waveform {

void WaveArchive::clear()
{
    blocks_.clear();
    startTick_ = 0;
}

std::uint32_t lastElapsed(const WaveBlock& block)
{
    const int n = std::clamp(block.count, 0, measure::kWaveRecordsPerBlock);
    return n > 0 ? block.records[static_cast<std::size_t>(n - 1)].elapsed : 0;
}

void WaveArchive::archive(WaveBlock& block, int count)
{
    count = std::clamp(count, 0, measure::kWaveRecordsPerBlock);
    if (count == 0) return;
    std::uint32_t previous = 0;
    if (blocks_.empty())
        startTick_ = block.records[0].tick;
    else
        previous = lastElapsed(blocks_.back());
    block.count = count;
    for (int i = 0; i < count; ++i) {
        WaveRecord& r = block.records[static_cast<std::size_t>(i)];
        // Unsigned arithmetic is modulo 2^32, so a wrap of the tick between
        // two records still gives their true distance.
        r.elapsed = r.tick - startTick_;
        r.step = static_cast<std::int32_t>(r.elapsed - previous);
    }
    if (blocks_.size() >= static_cast<std::size_t>(kMaxArchivedBlocks)) blocks_.pop_front();
    blocks_.push_back(block);
}

void WaveArchive::swap(WaveArchive& other) noexcept
{
    std::swap(header_, other.header_);
    blocks_.swap(other.blocks_);
    std::swap(startTick_, other.startTick_);
}

} // namespace tavimo::waveform
