#include "ui/register_screens.h"

#include "ui/measure/register_measure_windows.h"

namespace tavimo::ui {

void registerScreens()
{
    // Each screen folder adds its own registration call here.
    registerMeasureWindows();
}

} // namespace tavimo::ui
