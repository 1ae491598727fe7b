// The buffering settings dialog's logic: trigger type (shown, never
// edited), number of points, rate and trigger point, each as a slider and a
// numeric field kept equal, and the predicted run time. The dialog window
// shows this state and forwards slider moves and field changes to it; it
// sends nothing to a controller.
#pragma once

#include "buffering/buffering_line.h"

#include <functional>
#include <optional>
#include <string>

namespace tavimo::buffering {

struct SliderField {
    int min = 1;
    int max = 1;      // the slider's and the field's maximum
    int slider = 1;   // the slider's position: what "Set" stores
    int field = 1;    // the field's value
    bool operator==(const SliderField&) const = default;
};

class BufferingSettingsForm {
public:
    // Opening with a copy of the record. The number of points is brought
    // into 1..maxPoints and the trigger point into 1..points.
    explicit BufferingSettingsForm(const BufferingState& copy);
    // Copies the record with the bounded wait; nothing (and the shared-buffer
    // message shown) when the lock was not had.
    static std::optional<BufferingSettingsForm> open(BufferingRecord& record, shell::Operator& op);

    // 1 (internal) whenever the application mode is 2 (rotation/eccentricity).
    int triggerType() const { return triggerType_; }
    const SliderField& points() const { return points_; }
    const SliderField& rate() const { return rate_; }
    const SliderField& trigger() const { return trigger_; }
    // Label2: trunc(points * rate * 0.025) ms from the two fields, or "?".
    std::string totalTimeText() const;

    void pointsSliderMoved(int position);
    void rateSliderMoved(int position);
    void triggerSliderMoved(int position);
    // A field's change notification, which comes only for a valid number in
    // the field's range; false (nothing changed) for any other value.
    bool pointsFieldChanged(double value);
    bool rateFieldChanged(double value);
    bool triggerFieldChanged(double value);

    // "Set": stores trigger type and the three slider positions under the
    // lock. False (message shown, record unchanged) when the lock was not
    // had: the dialog then closes as cancelled.
    bool set(BufferingRecord& record, shell::Operator& op) const;

private:
    void pointsChanged();

    int triggerType_ = 1;
    SliderField points_;
    SliderField rate_;
    SliderField trigger_;
};

// The "Setting screen" button: online, the dialog is shown with the worker
// paused (0, 500 or 501, reported); offline "Do it with On-line." (refused).
int openBufferingSettings(const BufferingLine& line, const std::function<void()>& showDialog);

} // namespace tavimo::buffering
