// TForm3, the measurement waveform screen: the chart of every connected
// controller's values against time, with the limit lines and judgement
// bars of the selected one, the cursors and their read-outs, capture,
// replay, and the measurement-data and CSV files. Its logic is
// waveform::WaveAcquisition (state, tick, fields, axes, plot) and
// waveform::WaveCursors; this class builds the controls under their form
// names, shows that state and forwards the user's actions.
#pragma once

#include "ui/file_dialog.h"
#include "waveform/wave_acquisition.h"
#include "waveform/wave_cursors.h"

#include <QString>
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>
#include <vector>

class QCheckBox;
class QPushButton;
class QLabel;
class QToolButton;

namespace tavimo::ui {

class CursorChart;
class RadioGroup;
class TForm1;
class TrackBar;
class UNumberEdit;

enum class WaveDialog { Load, Save };

class TForm3 : public QWidget {
    Q_OBJECT
public:
    explicit TForm3(TForm1& main);
    ~TForm3() override; // Timer1 off, capture or replay ended, keys written

    waveform::WaveAcquisition& acquisition() { return acq_; }
    const waveform::WaveCursors& cursors() const { return cursors_; }
    CursorChart* chart() const { return chart_; }
    QTimer& timer1() { return timer_; }
    // Index of the chart series of a controller ID; -1 when it has none.
    int seriesOf(int id) const;

    // Replaces the file dialogs (tests).
    using FileChooser = std::function<ChosenFile(WaveDialog, const QString& folder)>;
    void setFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }

    void Button1Click(); // Collect / Stop
    void Button2Click(); // Replay / Stop
    void Button3Click(); // Load
    void Button4Click(); // Save
    void Button5Click(); // Close
    void Timer1Timer();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // waveform_screen_build.cpp
    void buildControls();
    QWidget* buildSidePanel();
    QWidget* buildCursorPanel();
    void buildSeries();
    void applyTexts();

    // waveform_screen_binding.cpp
    void connectControls();
    void connectFields();
    void connectChart();
    void onCursorMoved(waveform::CursorLine line, int scrollPosition);
    void onChartDrawn(const waveform::PlotArea& area);

    // waveform_screen_render.cpp
    void render();
    void renderControls();
    void renderFields();
    void renderChart();
    void renderTrackBar();
    void renderCursors();
    void syncTimer();
    // Runs a handler; any failure ends the program after its message.
    void guarded(const std::function<void()>& handler);

    // waveform_screen_files.cpp
    // On save, filter 0 is measurement data (TMD), 1 CSV.
    ChosenFile chooseFile(WaveDialog dialog, const QString& folder);

    template <class T>
    T* control(const char* name) const
    {
        return findChild<T*>(QString::fromLatin1(name));
    }

    TForm1& main_;
    waveform::WaveAcquisition acq_;
    waveform::WaveCursors cursors_;
    QTimer timer_;
    FileChooser chooser_;
    QString openFolder_;
    QString saveFolder_;
    CursorChart* chart_ = nullptr;
    TrackBar* trackBar_ = nullptr;
    RadioGroup* selectId_ = nullptr;
    std::array<QCheckBox*, 8> heads_{};
    std::vector<int> seriesIds_; // controller ID of each chart series 0..n-1
    int upperSeries_ = -1;
    int lowerSeries_ = -1;
    std::array<QString, 4> barLabels_;
    QString collectText_, replayText_;
    bool rendering_ = false;
};

// Registers TForm3 as the screen of the waveform mode.
void registerWaveformScreen();

} // namespace tavimo::ui
