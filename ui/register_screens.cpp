#include "ui/register_screens.h"

#include "ui/buffering/buffering_window.h"

namespace tavimo::ui {

void registerScreens()
{
    // Each screen folder adds its own registration call here.
    registerBufferingScreen();
}

} // namespace tavimo::ui
