// The numbers of data buffering: limits, the clamping of run settings, the
// capacity a controller reports, the completion period, the predicted run
// time, the settle delay after a BT write and the readout precondition.
#pragma once

#include "buffering/buffering_state.h"

#include <string>

namespace tavimo::buffering {

inline constexpr int kMaxBufferPoints = 50000; // never more, whatever BN answers
inline constexpr int kMinRate = 1;
inline constexpr int kMaxRate = 32767;
inline constexpr double kRateUnitMs = 0.025; // one unit of the rate between two points
inline constexpr int kBlockPoints = 160;     // points per RBB
inline constexpr int kMinCompletionMs = 100;
inline constexpr int kModeSettleMs = 500;    // after BT is read or written
inline constexpr int kSettleBaseMs = 460;    // BT write: + 0.05 ms per averaged sample
inline constexpr int kSettleFallbackMs = 463; // BT write when AV cannot be read
inline constexpr int kMaxAveragingIndex = 14; // AV: 2^14 = 16384 samples

// maxPoints from the BN selector 0 answer: 50000 when the read failed, when
// the answer is 50000 or more, and when it is 0 or less (no controller
// buffers nothing; such an answer is garbled).
int maxPointsFromAnswer(bool readOk, long long answer);

// Brings run settings into their ranges: trigger type 0 or 1 (else 1), rate
// 1..32767, 1 <= trigger point <= points <= capacity (capacity itself at
// least 1 and at most 50000).
RunSettings clampRunSettings(RunSettings s, int capacity = kMaxBufferPoints);
// The record's run settings clamped to its maxPoints.
void clampToCapacity(BufferingParameters& p);
// Stores run settings (clamped to 50000, as the capacity is not yet known).
void applyRunSettings(BufferingState& s, const RunSettings& settings);
RunSettings runSettingsOf(const BufferingParameters& p);

// The completion timer's period: the time the points from the trigger point
// to the last take at the rate, truncated to ms, at least 100 ms.
int completionPeriodMs(int rate, int points, int triggerPoint);

// Predicted duration of a run in ms: trunc(points * rate * 0.025); the
// settings dialog shows "?" when that is 0 or less.
long long predictedRunMs(int points, int rate);
std::string predictedRunText(int points, int rate);

// The wait after a BT write: 460 ms + 0.05 ms * 2^n for the averaging index
// n read with AV, truncated; 463 ms when AV could not be read or answered
// an index outside 0..14.
int settleDelayMs(bool averagingRead, int averagingIndex);

// "Read" is possible: the run has stopped, points are held, the trigger was
// seen and at least as many points as the trigger point are held.
bool readoutPossible(const BufferingState& s);
// Points a readout transfers: the held points, at most the run's points.
int readoutCount(const BufferingState& s);

} // namespace tavimo::buffering
