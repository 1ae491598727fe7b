// The link layer's messages on the terminal, and the CLI's own texts.
#pragma once

#include "link/link_reporter.h"
#include "link/link_status.h"

#include <string>

namespace tavimo::cli {

enum class CliMessage { PortNotOpened, NoController };

class TerminalReporter : public link::LinkReporter {
public:
    void showLinkMessage(link::LinkMessage message) override;
    void requestTermination() override;
};

std::string messageText(CliMessage m);
std::string linkMessageText(link::LinkMessage m);
// Why a command failed, in a few words.
std::string statusText(link::LinkStatus s);

} // namespace tavimo::cli
