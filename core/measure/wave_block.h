// The live waveform block shared by the polling worker and the waveform
// screen. Its layout is also the block layout of the measurement-data file,
// which stores blocks verbatim: little-endian, no padding beyond what is
// spelled out, 29712 bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace tavimo::measure {

inline constexpr int kWaveRecordsPerBlock = 36;
inline constexpr int kWaveSlots = 8;

struct WaveSlot {
    std::uint8_t valid = 0; // the controller was active in that cycle
    std::uint8_t reserved1[7]{};
    double value = 0;
    double upper = 0; // HT
    double lower = 0; // LT
    std::uint8_t hi = 0, go = 0, lo = 0, alarm = 0;
    std::uint8_t reserved2[60]{};
};

struct WaveRecord {
    std::uint32_t tick = 0;    // millisecond tick at the start of the worker cycle
    std::uint32_t elapsed = 0; // filled in when the block is archived
    std::int32_t step = 0;     // filled in when the block is archived
    std::uint8_t reserved[44]{};
    std::array<WaveSlot, kWaveSlots> slot{}; // by controller ID
};

struct WaveBlock {
    std::int32_t reserved1 = 0;
    std::int32_t count = 0; // valid records, written when the block is archived
    std::uint8_t reserved2[40]{};
    std::array<WaveRecord, kWaveRecordsPerBlock> records{};
};

static_assert(sizeof(WaveSlot) == 96);
static_assert(offsetof(WaveSlot, value) == 8);
static_assert(offsetof(WaveSlot, hi) == 32);
static_assert(sizeof(WaveRecord) == 824);
static_assert(offsetof(WaveRecord, slot) == 56);
static_assert(sizeof(WaveBlock) == 29712);
static_assert(offsetof(WaveBlock, records) == 48);

} // namespace tavimo::measure
