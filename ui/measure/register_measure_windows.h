// Registers the measured-value screen (TForm2), the calibration dialog
// (TForm5) and the calculation setting dialog (TForm7) with the main
// window's screen switch and buttons.
#pragma once

namespace tavimo::ui {

void registerMeasureWindows();

} // namespace tavimo::ui
