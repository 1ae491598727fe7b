// The three-point calibration of one controller, step by step: start (all
// memories or the current one), zero point, half of full scale, full scale,
// end. One CG command per step; the steps can only be taken in that order
// and each once. The dialog shows the enabling this object computes and
// forwards the buttons to it.
#pragma once

#include "settings/operation_context.h"

namespace tavimo::calibration {

enum class CalibrationTarget { AllMemories = 0, CurrentMemory = 1 };

enum class CalibrationStage { Opened, Started, ZeroSet, HalfSet, FullSet, Closed };

// The dialog's buttons, in their order.
enum class CalibrationButton { Start, Zero, Half, Full, End, Cancel };

// CG values of the steps.
inline constexpr int kStepStartAll = 0;
inline constexpr int kStepStartCurrent = 9;
inline constexpr int kStepZero = 1;
inline constexpr int kStepHalf = 2;
inline constexpr int kStepFull = 3;
inline constexpr int kStepEnd = 4;

// The CG value of the start step for a target.
int startStepValue(CalibrationTarget target);

// One step: busy cursor, worker paused, CG written, worker resumed. Returns 0
// or the failure code it reported (100 the exchange failed or the program is
// offline, 500, 501); the worker is resumed on every path.
int sendCalibrationStep(settings::OperationContext& ctx, int id, int value);

class CalibrationProcedure {
public:
    // `id` is the controller selected in the main window.
    CalibrationProcedure(settings::OperationContext& ctx, int id) : ctx_(ctx), id_(id) {}

    CalibrationStage stage() const { return stage_; }
    bool closed() const { return stage_ == CalibrationStage::Closed; }
    int controllerId() const { return id_; }
    CalibrationTarget target() const { return target_; }
    // The target can be chosen until the start step.
    bool targetEnabled() const { return stage_ == CalibrationStage::Opened; }
    void setTarget(CalibrationTarget t);
    bool enabled(CalibrationButton b) const;

    // A button press. A button that is not enabled does nothing. Returns
    // whether the dialog stays open.
    bool press(CalibrationButton b);

private:
    bool step(CalibrationStage next, int value);

    settings::OperationContext& ctx_;
    int id_;
    CalibrationTarget target_ = CalibrationTarget::AllMemories;
    CalibrationStage stage_ = CalibrationStage::Opened;
};

// The step names of the command line ("start", "zero", "half", "full", "end").
bool calibrationButtonFromName(const std::string& name, CalibrationButton& b);

} // namespace tavimo::calibration
