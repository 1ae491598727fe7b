// Each group of tavimo-cli subcommands registers itself on the application.
#pragma once

#include <CLI/CLI.hpp>

namespace tavimo::cli {

class CliContext;

void addLinkCommands(CLI::App& app, CliContext& ctx);
void addBatchCommands(CLI::App& app, CliContext& ctx);     // receive, send
void addOperationCommands(CLI::App& app, CliContext& ctx); // copy-memory, init, reboot, head-codes
void addWatchCommands(CLI::App& app, CliContext& ctx);     // watch
void addCalibrationCommands(CLI::App& app, CliContext& ctx); // calibrate, calc
void addSettingsCommands(CLI::App& app, CliContext& ctx);
void addWaveCommands(CLI::App& app, CliContext& ctx); // capture, wave convert
void addBufferCommands(CLI::App& app, CliContext& ctx); // buffer run

} // namespace tavimo::cli
