#include "ui/register_screens.h"

#include "ui/buffering/buffering_window.h"
#include "ui/waveform/waveform_screen.h"

namespace tavimo::ui {

void registerScreens()
{
    // Each screen folder adds its own registration call here.
    registerWaveformScreen();
    registerBufferingScreen();
}

} // namespace tavimo::ui
