#include "ui/measure/register_measure_windows.h"

#include "shell/screen_keys.h"
#include "ui/main_window.h"
#include "ui/measure/calculation_dialog_window.h"
#include "ui/measure/calibration_dialog.h"
#include "ui/measure/measured_value_window.h"
#include "ui/screen_registry.h"
#include "window/screen_switch.h"

namespace tavimo::ui {

void registerMeasureWindows()
{
    registerScreen(window::kScreenMeasuredValues, [](TForm1& main) -> QWidget* { return new TForm2(main, &main); });
    registerDialog(shell::form::kCalibration, runCalibrationDialog);
    registerDialog(shell::form::kCalculation, runCalculationDialog);
}

} // namespace tavimo::ui
