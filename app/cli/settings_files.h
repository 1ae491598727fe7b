// Loading and saving settings files for the subcommands, with the window's
// failure messages.
#pragma once

#include "cli/terminal_operator.h"
#include "settings/settings_model.h"

#include <string>

namespace tavimo::cli {

// False after the failure was shown (the model is then untouched).
bool loadModel(const std::string& path, settings::SettingsModel& model, TerminalOperator& op);
bool saveModel(const std::string& path, const settings::SettingsModel& model, TerminalOperator& op);

} // namespace tavimo::cli
