#include "buffering/buffering_screen.h"

#include "buffering/buffering_csv.h"
#include "buffering/buffering_failures.h"
#include "buffering/buffering_rules.h"
#include "buffering/buffering_run.h"
#include "buffering/closing.h"
#include "buffering/controller_selection.h"
#include "buffering/readout.h"
#include "buffering/settings_form.h"
#include "link/worker_control.h"
#include "shell/catalog.h"
#include "shell/message_lists.h"
#include "shell/screen_keys.h"

namespace tavimo::buffering {

// Marks the screen busy for one action; refuses when another action runs or
// the screen has closed.
class BufferingScreen::Guard {
public:
    explicit Guard(BufferingScreen& s) : s_(s), ok_(!s.busy_ && !s.closed_)
    {
        if (ok_) s_.busy_ = true;
    }
    ~Guard()
    {
        if (ok_) s_.busy_ = false;
    }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;
    explicit operator bool() const { return ok_; }

private:
    BufferingScreen& s_;
    bool ok_;
};

namespace {

std::string executeCaption()
{
    const std::string* t =
        shell::Catalog::instance().screenText(shell::form::kDataBuffering, "Button1", shell::property::kCaption);
    return t ? *t : std::string();
}

} // namespace

BufferingScreen::BufferingScreen(BufferingLine line, const BufferScreenConfig& config)
    : line_(line), config_(config), view_(config)
{
}

void BufferingScreen::open(int position)
{
    line_.record.resetForScreen(config_.runSettings());
    online_ = line_.online();
    ids_.clear();
    for (int i = 0; i < line_.ctx.active.activeCount(); ++i) ids_.push_back(line_.ctx.active.activeId(i));
    clearDisplay();
    lastSeen_ = line_.record.copy();
    if (!ids_.empty()) selectController(position >= 0 && position < static_cast<int>(ids_.size()) ? position : 0);
}

std::vector<std::string> BufferingScreen::idLabels() const
{
    std::vector<std::string> out;
    for (int id : ids_) {
        const auto label = shell::idLabel(id);
        out.push_back(label ? shell::Catalog::instance().text(*label) : std::string());
    }
    return out;
}

void BufferingScreen::clearDisplay()
{
    data_.clear();
    view_.clear();
    view_.dataChanged(data_);
}

void BufferingScreen::selectController(int position)
{
    Guard guard(*this);
    if (!guard) return;
    const SelectionResult r = selectBufferingController(line_, position, monitor_);
    if (!r.selected) return;
    selected_ = position;
    view_.setUnit(r.holdMode != 0 ? HorizontalUnit::Points : HorizontalUnit::Time);
    if (online_) clearDisplay();
    if (auto s = line_.record.copy()) lastSeen_ = s;
}

int BufferingScreen::toggle()
{
    Guard guard(*this);
    if (!guard || !online_) return kCodeRefused;
    const int code = toggleBuffering(line_, monitor_);
    if (auto s = line_.record.copy()) lastSeen_ = s;
    return code;
}

void BufferingScreen::showStatus(const BufferingState& s)
{
    using shell::Msg;
    const auto& c = shell::Catalog::instance();
    status_.run = c.text(s.runState == 1 ? Msg::Executing : Msg::Stopping);
    status_.trigger = c.text(s.triggerState == 1 ? Msg::TriggerDetect : Msg::TriggerWait);
    status_.count = std::to_string(s.storedCount);
    statusShown_ = true;
}

void BufferingScreen::statusTick(MonitorClock::time_point now)
{
    if (!online_ || closed_ || busy_) return;
    const auto s = line_.record.copy();
    if (!s) return; // a tick without the lock is skipped silently
    lastSeen_ = s;
    showStatus(*s);
    if (monitor_.statusSeen(*s, now) || monitor_.timerFired(now)) stop();
}

void BufferingScreen::completionTimerFired(MonitorClock::time_point now)
{
    // While another action runs the timer stays due; the next status tick
    // after it fires it.
    if (closed_ || busy_) return;
    if (monitor_.timerFired(now)) stop();
}

int BufferingScreen::stop()
{
    Guard guard(*this);
    if (!guard || !online_) return kCodeRefused;
    const int code = endRunAutomatically(line_, monitor_);
    if (auto s = line_.record.copy()) lastSeen_ = s;
    return code;
}

int BufferingScreen::read()
{
    Guard guard(*this);
    if (!guard || !online_) return kCodeRefused;
    const ReadoutResult r = readBufferedData(line_, data_);
    if (r.dataReplaced) {
        view_.clear();
        view_.dataChanged(data_);
    }
    return r.code;
}

int BufferingScreen::openSettings(const std::function<void()>& showDialog)
{
    Guard guard(*this);
    if (!guard) return kCodeRefused;
    const int code = openBufferingSettings(line_, showDialog);
    if (auto s = line_.record.copy()) lastSeen_ = s;
    return code;
}

int BufferingScreen::withWorkerPaused(const std::function<int()>& work)
{
    link::WorkerPause pause(line_.ctx.worker);
    if (!pause.paused()) return kCodeWorkerNotPaused;
    int code = work();
    if (!pause.resume()) code = kCodeWorkerNotResumed;
    return code;
}

int BufferingScreen::save(const std::filesystem::path& path, shell::Language language,
                          const waveform::CsvFormat& format)
{
    Guard guard(*this);
    if (!guard) return kCodeRefused;
    config_.DATABUFF_SAVEFOLDER = path.parent_path().string();
    const int code = withWorkerPaused([&] {
        shell::BusyScope busy(line_.op());
        return saveBufferingCsv(path, data_, language, format);
    });
    reportBufferingFailure(line_.op(), Procedure::File, code);
    return code;
}

int BufferingScreen::load(const std::filesystem::path& path, const waveform::CsvFormat& format)
{
    Guard guard(*this);
    if (!guard) return kCodeRefused;
    config_.DATABUFF_OPENFOLDER = path.parent_path().string();
    const int code = withWorkerPaused([&] {
        shell::BusyScope busy(line_.op());
        BufferedData loaded;
        const int c = loadBufferingCsv(path, format, loaded);
        if (c != kCodeOk) return c; // the data shown stays
        data_ = std::move(loaded);
        view_.clear();
        view_.dataChanged(data_);
        RecordLock lock(line_.record);
        if (!lock.owns()) return kCodeSharedBuffer; // the data stays, with its own rate
        BufferingState s = line_.record.getLocked();
        s.dataRate = data_.rate();
        line_.record.setLocked(s);
        return kCodeOk;
    });
    reportBufferingFailure(line_.op(), Procedure::File, code);
    return code;
}

int BufferingScreen::close()
{
    if (closed_) return kCodeOk;
    Guard guard(*this);
    if (!guard) return kCodeRefused;
    monitor_.close();
    const int code = endBufferingOnClose(line_, online_, ids_);
    closed_ = true;
    return code;
}

BufferingControls BufferingScreen::controls() const
{
    BufferingControls c;
    c.gridVisible = !view_.wide();
    c.startStopCaption = executeCaption();
    if (lastSeen_ && statusShown_)
        c.startStopCaption =
            shell::Catalog::instance().text(lastSeen_->runState == 1 ? shell::Msg::Stop : shell::Msg::Start);
    if (busy_ || closed_) return c; // every control disabled during an action
    c.view = true;
    c.load = true;
    c.save = !data_.empty();
    c.valueCursorBars = view_.fields().MEASURE_CURSOR;
    c.timeCursorBars = view_.fields().TIME_CURSOR;
    if (online_) {
        c.startStop = true;
        c.idList = !monitor_.pending();
        if (lastSeen_) {
            c.settings = lastSeen_->runState == 0;
            c.read = readoutPossible(*lastSeen_);
        }
    }
    return c;
}

BufferScreenConfig BufferingScreen::configToSave()
{
    BufferScreenConfig c = config_;
    const BufferScreenConfig& v = view_.fields();
    c.VERTICAL_MAX = v.VERTICAL_MAX;
    c.VERTICAL_MIN = v.VERTICAL_MIN;
    c.HORIZONTAL = v.HORIZONTAL;
    c.MEASURE_CURSOR = v.MEASURE_CURSOR;
    c.TIME_CURSOR = v.TIME_CURSOR;
    c.CHART_DISP_WIDTH = v.CHART_DISP_WIDTH;
    if (const auto s = line_.record.copy()) c.setRunSettings(runSettingsOf(*s));
    return c;
}

} // namespace tavimo::buffering
