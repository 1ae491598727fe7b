// Per-language rules for window set-up that are plain data: the one-step
// smaller font of English windows on denser screens and the wider drop-down
// list of the application-mode box. Applying them to a window is the window
// code's job.
#pragma once

#include "shell/language.h"

namespace tavimo::shell {

enum class FontUnit { Points, Pixels };

struct FontSize {
    int value = 0; // magnitude; 0 means the toolkit's default
    FontUnit unit = FontUnit::Points;
};

// The font size a window uses before it is scaled: in English on a screen
// denser than the window's design density, one point (or one pixel) smaller;
// otherwise, and for size 0, unchanged. Never goes below 1.
FontSize windowFontSize(FontSize designed, Language language, int designDpi, int screenDpi);

// Width of the drop-down list of MDEComboB1 as a multiple of the box's width.
double modeDropDownWidthFactor(Language language);

} // namespace tavimo::shell
