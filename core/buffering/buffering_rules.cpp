#include "buffering/buffering_rules.h"

#include <algorithm>
#include <cmath>

namespace tavimo::buffering {

int maxPointsFromAnswer(bool readOk, long long answer)
{
    if (!readOk || answer <= 0 || answer >= kMaxBufferPoints) return kMaxBufferPoints;
    return static_cast<int>(answer);
}

RunSettings clampRunSettings(RunSettings s, int capacity)
{
    capacity = std::clamp(capacity, 1, kMaxBufferPoints);
    if (s.triggerType != 0 && s.triggerType != 1) s.triggerType = 1;
    s.bufferRate = std::clamp(s.bufferRate, kMinRate, kMaxRate);
    s.bufferPoints = std::clamp(s.bufferPoints, 1, capacity);
    s.triggerPoint = std::clamp(s.triggerPoint, 1, s.bufferPoints);
    return s;
}

RunSettings runSettingsOf(const BufferingParameters& p)
{
    return {p.triggerType, p.bufferPoints, p.bufferRate, p.triggerPoint};
}

namespace {

void setRunSettings(BufferingParameters& p, const RunSettings& s)
{
    p.triggerType = s.triggerType;
    p.bufferPoints = s.bufferPoints;
    p.bufferRate = s.bufferRate;
    p.triggerPoint = s.triggerPoint;
}

} // namespace

void clampToCapacity(BufferingParameters& p)
{
    setRunSettings(p, clampRunSettings(runSettingsOf(p), p.maxPoints));
}

void applyRunSettings(BufferingState& s, const RunSettings& settings)
{
    setRunSettings(s, clampRunSettings(settings));
}

int completionPeriodMs(int rate, int points, int triggerPoint)
{
    const double ms = std::trunc(static_cast<double>(rate) * kRateUnitMs *
                                 (static_cast<double>(points) - static_cast<double>(triggerPoint) + 1.0));
    if (!(ms >= kMinCompletionMs)) return kMinCompletionMs;
    // 32767 * 0.025 * 50000 is about 41 million ms: well inside int.
    return static_cast<int>(std::min(ms, 2.0e9));
}

long long predictedRunMs(int points, int rate)
{
    return static_cast<long long>(std::trunc(static_cast<double>(points) * static_cast<double>(rate) * kRateUnitMs));
}

std::string predictedRunText(int points, int rate)
{
    const long long ms = predictedRunMs(points, rate);
    return ms <= 0 ? "?" : std::to_string(ms);
}

int settleDelayMs(bool averagingRead, int averagingIndex)
{
    if (!averagingRead || averagingIndex < 0 || averagingIndex > kMaxAveragingIndex) return kSettleFallbackMs;
    const double samples = static_cast<double>(1 << averagingIndex);
    return static_cast<int>(std::trunc(kSettleBaseMs + 0.05 * samples));
}

bool readoutPossible(const BufferingState& s)
{
    return s.runState == 0 && s.storedCount >= 1 && s.triggerState == 1 && s.storedCount >= s.controllerTriggerPoint;
}

int readoutCount(const BufferingState& s)
{
    return std::clamp(std::min(s.storedCount, s.bufferPoints), 0, kMaxBufferPoints);
}

} // namespace tavimo::buffering
