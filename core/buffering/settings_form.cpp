#include "buffering/settings_form.h"

#include "buffering/buffering_failures.h"
#include "buffering/buffering_rules.h"
#include "link/worker_control.h"
#include "shell/catalog.h"

#include <algorithm>
#include <cmath>

namespace tavimo::buffering {

namespace {

constexpr int kRotationMode = 2; // "Detect the rotation/eccentricity."

SliderField makeField(int min, int max, int value)
{
    max = std::max(min, max);
    value = std::clamp(value, min, max);
    return {min, max, value, value};
}

void moveSlider(SliderField& f, int position)
{
    f.slider = std::clamp(position, f.min, f.max);
    f.field = f.slider;
}

// The field's notification: the integer part, and the slider follows when
// the value lies in its range.
bool changeField(SliderField& f, double value)
{
    if (!std::isfinite(value) || value < f.min || value > f.max) return false;
    f.field = static_cast<int>(std::trunc(value));
    if (f.field >= f.min && f.field <= f.max) f.slider = f.field;
    return true;
}

} // namespace

BufferingSettingsForm::BufferingSettingsForm(const BufferingState& s)
    : triggerType_(s.applicationMode == kRotationMode ? 1 : (s.triggerType == 0 ? 0 : 1)),
      points_(makeField(1, std::clamp(s.maxPoints, 1, kMaxBufferPoints), s.bufferPoints)),
      rate_(makeField(kMinRate, kMaxRate, s.bufferRate)),
      trigger_(makeField(1, points_.slider, s.triggerPoint))
{
}

std::optional<BufferingSettingsForm> BufferingSettingsForm::open(BufferingRecord& record, shell::Operator& op)
{
    const auto copy = record.copy();
    if (!copy) {
        reportBufferingFailure(op, Procedure::Settings, kCodeSharedBuffer);
        return std::nullopt;
    }
    return BufferingSettingsForm(*copy);
}

std::string BufferingSettingsForm::totalTimeText() const
{
    return predictedRunText(points_.field, rate_.field);
}

void BufferingSettingsForm::pointsChanged()
{
    trigger_.max = points_.field;
    trigger_.slider = std::clamp(trigger_.slider, trigger_.min, trigger_.max);
    trigger_.field = std::clamp(trigger_.field, trigger_.min, trigger_.max);
}

void BufferingSettingsForm::pointsSliderMoved(int position)
{
    moveSlider(points_, position);
    pointsChanged();
}

void BufferingSettingsForm::rateSliderMoved(int position)
{
    moveSlider(rate_, position);
}

void BufferingSettingsForm::triggerSliderMoved(int position)
{
    moveSlider(trigger_, position);
}

bool BufferingSettingsForm::pointsFieldChanged(double value)
{
    if (!changeField(points_, value)) return false;
    pointsChanged();
    return true;
}

bool BufferingSettingsForm::rateFieldChanged(double value)
{
    return changeField(rate_, value);
}

bool BufferingSettingsForm::triggerFieldChanged(double value)
{
    return changeField(trigger_, value);
}

bool BufferingSettingsForm::set(BufferingRecord& record, shell::Operator& op) const
{
    RecordLock lock(record);
    if (!lock.owns()) {
        reportBufferingFailure(op, Procedure::Settings, kCodeSharedBuffer);
        return false;
    }
    BufferingState s = record.getLocked();
    s.triggerType = triggerType_;
    s.bufferPoints = points_.slider;
    s.bufferRate = rate_.slider;
    s.triggerPoint = trigger_.slider;
    record.setLocked(s);
    return true;
}

int openBufferingSettings(const BufferingLine& line, const std::function<void()>& showDialog)
{
    if (!line.online()) {
        line.op().showMessage(shell::Catalog::instance().text(shell::Msg::DoItOnline));
        return kCodeRefused;
    }
    int code = kCodeOk;
    {
        link::WorkerPause pause(line.ctx.worker);
        if (!pause.paused()) {
            code = kCodeWorkerNotPaused;
        } else {
            if (showDialog) showDialog();
            if (!pause.resume()) code = kCodeWorkerNotResumed;
        }
    }
    reportBufferingFailure(line.op(), Procedure::Settings, code);
    return code;
}

} // namespace tavimo::buffering
