#include "cli/terminal_reporter.h"

#include <iostream>

namespace tavimo::cli {

std::string linkMessageText(link::LinkMessage m)
{
    switch (m) {
    case link::LinkMessage::ProgramError: return "Error of program operation.\nFinish a program forcibly.";
    case link::LinkMessage::AlarmNotCleared: return "Alarm occurred.\nCannot remove alarm.\nReset a controller.";
    }
    return {};
}

std::string messageText(CliMessage m)
{
    switch (m) {
    case CliMessage::PortNotOpened: return "A communication port did not open out.\nCannot chage to On-line.";
    case CliMessage::NoController: return "Could not confirm connection of a controller.";
    }
    return {};
}

void TerminalReporter::showLinkMessage(link::LinkMessage message)
{
    std::cerr << linkMessageText(message) << "\n";
}

// The command in progress fails; the tool then ends with a failure status.
void TerminalReporter::requestTermination() {}

std::string statusText(link::LinkStatus s)
{
    using link::LinkStatus;
    switch (s) {
    case LinkStatus::Ok: return "ok";
    case LinkStatus::NotSent: return "value out of range: nothing was sent";
    case LinkStatus::WriteIncomplete: return "the request could not be written in time";
    case LinkStatus::NoAnswer:
    case LinkStatus::NoValidAnswer: return "no valid answer from the controller";
    case LinkStatus::WriteError: return "port error while writing";
    case LinkStatus::ReadError: return "port error while reading";
    case LinkStatus::LockTimeout: return "the line is busy";
    case LinkStatus::OtherFailure: return "the command failed";
    case LinkStatus::AlarmNotCleared: return "alarm: the controller's alarm could not be cleared";
    case LinkStatus::PortClosed: return "the port is not open";
    }
    return "the command failed";
}

} // namespace tavimo::cli
