// What every tavimo-cli subcommand shares: the global line options, the open
// line (a real port, or the in-process simulator with --demo) and the exit
// status conventions.
#pragma once

#include "link/commands.h"
#include "link/serial_port.h"
#include "link/transaction.h"

#include <functional>
#include <memory>
#include <string>

namespace tavimo::sim {
class Simulator;
}

namespace tavimo::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

struct CliOptions {
    std::string port;
    std::string speed = "19200";
    std::string parity = "O";
    std::string stop = "1";
    int timeoutIndex = 2;
    int bcc = 0;
    bool demo = false;
};

class CliContext {
public:
    CliContext();
    ~CliContext();

    CliOptions options;
    // The subcommand that was chosen; returns the exit status.
    std::function<int()> action;

    // The demo simulator's pty (started on first use), or the --port name.
    std::string portName();
    // Opens the line; prints why on failure.
    bool openLine();
    link::CommandSet& commands() { return *commands_; }
    link::Link& link() { return *link_; }
    link::SerialPort& port() { return port_; }

    // The failure message of the last command that went wrong.
    std::string failureText() const;

private:
    bool startDemo();
    std::unique_ptr<sim::Simulator> demo_;
    link::SerialPort port_;
    std::unique_ptr<link::LinkReporter> reporter_;
    std::unique_ptr<link::Link> link_;
    std::unique_ptr<link::CommandSet> commands_;
};

} // namespace tavimo::cli
