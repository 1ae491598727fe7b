// A controller's data buffering: its settings (BT, BM, BP), the run started
// by BR, the counts BN reports and the block readout RBB.
#pragma once

#include "sim/measured_signal.h"

#include <string>

namespace tavimo::sim {

inline constexpr long long kDefaultBufferCapacity = 50000;
inline constexpr double kRateUnitMicroseconds = 25.0; // one unit of BM: 0.025 ms between points
inline constexpr long long kMaxBlockPoints = 160;

struct BufferingSettings {
    int enabled = 0;        // BT enable flag
    int triggerType = 1;    // BT: 0 external, 1 internal
    int rate = 1;           // BM, 1..32767
    long long triggerPoint = 1; // BP, 1-based position of the trigger among the points
    long long capacity = kDefaultBufferCapacity; // BN selector 0
    int triggerDelayMs = 50;    // the simulated trigger comes this long after the start
    int holdPeriodMs = 2;       // with a hold mode, one point per hold result this often
};

// One run. Points are sampled from a copy of the value model taken at the
// start, so a readout gives the same values however late it comes. A run
// stops by itself when the capacity is full.
class BufferingRun {
public:
    void begin(Clock::time_point now, const BufferingSettings& s, bool holdMode, const ValueModel& model);
    void stop(Clock::time_point now);
    void clear() { *this = BufferingRun{}; }

    bool exists() const { return started_; }
    bool running(Clock::time_point now) const;
    bool triggered(Clock::time_point now) const;
    long long storedCount(Clock::time_point now) const;
    // Point k (0-based) in units of 0.0001.
    long long pointUnits(long long k) const;
    double point(long long k) const { return static_cast<double>(pointUnits(k)) * kValueUnit; }
    Clock::duration interval() const { return interval_; }

private:
    Clock::time_point lastTime(Clock::time_point now) const; // end of sampling as seen at `now`
    Clock::time_point fullAt() const;                        // when the capacity fills
    long long pretriggerKept() const;

    bool started_ = false;
    bool stopped_ = false;
    Clock::time_point start_{}, trigger_{}, end_{};
    Clock::duration interval_{1};
    long long pretrigger_ = 0;
    long long capacity_ = kDefaultBufferCapacity;
    ValueModel model_;
};

// RBB answer for points first..last: the first value absolute ("+1.2345"),
// each next one its change in units of 0.0001 ("+10", "-5"), no separators.
std::string encodeBlock(const BufferingRun& run, long long first, long long last);

} // namespace tavimo::sim
