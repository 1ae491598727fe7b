// Where a screen window (measured values, waveform, buffering) opens: at
// its remembered position when that lies on a screen; with none remembered
// (0, 0) or one left on a screen that is gone, beside the main window (to
// its right, else below it) where the window fits on the main window's
// screen, so that it does not cover the main window's controls; failing
// that, in the screen's bottom-right corner, which hides least of a main
// window at the top left; a window larger than the screen is left where
// the window manager puts it.
#pragma once

class QWidget;

namespace tavimo::ui {

void placeScreenWindow(QWidget& window, const QWidget& main, int left, int top);

} // namespace tavimo::ui
