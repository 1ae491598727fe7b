#include "ui/register_screens.h"

#include "ui/buffering/buffering_window.h"
#include "ui/measure/register_measure_windows.h"
#include "ui/waveform/waveform_screen.h"

namespace tavimo::ui {

void registerScreens()
{
    registerWaveformScreen();
    registerMeasureWindows();
    registerBufferingScreen();
}

} // namespace tavimo::ui
