// Waveform blocks for tests: filled with a pattern of every byte, including
// the reserved ones, so that a file that drops or reorders bytes shows.
#pragma once

#include "waveform/wave_archive.h"

#include <cstdint>
#include <cstring>
#include <random>

namespace tavimo::waveform::samples {

// Every byte random, then a valid record count.
inline WaveBlock patternBlock(std::mt19937& rng, int count)
{
    WaveBlock b;
    auto* p = reinterpret_cast<unsigned char*>(&b);
    for (std::size_t i = 0; i < sizeof b; ++i) p[i] = static_cast<unsigned char>(rng());
    b.count = count;
    return b;
}

// An archive of `blocks` pattern blocks with a pattern header.
inline WaveArchive patternArchive(int blocks, unsigned seed = 7)
{
    std::mt19937 rng(seed);
    WaveArchive a;
    auto* h = reinterpret_cast<unsigned char*>(&a.header());
    for (std::size_t i = 0; i < sizeof(WaveFileHeader); ++i) h[i] = static_cast<unsigned char>(rng());
    a.header().captureInterval = 250;
    for (int i = 0; i < blocks; ++i) a.appendVerbatim(patternBlock(rng, 1 + i % 36));
    a.header().blockCount = blocks;
    return a;
}

// A block of `count` records whose ticks start at `tick` and advance by `dt`.
inline WaveBlock tickBlock(std::uint32_t tick, int count, std::uint32_t dt = 10)
{
    WaveBlock b;
    for (int i = 0; i < count; ++i) {
        WaveRecord& r = b.records[static_cast<std::size_t>(i)];
        r.tick = tick + static_cast<std::uint32_t>(i) * dt;
        r.slot[0].valid = 1;
        r.slot[0].value = i * 0.5;
    }
    return b;
}

} // namespace tavimo::waveform::samples
