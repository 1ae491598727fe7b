#include "ui/register_screens.h"

#include "ui/waveform/waveform_screen.h"
#include "ui/measure/register_measure_windows.h"

namespace tavimo::ui {

void registerScreens()
{
    // Each screen folder adds its own registration call here.
    registerWaveformScreen();
    registerMeasureWindows();
}

} // namespace tavimo::ui
