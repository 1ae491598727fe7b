// The CSV options of the commands that write CSV files (capture, wave
// convert, buffer run): header language, value separator and decimal
// character, each defaulting to the application configuration's setting.
#pragma once

#include "files/app_config.h"
#include "shell/language.h"
#include "waveform/csv_text.h"

#include <CLI/CLI.hpp>

#include <string>

namespace tavimo::cli {

struct CsvOptions {
    std::string language;  // "ja", "en" or empty (the configuration's)
    std::string separator; // "comma", "semicolon", "tab" or empty (the configuration's)
    std::string decimal;   // "period", "comma" or empty (the configuration's)
};

void addCsvOptions(CLI::App& cmd, CsvOptions& options);

struct CsvChoice {
    shell::Language language = shell::Language::Japanese;
    waveform::CsvFormat format;
};

// The options over the configuration's LANGUAGE, CSV_SEPARATOR and
// DECIMAL_SEPARATOR.
CsvChoice csvChoice(const files::AppConfig& config, const CsvOptions& options);

} // namespace tavimo::cli
