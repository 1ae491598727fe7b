#include "buffering/buffering_state.h"

#include "buffering/buffering_rules.h"

namespace tavimo::buffering {

BufferingState BufferingRecord::getLocked() const
{
    BufferingState s;
    s.request() = shared_.bufferRequest;
    s.parameters() = params_;
    s.status() = shared_.bufferStatus;
    return s;
}

void BufferingRecord::setLocked(const BufferingState& s)
{
    shared_.bufferRequest = s.request();
    params_ = s.parameters();
    shared_.bufferStatus = s.status();
}

std::optional<BufferingState> BufferingRecord::copy()
{
    RecordLock lock(*this);
    if (!lock.owns()) return std::nullopt;
    return getLocked();
}

bool BufferingRecord::store(const BufferingState& state)
{
    RecordLock lock(*this);
    if (!lock.owns()) return false;
    setLocked(state);
    return true;
}

void BufferingRecord::resetForScreen(const RunSettings& configured)
{
    std::lock_guard lock(shared_.bufferLock);
    BufferingState s = getLocked();
    s.controllerId = 0;
    s.triggerType = 1;
    s.maxPoints = 1000;
    s.bufferRate = 1;
    s.triggerPoint = 1;
    s.dataRate = 1;
    s.controllerTriggerPoint = 1;
    s.status() = {};
    applyRunSettings(s, configured);
    setLocked(s);
}

RecordLock::RecordLock(BufferingRecord& record) : lock_(record.mutex(), std::defer_lock)
{
    (void)lock_.try_lock_for(measure::kDataLockWait);
}

} // namespace tavimo::buffering
