#include "ui/register_screens.h"

#include "ui/waveform/waveform_screen.h"

namespace tavimo::ui {

void registerScreens()
{
    // Each screen folder adds its own registration call here.
    registerWaveformScreen();
}

} // namespace tavimo::ui
