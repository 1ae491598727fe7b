#include "cli/cli_context.h"

#include "cli/terminal_reporter.h"
#include "sim/simulator.h"

#include <iostream>

namespace tavimo::cli {

CliContext::CliContext()
    : reporter_(std::make_unique<TerminalReporter>()),
      link_(std::make_unique<link::Link>(port_, reporter_.get())),
      commands_(std::make_unique<link::CommandSet>(*link_))
{
}

CliContext::~CliContext()
{
    port_.closePort();
    if (demo_) demo_->stop();
}

bool CliContext::startDemo()
{
    if (demo_) return true;
    sim::SimulatorOptions o;
    o.ids = {0, 1, 2, 3};
    o.checkCodeMode = options.bcc;
    demo_ = std::make_unique<sim::Simulator>(o);
    if (!demo_->start()) {
        std::cerr << "tavimo-cli: the demo line could not be started (no pseudo-terminal)\n";
        demo_.reset();
        return false;
    }
    return true;
}

std::string CliContext::portName()
{
    if (options.demo && startDemo()) return demo_->portPath();
    return options.port;
}

bool CliContext::openLine()
{
    link_->setCheckCodeMode(options.bcc);
    std::string name = portName();
    if (name.empty()) {
        std::cerr << "tavimo-cli: no port given (use --port DEVICE or --demo)\n";
        return false;
    }
    if (!port_.openPort(name, options.speed, options.parity, options.timeoutIndex, false, false, options.stop, "8")) {
        std::cerr << messageText(CliMessage::PortNotOpened) << "\n(" << name << ")\n";
        return false;
    }
    return true;
}

std::string CliContext::failureText() const
{
    return statusText(link::Link::lastStatus());
}

} // namespace tavimo::cli
