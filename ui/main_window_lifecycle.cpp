// TForm1's creation and close, going online and offline, and the screen
// switch.
#include "ui/main_window.h"

#include "shell/screen_keys.h"
#include "shell/window_fonts.h"
#include "ui/busy_guard.h"
#include "ui/gui_operator.h"
#include "ui/qt_text.h"
#include "ui/screen_registry.h"
#include "ui/screen_texts.h"
#include "ui/tavimo_mark.h"
#include "ui/window_placement.h"
#include "window/dialog_rules.h"
#include "window/precondition_checks.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>

namespace tavimo::ui {

namespace {

// The open screen is running a modal action (the buffering readout).
bool screenBusy(const QWidget* screen)
{
    const auto* s = dynamic_cast<const BusyScreen*>(screen);
    return s && s->screenBusy();
}

} // namespace

TForm1::TForm1(window::Session& session, GuiOperator& op, HelpOpener& help, Options options, QWidget* parent)
    : QMainWindow(parent), session_(session), op_(op), help_(help), options_(options), state_(session.model)
{
    setObjectName("TForm1");
    // Configuration, language, lists and the suspended worker come first:
    // the texts below are in the configured language.
    session_.open();
    if (options_.demo) session_.config.port.COM = 0; // the demo line leads the list
    session_.link.setReporter(&op_);
    op_.setOwner(this);
    op_.setTerminationHandler([this] { fatalExit(); });

    prepareWindow(this);
    setWindowIcon(tavimoIcon());
    buildControls();
    applyScreenTexts(this, shell::form::kMain);
    connectControls();
    restorePosition();

    const files::EnvironmentConfig& e = session_.config.environment;
    state_.setChecks(e.CONTCHECK);
    state_.start(e.CONTROLER_PAGE);
    settingTab_->setCurrentIndex(e.TAB_PAGE);
    showOnline(false);
    render();
}

TForm1::~TForm1()
{
    // Destroyed without the close sequence (a fatal end, a test): the worker
    // still ends before the objects it uses.
    if (!closed_) session_.stopWorker();
    op_.setTerminationHandler({});
    op_.setOwner(nullptr);
    session_.link.setReporter(nullptr);
}

void TForm1::restorePosition()
{
    resize(1060, 700);
    const files::EnvironmentConfig& e = session_.config.environment;
    if (e.MAIN_LEFT == 0 && e.MAIN_TOP == 0) return;
    const QPoint at(e.MAIN_LEFT, e.MAIN_TOP);
    // Only where a screen still is (a monitor may have gone).
    for (const QScreen* s : QGuiApplication::screens())
        if (s->availableGeometry().contains(at)) return move(at);
}

void TForm1::keepWindowState()
{
    files::EnvironmentConfig& e = session_.config.environment;
    e.CONTROLER_PAGE = state_.controller();
    e.TAB_PAGE = settingTab_->currentIndex();
    e.CONTCHECK = state_.checks();
    e.MAIN_LEFT = x();
    e.MAIN_TOP = y();
}

void TForm1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (widened_) return;
    widened_ = true;
    // English texts of the mode list are long: its drop-down is widened.
    auto* mode = control<QComboBox>("MDEComboB1");
    const double factor = shell::modeDropDownWidthFactor(shell::Catalog::instance().language());
    if (mode && factor > 1.0) mode->view()->setMinimumWidth(static_cast<int>(mode->width() * factor));
}

void TForm1::closeEvent(QCloseEvent* event)
{
    if (fatal_ || closed_) return event->accept();
    if (screenBusy(screen_)) return event->ignore();
    session_.markOffline();
    storeWindow();
    closeScreen();
    session_.shared.screenMode = window::kScreenNone;
    keepWindowState();
    const files::FileError saved = session_.finish(true);
    closed_ = true;
    fileFailure(saved);
    event->accept();
}

void TForm1::fatalExit()
{
    if (fatal_) return;
    fatal_ = true;
    // Nothing is saved, but the worker must not outlive what it uses.
    session_.stopWorker();
    QCoreApplication::exit(0);
}

void TForm1::OnlineButtonClick()
{
    if (screenBusy(screen_)) return;
    if (!session_.active.online()) {
        storeWindow();
        link::goOnline(session_.onlineParts(op_, *this), session_.onlineLine());
    } else {
        link::goOffline(session_.onlineParts(op_, *this));
    }
    if (!fatal_) render();
}

void TForm1::showOnline(bool online)
{
    auto* b = control<QPushButton>("OnlineButton");
    QPalette p = b->palette();
    p.setColor(QPalette::ButtonText, online ? QColor(Qt::red) : QGuiApplication::palette().color(QPalette::ButtonText));
    b->setPalette(p);
    applyEnablingRules();
}

void TForm1::showControllers(const link::ActiveControllers& active)
{
    collect();
    state_.showControllers(active);
    if (!active.online()) state_.showAllControllers();
    render();
}

void TForm1::switchScreen(bool online)
{
    window::ScreenButton pressed = window::ScreenButton::Value;
    for (int i = 1; i <= 3; ++i)
        if (findChild<QAbstractButton*>(QStringLiteral("SpeedButton%1").arg(i))->isChecked())
            pressed = static_cast<window::ScreenButton>(i);
    switchScreenTo(window::modeForButton(pressed, online));
}

void TForm1::ScreenButtonClick(window::ScreenButton button)
{
    const auto target = window::buttonTarget(button, screenMode(), session_.active.online());
    if (target) switchScreenTo(*target);
    applyEnablingRules();
}

bool TForm1::runLoggingCheck()
{
    BusyGuard busy({this}, [this] { applyEnablingRules(); });
    settings::OperationContext ctx = context();
    return window::checkLoggingPreconditions(ctx).passed;
}

void TForm1::closeScreen()
{
    if (!screen_) return;
    QWidget* s = screen_;
    screen_ = nullptr;
    if (screenMode() == window::kScreenMeasuredValues) {
        session_.config.environment.MESUREDISP_TOP = s->y();
        session_.config.environment.MESUREDISP_LEFT = s->x();
    }
    s->hide();
    s->deleteLater();
}

void TForm1::openScreenFor(int mode)
{
    if (!window::opensScreen(mode, session_.active.online())) return;
    const ScreenFactory make = screenFactory(mode);
    if (!make) return; // that screen is not part of this build
    screen_ = make(*this);
    if (!screen_) return;
    screen_->show();
    // The measured-value screen takes its height when it is shown.
    if (mode == window::kScreenMeasuredValues) {
        const files::EnvironmentConfig& e = session_.config.environment;
        placeScreenWindow(*screen_, *this, e.MESUREDISP_LEFT, e.MESUREDISP_TOP);
    }
}

void TForm1::switchScreenTo(int mode)
{
    if (screenBusy(screen_)) return applyEnablingRules();
    const bool online = session_.active.online();
    bool passed = true;
    if (window::needsLoggingCheck(mode, online)) passed = runLoggingCheck();
    if (fatal_) return;
    const window::SwitchPlan plan = window::planSwitch(mode, screenMode(), online, passed);
    findChild<QAbstractButton*>(QStringLiteral("SpeedButton%1").arg(static_cast<int>(plan.pressed)))->setChecked(true);
    if (plan.proceed) {
        try {
            closeScreen();
            openScreenFor(plan.target);
            session_.shared.screenMode = plan.target;
        } catch (...) {
            op_.message(msgText(shell::Msg::ProgramError));
            return fatalExit();
        }
    }
    applyEnablingRules();
}

} // namespace tavimo::ui
