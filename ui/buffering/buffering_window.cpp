// TForm4's creation, the wiring of its controls and its closing; the
// handlers are in buffering_window_actions.cpp, the rendering of the
// screen's state in buffering_window_render.cpp.
#include "ui/buffering/buffering_window.h"

#include "shell/catalog.h"
#include "shell/screen_keys.h"
#include "ui/buffering/buffering_plot.h"
#include "ui/chart/cursor_chart.h"
#include "ui/main_window.h"
#include "ui/number_edit.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"
#include "ui/screen_texts.h"
#include "ui/window_placement.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHideEvent>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

namespace tavimo::ui {

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
