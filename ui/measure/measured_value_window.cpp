#include "ui/measure/measured_value_window.h"

#include "shell/screen_keys.h"
#include "ui/busy_guard.h"
#include "ui/gui_operator.h"
#include "ui/main_window.h"
#include "ui/measure/value_panel.h"
#include "ui/qt_text.h"
#include "ui/screen_texts.h"
#include "window/checks_publisher.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>

#include <algorithm>

namespace tavimo::ui {

using measure::MeasureAction;

namespace {

constexpr int kTickMs = 200;
constexpr int kWindowWidth = 430 * kPanelScale;

struct ActionButton {
    const char* name;
    MeasureAction action;
};
constexpr ActionButton kButtons[] = {
    {"DispLengButton", MeasureAction::Distance}, {"DispVoltButton", MeasureAction::Voltage},
    {"HiTeachButton", MeasureAction::HiTeach},   {"LoTeachButton", MeasureAction::LoTeach},
    {"ZeroSetButton", MeasureAction::ZeroSet},   {"ZeroCancelButton", MeasureAction::ZeroCancel},
};

} // namespace

TForm2::TForm2(TForm1& main, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint), main_(main)
{
    setObjectName("TForm2");
    {
        // The screen starts from a cleared snapshot; the worker refills it.
        measure::SharedData& shared = main_.session().shared;
        std::unique_lock lock(shared.measureLock, std::defer_lock);
        if (lock.try_lock_for(measure::kDataLockWait)) shared.snapshot.clear();
    }
    prepareWindow(this);
    for (int id = 0; id < 8; ++id) {
        panels_[static_cast<std::size_t>(id)] = new ValuePanel(id, this);
        panels_[static_cast<std::size_t>(id)]->hide();
    }
    group_ = buildButtons();
    applyScreenTexts(this, shell::form::kMeasuredValues);
    for (ValuePanel* p : panels_) p->keepTexts();
    placePanels();
    timer1_.setObjectName("Timer1");
    timer1_.setInterval(kTickMs);
    connect(&timer1_, &QTimer::timeout, this, &TForm2::Timer1Timer);
    connect(&main_, &TForm1::checksChanged, this, &TForm2::applyChecks);
}

TForm2::~TForm2() { timer1_.stop(); }

QGroupBox* TForm2::buildButtons()
{
    auto* box = new QGroupBox(this);
    box->setObjectName("GroupBox1");
    auto* row = new QHBoxLayout(box);
    QFont font = this->font();
    font.setPixelSize(11 * kPanelScale);
    const int groups[][2] = {{0, 1}, {2, 3}, {4, 5}};
    const char* groupNames[] = {"GroupBox4", "GroupBox5", "GroupBox6"};
    for (int g = 0; g < 3; ++g) {
        auto* sub = new QGroupBox(box);
        sub->setObjectName(groupNames[g]);
        auto* buttons = new QHBoxLayout(sub);
        for (int i : groups[g]) {
            auto* b = new QPushButton(sub);
            b->setObjectName(kButtons[i].name);
            b->setFont(font);
            b->setMinimumHeight(14 * kPanelScale);
            const MeasureAction action = kButtons[i].action;
            connect(b, &QPushButton::clicked, this, [this, action] { runAction(action); });
            buttons->addWidget(b);
            buttons_[static_cast<std::size_t>(i)] = b;
        }
        row->addWidget(sub);
    }
    return box;
}

void TForm2::placePanels()
{
    const link::ActiveControllers& active = main_.session().active;
    for (ValuePanel* p : panels_) p->hide();
    const measure::PanelLayout layout = measure::stackPanels(active, 0);
    const int margin = 8 * kPanelScale;
    const int width = std::max(kWindowWidth, group_->sizeHint().width() + 2 * margin);
    for (const auto& [id, y] : layout.panels) {
        ValuePanel* p = panel(id);
        p->setGeometry(margin, y * kPanelScale, width - 2 * margin, kPanelHeight);
        p->show();
    }
    const int groupHeight = group_->sizeHint().height();
    group_->setGeometry(margin, layout.groupTop * kPanelScale, width - 2 * margin, groupHeight);
    setFixedSize(width, layout.groupTop * kPanelScale + groupHeight + margin);
}

void TForm2::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    window::publishChecks(main_.session().shared, main_.state().checks());
    applyChecks();
    Timer1Timer();
    if (main_.session().active.online()) timer1_.start();
}

void TForm2::closeEvent(QCloseEvent* event)
{
    // Only the main window's screen switch closes this screen.
    if (event->spontaneous()) return event->ignore();
    QWidget::closeEvent(event);
}

void TForm2::applyChecks()
{
    const auto& checks = main_.state().checks();
    for (int id = 0; id < 8; ++id) panel(id)->setChecked(checks[static_cast<std::size_t>(id)]);
}

void TForm2::Timer1Timer()
{
    try {
        const auto views = measure::displayTick(main_.session().shared, main_.session().active);
        if (!views) return; // the worker holds the lock: the next tick shows it
        for (const measure::PanelView& v : *views)
            if (v.id >= 0 && v.id < 8 && panel(v.id)->isVisibleTo(this)) panel(v.id)->showView(v);
    } catch (...) {
        timer1_.stop();
        main_.fatalExit();
    }
}

void TForm2::setButtonsEnabled(bool enabled)
{
    for (QPushButton* b : buttons_) b->setEnabled(enabled);
}

void TForm2::runAction(MeasureAction action)
{
    setButtonsEnabled(false);
    try {
        // The main window waits too: nothing may switch screens or go
        // offline while the worker is paused for this action.
        BusyGuard busy({&main_}, [this] { main_.applyEnablingRules(); });
        settings::OperationContext ctx = main_.session().operationContext(main_.op());
        measure::runMeasureAction(ctx, action);
    } catch (...) {
        main_.op().message(msgText(shell::Msg::ProgramError));
        return main_.fatalExit();
    }
    setButtonsEnabled(true);
}

} // namespace tavimo::ui
