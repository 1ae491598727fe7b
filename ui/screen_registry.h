// The screens and dialogs that come with their own windows (measured values,
// waveform, buffering, calibration, calculation setting) register here; the
// main window's screen switch and buttons open whatever is registered.
#pragma once

#include <QWidget>

#include <functional>
#include <string_view>

namespace tavimo::ui {

class TForm1;

// A screen that is running a modal action (the buffering readout with its
// Cancel button) says so; the main window then neither switches screens,
// goes offline nor closes.
class BusyScreen {
public:
    virtual ~BusyScreen() = default;
    virtual bool screenBusy() const = 0;
};

// Creates the screen of a screen mode (1 measured values, 2 waveform,
// 3 buffering), shown by the main window and destroyed when switched away.
using ScreenFactory = std::function<QWidget*(TForm1& main)>;
void registerScreen(int mode, ScreenFactory factory);
ScreenFactory screenFactory(int mode);

// Runs a modal dialog of the main window ("TForm5" calibration, "TForm7"
// calculation setting).
using DialogRunner = std::function<void(TForm1& main)>;
void registerDialog(std::string_view form, DialogRunner runner);
DialogRunner dialogRunner(std::string_view form);

} // namespace tavimo::ui
