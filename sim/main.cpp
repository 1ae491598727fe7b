// tavimo-sim: the controller simulator on its own. Prints the pty path on its
// first line, then serves the line until SIGINT or SIGTERM.
#include "sim/simulator.h"

#include <CLI/CLI.hpp>

#include <csignal>
#include <cstdio>
#include <iostream>
#include <pthread.h>

namespace {

constexpr int kUsageError = 2;

std::string printable(const std::string& frame)
{
    std::string out;
    for (char c : frame) {
        if (c == '\r') out += "<CR>";
        else if (c < 0x20 || c > 0x7E) out += '?';
        else out += c;
    }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    CLI::App app{"Tavimo controller simulator: controllers on a pseudo-terminal"};
    std::vector<int> ids{0, 1, 2, 3};
    int bcc = 0;
    int baud = 19200;
    int bits = 11;
    bool pace = false;
    int resetDelay = 0;
    bool log = false;
    std::vector<std::string> faultTexts;
    app.add_option("--ids", ids, "controller IDs on the line, e.g. 0,2,5")
        ->delimiter(',')
        ->check(CLI::Range(0, 7));
    app.add_option("--bcc", bcc, "check-code mode: 0 \"**\", 1 XOR, other none");
    app.add_option("--baud", baud, "line speed used for pacing")->check(CLI::Range(1, 10000000));
    app.add_option("--bits", bits, "bits per character on the line (default 11)")->check(CLI::Range(7, 12));
    app.add_flag("--pace", pace, "deliver bytes at the line's real rate");
    app.add_option("--reset-delay", resetDelay, "ms before INT and WIT are answered")->check(CLI::NonNegativeNumber);
    app.add_flag("--log", log, "print every request received");
    app.add_option("--fault", faultTexts,
                   "KIND[:id=N][:cmd=XX][:count=N][:ms=N]; kinds: " + tavimo::sim::faultKindNames())
        ->take_all();
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? 0 : kUsageError;
    }

    std::vector<tavimo::sim::Fault> faults;
    for (const std::string& t : faultTexts) {
        std::string error;
        auto f = tavimo::sim::parseFault(t, &error);
        if (!f) {
            std::cerr << "tavimo-sim: --fault " << t << ": " << error << "\n";
            return kUsageError;
        }
        faults.push_back(*f);
    }

    tavimo::sim::SimulatorOptions options;
    options.ids = ids;
    options.checkCodeMode = bcc;
    options.baud = baud;
    options.bitsPerCharacter = bits;
    options.pace = pace;
    options.resetAnswerDelayMs = resetDelay;
    tavimo::sim::Simulator sim(options);
    for (const auto& f : faults) sim.addFault(f);
    if (log) sim.setRequestListener([](const std::string& frame) {
        std::printf("%s\n", printable(frame).c_str());
        std::fflush(stdout);
    });

    // Block the stop signals before the line thread starts, so that only
    // sigwait below sees them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    if (!sim.start()) {
        std::cerr << "tavimo-sim: cannot open a pseudo-terminal\n";
        return 1;
    }
    std::printf("%s\n", sim.portPath().c_str());
    std::fflush(stdout);

    int sig = 0;
    sigwait(&stopSignals, &sig);
    sim.stop();
    return 0;
}
