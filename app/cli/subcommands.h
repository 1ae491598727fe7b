// Each group of tavimo-cli subcommands registers itself on the application.
#pragma once

#include <CLI/CLI.hpp>

namespace tavimo::cli {

class CliContext;

void addLinkCommands(CLI::App& app, CliContext& ctx);
void addSettingsCommands(CLI::App& app, CliContext& ctx);

} // namespace tavimo::cli
