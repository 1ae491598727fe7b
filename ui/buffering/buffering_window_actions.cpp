// TForm4's handlers: the actions forwarded to the screen's core object, the
// file dialogs, the status and completion timers.
#include "ui/buffering/buffering_window.h"

#include "shell/screen_keys.h"
#include "ui/buffering/settings_dialog.h"
#include "ui/busy_guard.h"
#include "ui/file_dialog.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/screen_texts.h"
#include "window/dialog_rules.h"

#include <QFileInfo>

#include <chrono>

namespace tavimo::ui {

namespace {

using Clock = buffering::MonitorClock;

// The controls an action disables.
constexpr const char* kActionControls[] = {"Button1", "Button2", "BitBtn2", "RadioGroup1", "Button3", "Button4"};

} // namespace

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
    const window::CsvChoice csv = window::configuredCsvChoice(main_.session().config.environment);
    return {csv.separator, csv.decimal};
}

QString TForm4::chooseFile(BufferingFileKind kind)
{
    const bool save = kind == BufferingFileKind::Save;
    const buffering::BufferScreenConfig c = screen_->configToSave();
    const QString folder = qs(save ? c.DATABUFF_SAVEFOLDER : c.DATABUFF_OPENFOLDER);
    if (chooser_) return chooser_(kind, folder);
    const QObject* holder = findChild<QObject*>(save ? QStringLiteral("SaveDialog1") : QStringLiteral("OpenDialog1"));
    return chooseCatalogFile(this, holder, folder, save).path;
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

} // namespace tavimo::ui
