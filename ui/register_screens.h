// Registers every screen and dialog window this build has with the main
// window's screen switch (see screen_registry.h). Called once at start-up,
// before the main window is created.
#pragma once

namespace tavimo::ui {

void registerScreens();

} // namespace tavimo::ui
