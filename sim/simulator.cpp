#include "sim/simulator.h"

#include "sim/line_state.h"

#include <sys/eventfd.h>
#include <unistd.h>

namespace tavimo::sim {

Simulator::Simulator(SimulatorOptions options)
    : options_(std::move(options)), checkCodeMode_(options_.checkCodeMode), line_(std::make_unique<Line>(options_))
{
    const Clock::time_point epoch = Clock::now();
    for (int id : options_.ids) {
        if (id < 0 || id > 9 || findLocked(id)) continue;
        controllers_.push_back(makeController(id, epoch));
        controllers_.back().resetAnswerDelayMs = options_.resetAnswerDelayMs;
    }
}

Simulator::~Simulator()
{
    stop();
}

bool Simulator::start()
{
    if (running()) return true;
    if (!line_->pty.open()) return false;
    wakeFd_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (wakeFd_ < 0) {
        line_->pty.close();
        return false;
    }
    portPath_ = line_->pty.slavePath();
    stopRequested_ = false;
    unplugRequested_ = false;
    unplugged_ = false;
    thread_ = std::thread([this] { runLine(); });
    return true;
}

void Simulator::stop()
{
    if (!thread_.joinable()) return;
    stopRequested_ = true;
    wake();
    thread_.join();
    line_->pty.close();
    line_->out.clear();
    line_->stream.stop();
    ::close(wakeFd_);
    wakeFd_ = -1;
    quiet_ = true;
}

void Simulator::wake()
{
    if (wakeFd_ >= 0) {
        std::uint64_t one = 1;
        [[maybe_unused]] ssize_t n = ::write(wakeFd_, &one, sizeof one);
    }
}

void Simulator::addFault(const Fault& f)
{
    std::lock_guard lock(mutex_);
    faults_.add(f);
}

void Simulator::clearFaults()
{
    std::lock_guard lock(mutex_);
    faults_.clear();
    for (ControllerState& c : controllers_) c.alarm = c.alarmStuck = false;
}

std::vector<std::string> Simulator::requestFrames() const
{
    std::lock_guard lock(mutex_);
    std::vector<std::string> out;
    out.reserve(log_.size());
    for (const LoggedRequest& r : log_) out.push_back(r.frame);
    return out;
}

std::vector<LoggedRequest> Simulator::requestLog() const
{
    std::lock_guard lock(mutex_);
    return log_;
}

std::size_t Simulator::requestCount() const
{
    std::lock_guard lock(mutex_);
    return log_.size();
}

void Simulator::clearLog()
{
    std::lock_guard lock(mutex_);
    log_.clear();
}

void Simulator::setRequestListener(std::function<void(const std::string&)> listener)
{
    std::lock_guard lock(mutex_);
    listener_ = std::move(listener);
}

void Simulator::setCheckCodeMode(int mode)
{
    std::lock_guard lock(mutex_);
    checkCodeMode_ = mode;
}

int Simulator::checkCodeMode() const
{
    std::lock_guard lock(mutex_);
    return checkCodeMode_;
}

void Simulator::unplug()
{
    unplugRequested_ = true;
    wake();
    if (!running()) unplugged_ = true;
}

bool Simulator::waitUntilQuiet(std::chrono::milliseconds timeout)
{
    const auto deadline = Clock::now() + timeout;
    while (!quiet_) {
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

ControllerState* Simulator::findLocked(int id)
{
    for (ControllerState& c : controllers_)
        if (c.id == id) return &c;
    return nullptr;
}

} // namespace tavimo::sim
