// Pieces of the start-up sequence that need no window yet.
#pragma once

#include "shell/language.h"

#include <QString>

#include <filesystem>

namespace tavimo::gui {

// The configuration file of a program file: <config>/Orvik/Tavimo/<name>.INI,
// named after the program file (Tavimo -> Tavimo.INI).
std::filesystem::path configPathFor(const char* argv0);

// LANGUAGE of the configuration file; a missing file gives Japanese.
shell::Language configuredLanguage(const std::filesystem::path& configPath);

// The message a second instance shows, in the configured language.
QString secondInstanceMessage(const std::filesystem::path& configPath);

// Whether an option is on the command line.
bool hasOption(int argc, char** argv, const char* option);

} // namespace tavimo::gui
