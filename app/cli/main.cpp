// tavimo-cli: configure and watch the controllers from a terminal or a script.
#include "cli/cli_context.h"
#include "cli/subcommands.h"

#include <clocale>
#include <iostream>

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "C");
    using namespace tavimo::cli;
    CliContext ctx;
    CLI::App app{"Tavimo command-line tool for eddy-current displacement-sensor controllers"};
    app.require_subcommand(1);
    auto& o = ctx.options;
    app.add_option("--port", o.port, "Serial port device, e.g. /dev/ttyUSB0");
    app.add_option("--speed", o.speed, "Baud rate (9600, 19200, 38400, 57600, 115200)");
    app.add_option("--parity", o.parity, "Parity N, E or O");
    app.add_option("--stop", o.stop, "Stop bits 1 or 2");
    app.add_option("--timeout-index", o.timeoutIndex, "Answer timeout row (0: 0.5 s ... 2: 2 s ... 6: 10 s)");
    app.add_option("--bcc", o.bcc, "Check-code mode (0: none, 1: XOR)");
    app.add_flag("--demo", o.demo, "Use a simulated line with controllers 0 to 3");

    addLinkCommands(app, ctx);
    addBatchCommands(app, ctx);
    addOperationCommands(app, ctx);
    addWatchCommands(app, ctx);
    addCalibrationCommands(app, ctx);
    addSettingsCommands(app, ctx);
    addWaveCommands(app, ctx);
    addBufferCommands(app, ctx);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return kExitUsage;
    }
    if (!ctx.action) return kExitUsage;
    try {
        return ctx.action();
    } catch (const std::exception& e) {
        std::cerr << "tavimo-cli: " << e.what() << "\n";
        return kExitFailed;
    }
}
