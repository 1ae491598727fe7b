// TForm3's creation and destruction, its buttons and its display timer.
#include "ui/waveform/waveform_screen.h"

#include "ui/chart/cursor_chart.h"
#include "ui/gui_operator.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/screen_registry.h"
#include "ui/window_placement.h"
#include "window/dialog_rules.h"
#include "window/screen_switch.h"

#include <QCloseEvent>
#include <QLayout>

namespace tavimo::ui {

namespace {

constexpr int kInitialWidth = 1180;
constexpr int kInitialHeight = 760;

waveform::WaveScreenConfig configOf(TForm1& main) { return waveform::loadWaveConfig(main.session().options().configPath); }

} // namespace

TForm3::TForm3(TForm1& main)
    : QWidget(&main, Qt::Window), main_(main), acq_(main.session().shared, main.session().active, configOf(main))
{
    setObjectName("TForm3");
    setAttribute(Qt::WA_DeleteOnClose, false);
    timer_.setObjectName("Timer1");
    const waveform::WaveScreenConfig& keys = acq_.fields();
    openFolder_ = qs(keys.MEASUREWAVE_OPENFOLDER);
    saveFolder_ = qs(keys.MEASUREWAVE_SAVEFOLDER);

    buildControls();
    buildSeries();
    applyTexts();
    resize(kInitialWidth, kInitialHeight);
    placeScreenWindow(*this, main_, keys.MEASUREWAVE_LEFT, keys.MEASUREWAVE_TOP);
    // The layout gives the chart its size before the window is first shown,
    // so that the cursors are placed from it.
    layout()->activate();
    layout()->setGeometry(rect());
    chart_->layout()->setGeometry(chart_->rect());
    cursors_.place(chart_->view()->width(), chart_->view()->height());
    connectControls();
    renderFields();
    render();
}

TForm3::~TForm3()
{
    timer_.stop();
    acq_.shutdown();
    if (main_.fatalEnded()) return; // a fatal end saves nothing
    waveform::WaveScreenConfig keys = acq_.fields();
    keys.MEASUREWAVE_OPENFOLDER = utf8(openFolder_);
    keys.MEASUREWAVE_SAVEFOLDER = utf8(saveFolder_);
    keys.MEASUREWAVE_TOP = y();
    keys.MEASUREWAVE_LEFT = x();
    const files::FileError saved = waveform::saveWaveConfig(main_.session().options().configPath, keys);
    if (const auto m = window::fileErrorMessage(saved); m && !main_.op().terminationRequested())
        main_.op().message(msgText(*m));
}

int TForm3::seriesOf(int id) const
{
    for (std::size_t i = 0; i < seriesIds_.size(); ++i)
        if (seriesIds_[i] == id) return static_cast<int>(i);
    return -1;
}

void TForm3::guarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (...) {
        timer_.stop();
        main_.op().message(msgText(shell::Msg::ProgramError));
        main_.fatalExit();
    }
}

void TForm3::Button1Click()
{
    guarded([this] {
        if (!acq_.toggleCollect()) return; // the waveform lock was busy: nothing changed
        syncTimer();
        render();
    });
}

void TForm3::Button2Click()
{
    guarded([this] {
        if (!acq_.toggleReplay()) return;
        syncTimer();
        render();
    });
}

void TForm3::Timer1Timer()
{
    guarded([this] {
        const waveform::TickResult r = acq_.tick();
        if (!r.lockObtained) return; // skipped silently; the next tick tries again
        syncTimer();
        if (r.stopped) renderControls();
        if (r.plottedRecords > 0 || r.stopped) renderChart();
        renderTrackBar();
    });
}

void TForm3::Button5Click()
{
    main_.switchScreenTo(window::modeForButton(window::ScreenButton::Value, main_.session().active.online()));
}

// The close box does what Button5 does: the main window's screen switch
// owns the screen.
void TForm3::closeEvent(QCloseEvent* event)
{
    event->ignore();
    Button5Click();
}

void registerWaveformScreen()
{
    registerScreen(window::kScreenWaveform, [](TForm1& main) -> QWidget* { return new TForm3(main); });
}

} // namespace tavimo::ui
