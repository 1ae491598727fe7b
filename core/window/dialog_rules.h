// Small rules of the main window's dialogs and file commands.
#pragma once

#include "files/file_error.h"
#include "shell/msg.h"

#include <optional>

namespace tavimo::files {
struct EnvironmentConfig;
}

namespace tavimo::window {

// The CSV settings: value separator 0 ",", 1 ";", 2 tab; decimal separator
// 0 ".", 1 ",". The comma never stands for both: the last choice wins and
// the other one moves (decimal to the period, separator to the semicolon).
struct CsvChoice {
    int separator = 0;
    int decimal = 0;
    bool operator==(const CsvChoice&) const = default;
};
CsvChoice chooseSeparator(CsvChoice current, int separator);
CsvChoice chooseDecimal(CsvChoice current, int decimal);
// A stored pair that breaks the rule (hand-edited) is read with the period.
CsvChoice normalisedCsvChoice(CsvChoice stored);
// The CSV settings of the configuration, as every CSV file is written and
// read with them: CSV_SEPARATOR and DECIMAL_SEPARATOR, normalised.
CsvChoice configuredCsvChoice(const files::EnvironmentConfig& environment);

// The message of a settings-file or text-export failure; nothing for None.
// Every failure is reported and the program goes on: a file that cannot be
// read, created or written loses nothing in memory.
std::optional<shell::Msg> fileErrorMessage(files::FileError error);

} // namespace tavimo::window
