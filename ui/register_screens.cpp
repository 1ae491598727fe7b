#include "ui/register_screens.h"

namespace tavimo::ui {

void registerScreens()
{
    // Each screen folder adds its own registration call here.
}

} // namespace tavimo::ui
