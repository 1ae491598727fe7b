// The data buffering screen without its window: what it remembers from its
// opening (online flag, connected controllers), the run's completion, the
// status shown, the data and the chart's view, and its actions. The window
// shows this state and forwards each action; the command-line tool drives
// the same object.
//
// One action runs at a time and is modal: while one runs (a readout with its
// Cancel button processes input) every other action and every timer event is
// refused or deferred, and busy() tells the main window not to switch
// screens or go offline.
#pragma once

#include "buffering/buffered_data.h"
#include "buffering/buffering_config.h"
#include "buffering/buffering_line.h"
#include "buffering/buffering_view.h"
#include "buffering/completion_monitor.h"
#include "shell/language.h"
#include "waveform/csv_text.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tavimo::buffering {

struct StatusTexts {
    std::string run = "Unknown";     // Label20: "Executing" / "Stopping"
    std::string trigger = "Unknown"; // Label21: "Trg detect" / "Trg wait"
    std::string count = "0";         // Label22: points held
    bool operator==(const StatusTexts&) const = default;
};

// Which controls are enabled, and the layout choices.
struct BufferingControls {
    bool startStop = false;   // Button1
    bool read = false;        // Button2
    bool settings = false;    // BitBtn2
    bool idList = false;      // RadioGroup1
    bool load = false;        // Button3
    bool save = false;        // Button4
    bool view = false;        // BitBtn1, SpeedButton1/2, Button5, the axis fields, TrackBar1, CheckBox9/10
    bool valueCursorBars = false; // ScrollBar1, ScrollBar2
    bool timeCursorBars = false;  // ScrollBar3, ScrollBar4
    bool gridVisible = true;
    std::string startStopCaption; // "Execute" until the first status, then "Start" / "Stop"
    bool operator==(const BufferingControls&) const = default;
};

class BufferingScreen {
public:
    BufferingScreen(BufferingLine line, const BufferScreenConfig& config);
    BufferingScreen(const BufferingScreen&) = delete;
    BufferingScreen& operator=(const BufferingScreen&) = delete;

    // Creation: resets the record and applies the configured run settings,
    // remembers the online flag and the connected controllers, selects the
    // first one (with its traffic when online), or the one at `position`.
    void open(int position = 0);

    // RadioGroup1; also after a batch send made while the screen is open.
    void selectController(int position);
    void reselect() { selectController(selected_); }
    // Button1.
    int toggle();
    // Stop whatever the polled status says (the automatic end; the command
    // line's abort).
    int stop();
    // The 200 ms status timer (online only). Also fires a completion timer
    // that came due while another action ran.
    void statusTick(MonitorClock::time_point now);
    // The one-shot completion timer; the window starts it for completionDueAt().
    void completionTimerFired(MonitorClock::time_point now);
    std::optional<MonitorClock::time_point> completionDueAt() const { return monitor_.dueAt(); }
    // Button2.
    int read();
    // BitBtn2: the dialog is shown by `showDialog` with the worker paused.
    int openSettings(const std::function<void()>& showDialog);
    // Button4 / Button3 with the file the dialog chose; the dialog's folder
    // is remembered.
    int save(const std::filesystem::path& path, shell::Language language, const waveform::CsvFormat& format);
    int load(const std::filesystem::path& path, const waveform::CsvFormat& format);
    // The close request: releases the controllers; the screen is closed
    // afterwards whatever happened, its timers dead.
    int close();

    // The grid and the replay bar.
    void gridRowSelected(std::size_t row) { view_.gridRowSelected(row, data_); }
    void replayMoved(int position) { view_.replayMoved(position, data_); }

    bool busy() const { return busy_; }
    bool closed() const { return closed_; }
    bool openedOnline() const { return online_; }
    const std::vector<int>& ids() const { return ids_; }
    std::vector<std::string> idLabels() const; // " ID n" per connected controller
    int selectedPosition() const { return selected_; }
    const StatusTexts& status() const { return status_; }
    BufferingControls controls() const;
    const BufferedData& data() const { return data_; }
    BufferingView& view() { return view_; }
    const BufferingView& view() const { return view_; }
    const CompletionMonitor& monitor() const { return monitor_; }
    // The keys to write when the screen is destroyed.
    BufferScreenConfig configToSave();

private:
    class Guard;
    void showStatus(const BufferingState& s);
    void clearDisplay();
    int withWorkerPaused(const std::function<int()>& work);

    BufferingLine line_;
    BufferScreenConfig config_;
    BufferingView view_;
    BufferedData data_;
    CompletionMonitor monitor_;
    StatusTexts status_;
    std::optional<BufferingState> lastSeen_; // the record as last copied
    std::vector<int> ids_;
    int selected_ = 0;
    bool online_ = false;
    bool statusShown_ = false; // a status tick has shown the polled status
    bool busy_ = false;
    bool closed_ = false;
};

} // namespace tavimo::buffering
