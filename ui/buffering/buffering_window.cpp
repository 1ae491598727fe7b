// TForm4's creation, its handlers and the rendering of the screen's state.
#include "ui/buffering/buffering_window.h"

#include "buffering/buffering_failures.h"
#include "shell/catalog.h"
#include "shell/screen_keys.h"
#include "ui/buffering/buffering_plot.h"
#include "ui/chart/cursor_chart.h"
#include "ui/buffering/buffering_grid_model.h"
#include "ui/buffering/settings_dialog.h"
#include "ui/busy_guard.h"
#include "ui/file_filters.h"
#include "ui/main_window.h"
#include "ui/number_edit.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"
#include "ui/screen_texts.h"
#include "ui/window_placement.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTableView>
#include <QToolButton>

#include <chrono>

namespace tavimo::ui {

namespace {

using Clock = buffering::MonitorClock;

// The controls an action disables and the enabling rules switch.
constexpr const char* kActionControls[] = {"Button1", "Button2", "BitBtn2", "RadioGroup1", "Button3", "Button4"};
constexpr const char* kViewControls[] = {"BitBtn1",     "SpeedButton1", "SpeedButton2", "Button5",
                                         "XWidthEdit",  "UNumberEdit2", "UNumberEdit3", "TrackBar1",
                                         "CheckBox9",   "CheckBox10"};

} // namespace

TForm4::TForm4(TForm1& main, buffering::BufferingRecord& record, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowMaximizeButtonHint),
      main_(main), record_(record), op_(main.op(), this)
{
    setObjectName("TForm4");
    prepareWindow(this);
    window::Session& session = main.session();
    const buffering::BufferScreenConfig config = buffering::loadBufferConfig(session.options().configPath);
    screen_ = std::make_unique<buffering::BufferingScreen>(
        buffering::BufferingLine{session.operationContext(op_), record_}, config);

    // The file dialogs' catalog texts live on these two objects.
    (new QObject(this))->setObjectName("OpenDialog1");
    (new QObject(this))->setObjectName("SaveDialog1");
    // The form's output series Series2..Series5 are not drawn on this
    // screen; they only hold their catalog titles.
    for (int i = 2; i <= 5; ++i) (new QObject(this))->setObjectName(QStringLiteral("Series%1").arg(i));
    buildControls();
    applyScreenTexts(this, shell::form::kDataBuffering);
    const auto seriesTitle = [](const char* series) {
        const std::string* t =
            shell::Catalog::instance().screenText(shell::form::kDataBuffering, series, shell::property::kTitle);
        return t ? qs(*t) : QString();
    };
    plot_ = std::make_unique<BufferingPlot>(*chart_->view(), seriesTitle("Series1"), seriesTitle("Series6"));

    width_->SetValue(config.HORIZONTAL);
    max_->SetValue(config.VERTICAL_MAX);
    min_->SetValue(config.VERTICAL_MIN);
    control<QCheckBox>("CheckBox9")->setChecked(config.MEASURE_CURSOR);
    control<QCheckBox>("CheckBox10")->setChecked(config.TIME_CURSOR);
    resize(1180, 740);
    placeScreenWindow(*this, main_, config.DATABUFF_LEFT, config.DATABUFF_TOP);

    statusTimer_.setInterval(200);
    completionTimer_.setSingleShot(true);
    connect(&statusTimer_, &QTimer::timeout, this, &TForm4::Timer1Timer);
    connect(&completionTimer_, &QTimer::timeout, this, &TForm4::completionTimerTimer);
    connectControls();

    // Creation selects the first controller, with its traffic when online.
    runAction([this] { screen_->open(0); });
    QStringList labels;
    for (const std::string& l : screen_->idLabels()) labels << qs(l);
    ids_->setItems(labels);
    render();
    if (screen_->openedOnline()) statusTimer_.start();
}

TForm4::~TForm4()
{
    // Destroyed without being hidden by the screen switch (a fatal end): no
    // traffic any more, only the timers die.
    statusTimer_.stop();
    completionTimer_.stop();
}

void TForm4::connectControls()
{
    connect(ids_, &RadioGroup::itemClicked, this, &TForm4::RadioGroup1Click);
    connect(control<QPushButton>("Button1"), &QPushButton::clicked, this, &TForm4::Button1Click);
    connect(control<QPushButton>("Button2"), &QPushButton::clicked, this, &TForm4::Button2Click);
    connect(control<QPushButton>("BitBtn2"), &QPushButton::clicked, this, &TForm4::BitBtn2Click);
    connect(control<QPushButton>("Button3"), &QPushButton::clicked, this, &TForm4::Button3Click);
    connect(control<QPushButton>("Button4"), &QPushButton::clicked, this, &TForm4::Button4Click);
    connect(control<QPushButton>("BitBtn1"), &QPushButton::clicked, this, &TForm4::BitBtn1Click);
    connect(&main_, &TForm1::batchSendFinished, this, &TForm4::reselect);

    auto& view = screen_->view();
    connect(width_, &UNumberEdit::changed, this, [this, &view] {
        view.widthChanged(static_cast<int>(width_->validValue()));
        render();
    });
    connect(control<QToolButton>("SpeedButton2"), &QToolButton::clicked, this, [this, &view] {
        view.restoreWidth();
        render();
    });
    connect(max_, &UNumberEdit::changed, this, [this, &view] {
        view.maxFieldChanged(max_->validValue());
        render();
    });
    connect(min_, &UNumberEdit::changed, this, [this, &view] {
        view.minFieldChanged(min_->validValue());
        render();
    });
    connect(control<QToolButton>("SpeedButton1"), &QToolButton::clicked, this, [this, &view] {
        view.restoreValueFields();
        render();
    });
    connect(control<QCheckBox>("CheckBox9"), &QCheckBox::toggled, this, [this, &view](bool on) {
        if (rendering_) return;
        view.setValueCursors(on);
        render();
    });
    connect(control<QCheckBox>("CheckBox10"), &QCheckBox::toggled, this, [this, &view](bool on) {
        if (rendering_) return;
        view.setTimeCursors(on);
        render();
    });
    connect(chart_, &CursorChart::cursorMoved, this, [this, &view](waveform::CursorLine line, int position) {
        if (rendering_) return;
        view.moveCursor(line, position);
        renderCursors();
        renderReadouts();
    });
    connect(replay_, &QSlider::valueChanged, this, [this](int position) {
        if (rendering_) return;
        screen_->replayMoved(position);
        render();
    });
    connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) {
                if (rendering_ || !index.isValid()) return;
                screen_->gridRowSelected(static_cast<std::size_t>(index.row()) + 1);
                render();
            });
    ChartView* chart = chart_->view();
    connect(chart, &ChartView::drawn, this, [this, &view, chart](const waveform::PlotArea& area) {
        if (!cursorsPlaced_) {
            // The first drawing with a real size places the cursors.
            cursorsPlaced_ = true;
            view.placeCursors(chart->width(), chart->height());
            renderCursors();
        }
        view.chartDrawn(area);
        renderReadouts();
    });
    connect(chart, &ChartView::zoomRequested, this,
            [this, &view](const waveform::AxisSpan& time, const waveform::AxisSpan& value) {
                view.zoomed(time, value);
                render();
            });
    connect(chart, &ChartView::panRequested, this,
            [this, &view](const waveform::AxisSpan& time, const waveform::AxisSpan& value) {
                view.scrollTime(time.min, time.max);
                view.scrollValue(value.min, value.max);
                render();
            });
}

void TForm4::runAction(const std::function<void()>& action, bool disableMain)
{
    if (screen_->busy() || screen_->closed()) return;
    {
        // The main window stays disabled for a modal action (the readout).
        BusyGuard busy(disableMain ? std::initializer_list<QWidget*>{&main_} : std::initializer_list<QWidget*>{});
        for (const char* name : kActionControls)
            if (auto* w = findChild<QWidget*>(QString::fromLatin1(name))) w->setEnabled(false);
        action();
    }
    if (main_.fatalEnded()) return;
    showData();
    render();
    scheduleCompletion();
}

void TForm4::RadioGroup1Click(int position)
{
    runAction([this, position] { screen_->selectController(position); });
}

void TForm4::reselect()
{
    runAction([this] { screen_->reselect(); });
}

void TForm4::Button1Click()
{
    runAction([this] { screen_->toggle(); });
}

void TForm4::Button2Click()
{
    op_.setCancellable(true);
    runAction([this] { screen_->read(); }, true);
    op_.setCancellable(false);
}

void TForm4::BitBtn2Click()
{
    runAction([this] {
        screen_->openSettings([this] {
            if (settingsDialog_)
                settingsDialog_();
            else
                TForm6::run(record_, op_, this);
        });
    });
}

waveform::CsvFormat TForm4::csvFormat() const
{
    const files::EnvironmentConfig& e = main_.session().config.environment;
    return {e.CSV_SEPARATOR, e.DECIMAL_SEPARATOR};
}

QString TForm4::chooseFile(BufferingFileKind kind)
{
    const bool save = kind == BufferingFileKind::Save;
    const buffering::BufferScreenConfig c = screen_->configToSave();
    const QString folder = qs(save ? c.DATABUFF_SAVEFOLDER : c.DATABUFF_OPENFOLDER);
    if (chooser_) return chooser_(kind, folder);
    const QObject* holder = findChild<QObject*>(save ? QStringLiteral("SaveDialog1") : QStringLiteral("OpenDialog1"));
    QFileDialog dialog(this, QString(), folder);
    dialog.setNameFilters(nameFilters(screenProperty(holder, shell::property::kFilter)));
    dialog.setDefaultSuffix(screenProperty(holder, shell::property::kDefaultExt));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

void TForm4::Button3Click()
{
    if (screen_->busy()) return;
    const QString path = chooseFile(BufferingFileKind::Load);
    if (path.isEmpty()) return; // cancelled: nothing changes
    runAction([this, path] { screen_->load(std::filesystem::path(utf8(path)), csvFormat()); });
}

void TForm4::Button4Click()
{
    if (screen_->busy() || screen_->data().empty()) return;
    const QString path = chooseFile(BufferingFileKind::Save);
    if (path.isEmpty()) return;
    runAction([this, path] {
        screen_->save(std::filesystem::path(utf8(path)), shell::Catalog::instance().language(), csvFormat());
    });
}

void TForm4::BitBtn1Click()
{
    screen_->view().displaySwitched();
    render();
}

void TForm4::Timer1Timer()
{
    if (screen_->busy() || screen_->closed()) return;
    screen_->statusTick(Clock::now());
    if (main_.fatalEnded()) return;
    scheduleCompletion();
    renderControls();
}

void TForm4::completionTimerTimer()
{
    if (screen_->closed()) return;
    screen_->completionTimerFired(Clock::now());
    if (main_.fatalEnded()) return;
    scheduleCompletion();
    renderControls();
}

void TForm4::scheduleCompletion()
{
    const auto due = screen_->completionDueAt();
    if (!due || screen_->closed()) {
        completionTimer_.stop();
        return;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(*due - Clock::now()).count();
    completionTimer_.start(static_cast<int>(std::max<long long>(0, left)));
}

void TForm4::showData()
{
    plot_->showPoints(screen_->data());
    gridModel_->reload();
}

void TForm4::renderControls()
{
    const buffering::BufferingControls c = screen_->controls();
    const buffering::StatusTexts& s = screen_->status();
    control<QLabel>("Label20")->setText(qs(s.run));
    control<QLabel>("Label21")->setText(qs(s.trigger));
    control<QLabel>("Label22")->setText(qs(s.count));
    auto* startStop = control<QPushButton>("Button1");
    startStop->setText(qs(c.startStopCaption));
    startStop->setEnabled(c.startStop);
    control<QWidget>("Button2")->setEnabled(c.read);
    control<QWidget>("BitBtn2")->setEnabled(c.settings);
    ids_->setEnabled(c.idList);
    ids_->setItemIndex(screen_->selectedPosition());
    control<QWidget>("Button3")->setEnabled(c.load);
    control<QWidget>("Button4")->setEnabled(c.save);
    for (const char* name : kViewControls)
        if (auto* w = findChild<QWidget*>(QString::fromLatin1(name))) w->setEnabled(c.view);
    chart_->setCursorControlsEnabled(c.valueCursorBars, c.timeCursorBars);
    grid_->setVisible(c.gridVisible);
}

void TForm4::renderAxisTexts()
{
    const buffering::UnitTexts t = buffering::unitTexts(screen_->view().unit());
    control<QLabel>("Label13")->setText(qs(t.rangeLabel));
    control<QLabel>("Label14")->setText(qs(t.widthLabel));
    chart_->view()->setAxisTitles(qs(t.axisTitle), screenProperty(chart_->view(), shell::property::kLeftAxisTitle));
}

void TForm4::renderReadouts()
{
    const waveform::CursorReadouts r = screen_->view().readouts();
    control<QLabel>("StaticText1")->setText(qs(r.L1));
    control<QLabel>("StaticText2")->setText(qs(r.L2));
    control<QLabel>("StaticText3")->setText(qs(r.PP));
    control<QLabel>("StaticText4")->setText(qs(r.T1));
    control<QLabel>("StaticText5")->setText(qs(r.T2));
    control<QLabel>("StaticText6")->setText(qs(r.RL));
}

void TForm4::renderCursors()
{
    const buffering::BufferingView& view = screen_->view();
    chart_->showCursors(view.cursors().positions(), view.fields().MEASURE_CURSOR, view.fields().TIME_CURSOR);
}

void TForm4::render()
{
    if (rendering_) return;
    rendering_ = true;
    const buffering::BufferingView& view = screen_->view();
    const buffering::BufferScreenConfig& f = view.fields();
    renderControls();
    renderAxisTexts();
    if (static_cast<int>(width_->validValue()) != f.HORIZONTAL) width_->SetValue(f.HORIZONTAL);
    if (max_->validValue() != f.VERTICAL_MAX) max_->SetValue(f.VERTICAL_MAX);
    if (min_->validValue() != f.VERTICAL_MIN) min_->SetValue(f.VERTICAL_MIN);
    control<QCheckBox>("CheckBox9")->setChecked(f.MEASURE_CURSOR);
    control<QCheckBox>("CheckBox10")->setChecked(f.TIME_CURSOR);

    const buffering::ReplayBar& r = view.replay();
    replay_->setRange(r.min, r.max);
    replay_->setValue(r.position);

    plot_->showMark(screen_->data().mark());
    chart_->view()->setAxes(view.axes().time, view.axes().value);
    renderCursors();
    chart_->view()->redraw();
    renderReadouts();
    rendering_ = false;
}

void TForm4::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    render();
}

void TForm4::closeScreen()
{
    if (released_) return;
    released_ = true;
    statusTimer_.stop();
    completionTimer_.stop();
    if (main_.fatalEnded()) return; // the line is gone: nothing is released or saved
    screen_->close();
    completionTimer_.stop();
    buffering::BufferScreenConfig c = screen_->configToSave();
    c.DATABUFF_LEFT = x();
    c.DATABUFF_TOP = y();
    buffering::saveBufferConfig(main_.session().options().configPath, c);
}

void TForm4::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // The main window's screen switch hides the screen before it goes: the
    // controllers are released while the line is open. A minimised window
    // (a spontaneous hide) stays.
    if (!event->spontaneous()) closeScreen();
}

void TForm4::closeEvent(QCloseEvent* event)
{
    // No close box of its own: the screen switch closes it.
    event->ignore();
}

} // namespace tavimo::ui
