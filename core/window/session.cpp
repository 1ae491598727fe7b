#include "window/session.h"

#include "link/line_settings.h"
#include "link/port_list.h"
#include "shell/catalog.h"
#include "shell/language.h"

namespace tavimo::window {

namespace {

template <class List>
std::string pick(const List& list, int index, std::string_view fallback)
{
    if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return std::string(fallback);
    return std::string(list[static_cast<std::size_t>(index)]);
}

} // namespace

Session::Session(SessionOptions options) : options_(std::move(options)) {}

Session::~Session() { stopWorker(); }

files::FileError Session::open()
{
    const files::FileError loaded = files::loadAppConfig(options_.configPath, config, model);
    shell::Catalog::instance().setLanguage(shell::languageFromInteger(config.environment.LANGUAGE));
    ports = link::listSerialPorts(options_.firstPort, options_.sysTtyRoot, options_.devRoot);
    link.setCheckCodeMode(config.port.BCC);
    active.setOnline(false);
    shared.screenMode = 0;
    shared.checks.checked = config.environment.CONTCHECK;
    if (!worker_)
        worker_ = std::make_unique<measure::TSdrvThread>(commands, active, shared, config.environment.INTERVAL,
                                                         config.environment.PRIORITY);
    return loaded;
}

void Session::stopWorker()
{
    active.setOnline(false);
    if (!worker_) return;
    worker_->terminate();
    worker_.reset();
}

files::FileError Session::finish(bool save, std::string* detail)
{
    markOffline();
    stopWorker();
    if (port.isOpen()) port.closePort();
    if (!save) return files::FileError::None;
    return files::saveAppConfig(options_.configPath, config, model, detail);
}

link::OnlineLine Session::onlineLine() const
{
    link::OnlineLine line;
    line.port = pick(ports, config.port.COM, "");
    line.speed = pick(link::kSpeedChoices, config.port.SPEED, link::kSpeedChoices[link::kDefaultSpeedIndex]);
    line.parity = pick(link::kParityChoices, config.port.PARITY, link::kParityChoices[link::kDefaultParityIndex]);
    line.stop = pick(link::kStopChoices, config.port.STOP_BIT, link::kStopChoices[link::kDefaultStopIndex]);
    line.timeoutIndex = config.port.TIMEOUT;
    line.versionIndex = model.VERSION_INDEX;
    return line;
}

settings::OperationContext Session::operationContext(shell::Operator& op)
{
    settings::OperationContext ctx{commands, active, workerHandle_, shared, op};
    ctx.configuredTimeoutIndex = config.port.TIMEOUT;
    ctx.sendIntervalMs = config.environment.SEND_INTERVAL;
    return ctx;
}

link::OnlineParts Session::onlineParts(shell::Operator& op, link::OnlineView& view)
{
    return {commands, active, workerHandle_, op, view};
}

bool Session::WorkerHandle::pauseWorker() { return session.worker_ && session.worker_->pauseWorker(); }
bool Session::WorkerHandle::resumeWorker() { return session.worker_ && session.worker_->resumeWorker(); }

} // namespace tavimo::window
