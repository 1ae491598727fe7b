// TForm4, the data buffering screen: controller selection, Start/Stop,
// the polled status, the readout, the settings dialog, the chart with its
// cursors and replay bar, the grid of points, the axis fields and the CSV
// file. Its logic is buffering::BufferingScreen; this class builds the
// controls under their form names, shows the screen's state and forwards
// the user's actions and its two timers.
//
// The screen is closed by the main window's screen switch (it has no close
// box): hiding it runs the release of the controllers, stops its timers and
// writes its configuration keys, while the line is still open.
#pragma once

#include "buffering/buffering_screen.h"
#include "ui/buffering/buffering_operator.h"
#include "ui/screen_registry.h"

#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

class QAbstractButton;
class QCheckBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QSlider;
class QTableView;
class QToolButton;

namespace tavimo::ui {

class BufferingPlot;
class CursorChart;
class BufferingGridModel;
class RadioGroup;
class TForm1;
class UNumberEdit;

enum class BufferingFileKind { Load, Save };

class TForm4 : public QWidget, public BusyScreen {
    Q_OBJECT
public:
    TForm4(TForm1& main, buffering::BufferingRecord& record, QWidget* parent = nullptr);
    ~TForm4() override;

    buffering::BufferingScreen& screen() { return *screen_; }
    BufferingOperator& op() { return op_; }
    buffering::BufferingRecord& record() { return record_; }
    CursorChart* chart() const { return chart_; }
    const BufferingPlot& plot() const { return *plot_; }
    QTableView* grid() const { return grid_; }
    bool screenBusy() const override { return screen_->busy(); }
    bool completionTimerActive() const { return completionTimer_.isActive(); }

    // Replaces the file dialogs (tests): the chosen path, or empty for Cancel.
    using FileChooser = std::function<QString(BufferingFileKind, const QString& folder)>;
    void setFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }
    // Replaces the settings dialog (tests): called with the worker paused.
    void setSettingsDialog(std::function<void()> show) { settingsDialog_ = std::move(show); }

    // The handlers of the controls, named after them.
    void RadioGroup1Click(int position);
    void Button1Click(); // Start / Stop
    void Button2Click(); // Read
    void BitBtn2Click(); // Setting screen
    void Button3Click(); // Load
    void Button4Click(); // Save
    void BitBtn1Click(); // Display switch
    void Timer1Timer();  // the 200 ms status timer
    void completionTimerTimer();
    // After a batch send: the selected controller again.
    void reselect();

    // State into the widgets: status, enabled controls, axes, chart, grid.
    void render();
    // The release of the controllers, then the timers stopped and the keys
    // written; later calls do nothing.
    void closeScreen();

protected:
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    QWidget* buildLeftPanel();
    QWidget* buildAxisPanel();
    QWidget* buildCursorPanel();
    void connectControls();
    // Runs one action with every control disabled (and the main window with
    // it), then shows the state again and re-times the completion timer.
    void runAction(const std::function<void()>& action, bool disableMain = false);
    void scheduleCompletion();
    void renderControls();
    void renderAxisTexts();
    void renderReadouts();
    void renderCursors();
    void showData();
    QString chooseFile(BufferingFileKind kind);
    waveform::CsvFormat csvFormat() const;

    template <class T>
    T* control(const char* name) const
    {
        return findChild<T*>(QString::fromLatin1(name));
    }

    TForm1& main_;
    buffering::BufferingRecord& record_;
    BufferingOperator op_;
    std::unique_ptr<buffering::BufferingScreen> screen_;
    FileChooser chooser_;
    std::function<void()> settingsDialog_;
    QTimer statusTimer_;
    QTimer completionTimer_;
    RadioGroup* ids_ = nullptr;
    CursorChart* chart_ = nullptr;
    std::unique_ptr<BufferingPlot> plot_;
    QTableView* grid_ = nullptr;
    BufferingGridModel* gridModel_ = nullptr;
    QSlider* replay_ = nullptr;
    UNumberEdit* width_ = nullptr;
    UNumberEdit* max_ = nullptr;
    UNumberEdit* min_ = nullptr;
    bool rendering_ = false;
    bool released_ = false;
    bool cursorsPlaced_ = false;
};

// registerScreen(kScreenBuffering, ...) and the record the buffering
// screens share for the life of the main window.
void registerBufferingScreen();

} // namespace tavimo::ui
