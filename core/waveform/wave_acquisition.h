// The waveform screen's state and actions, without the window: Collect and
// Replay, the display tick that archives and plots, loading a file, the
// track bar, and the fields that shape the chart. The window calls these
// and shows archive(), plot(), axes(), trackBar() and controls(); it runs
// its display timer while timerActive(), every timerIntervalMs().
//
// Shared with the polling worker under the waveform lock: the collect and
// replay flags and the live block. The display tick holds that lock only to
// take the live block out (copy and clear) and to stop; archiving and
// plotting run after it is released, so the worker never waits for them.
#pragma once

#include "link/active_list.h"
#include "measure/shared_data.h"
#include "waveform/wave_archive.h"
#include "waveform/wave_axes.h"
#include "waveform/wave_config.h"
#include "waveform/wave_controls.h"
#include "waveform/wave_file_error.h"
#include "waveform/wave_plot.h"

#include <array>
#include <filesystem>
#include <string>

namespace tavimo::waveform {

struct TrackBarState {
    static constexpr int kMaximum = kMaxArchivedBlocks;
    int position = 0;
    int selectionEnd = 0; // the archived blocks
    bool operator==(const TrackBarState&) const = default;
};

struct TickResult {
    bool lockObtained = false; // false: the tick did nothing
    bool archived = false;     // a live block was archived
    int plottedRecords = 0;
    bool stopped = false;      // the capture (5 minutes) or the replay (last block) ended
};

class WaveAcquisition {
public:
    WaveAcquisition(measure::SharedData& shared, const link::ActiveControllers& active,
                    const WaveScreenConfig& fields = {});
    // Ends collection and replay (waits for the lock without limit).
    ~WaveAcquisition();
    WaveAcquisition(const WaveAcquisition&) = delete;
    WaveAcquisition& operator=(const WaveAcquisition&) = delete;

    AcquisitionState state() const { return state_; }

    // Button1: stops a capture, or starts one while online (discarding the
    // archive). Button2: stops a replay, or starts one of a non-empty
    // archive. False when the waveform lock was not obtained within 50 ms
    // (nothing changed).
    bool toggleCollect();
    bool toggleReplay();

    // Timer1.
    TickResult tick();

    // The screen's destruction: timer off, flags cleared (the lock waited
    // for without limit), axes reset, series and archive discarded.
    void shutdown();

    bool timerActive() const { return timerActive_; }
    int timerIntervalMs() const { return timerIntervalMs_; }

    // Button3 (idle only): the file replaces the archive only when it loads
    // completely; then the chart is emptied and the track bar set to it.
    WaveFileError loadFile(const std::filesystem::path& path, std::string* detail = nullptr);

    // Track bar moved by the user (idle only): centres the time window on
    // that block. False while collecting or replaying.
    bool moveTrackBar(int position);

    // Fields and check boxes; false (and nothing changed) while collecting
    // or replaying, when the window has them disabled. Values are brought
    // into the field's range.
    bool setInterval(int ms);              // IntervalEdit
    bool setWidth(int hundredsOfMs);       // XWidthEdit
    bool restoreWidth();                   // SpeedButton2
    bool setVerticalMax(double value);     // UNumberEdit2 (not above the minimum: 1000)
    bool setVerticalMin(double value);     // UNumberEdit3 (not below the maximum: -1000)
    bool restoreValueRange();              // SpeedButton1: 5.0 and 0.0
    bool setOutputPosition(int value);     // OutputPositionEdit
    bool setSelectedId(int id);            // RadioGroup1
    bool setLimitLines(bool on);           // CheckBox11
    bool setJudgementBars(bool on);        // CheckBox12
    bool setPlotted(int id, bool on);      // CheckBox1..CheckBox8
    // CheckBox9 and CheckBox10 stay usable in every state.
    void setValueCursors(bool on);
    void setTimeCursors(bool on);

    // Zoom and pan gestures (idle only): the zoomed axes are widened to their
    // minimum spans; a pan outside the axis's range is refused.
    bool afterZoom(const AxisSpan& time, const AxisSpan& value);
    bool panTime(double min, double max);
    bool panValue(double min, double max);

    const WaveScreenConfig& fields() const { return fields_; }
    const std::array<bool, measure::kWaveSlots>& plotted() const { return options_.plotted; }
    const WaveArchive& archive() const { return archive_; }
    const WavePlot& plot() const { return plot_; }
    const WaveAxes& axes() const { return axes_; }
    const TrackBarState& trackBar() const { return trackBar_; }
    WaveControls controls() const;

private:
    bool idle() const { return state_ == AcquisitionState::Idle; }
    void startCollectLocked();
    void stopCollectLocked();
    void startReplayLocked();
    void stopReplayLocked();
    void clearLiveLocked();
    void emptyChart();

    measure::SharedData& shared_;
    const link::ActiveControllers& active_;
    WaveScreenConfig fields_;
    PlotOptions options_;
    AcquisitionState state_ = AcquisitionState::Idle;
    WaveArchive archive_;
    WavePlot plot_;
    WaveAxes axes_;
    TrackBarState trackBar_;
    std::size_t replayIndex_ = 0;
    bool timerActive_ = false;
    int timerIntervalMs_ = kIntervalDefault;
    WaveBlock taken_; // the live block taken out of the shared one by a tick
};

} // namespace tavimo::waveform
