#include "window/dialog_rules.h"

#include "files/app_config.h"

namespace tavimo::window {

namespace {
constexpr int kCommaSeparator = 0;
constexpr int kSemicolonSeparator = 1;
constexpr int kPeriodDecimal = 0;
constexpr int kCommaDecimal = 1;
} // namespace

CsvChoice chooseSeparator(CsvChoice c, int separator)
{
    c.separator = separator;
    if (separator == kCommaSeparator && c.decimal == kCommaDecimal) c.decimal = kPeriodDecimal;
    return c;
}

CsvChoice chooseDecimal(CsvChoice c, int decimal)
{
    c.decimal = decimal;
    if (decimal == kCommaDecimal && c.separator == kCommaSeparator) c.separator = kSemicolonSeparator;
    return c;
}

CsvChoice normalisedCsvChoice(CsvChoice stored)
{
    if (stored.separator == kCommaSeparator && stored.decimal == kCommaDecimal) stored.decimal = kPeriodDecimal;
    return stored;
}

CsvChoice configuredCsvChoice(const files::EnvironmentConfig& environment)
{
    return normalisedCsvChoice({environment.CSV_SEPARATOR, environment.DECIMAL_SEPARATOR});
}

std::optional<shell::Msg> fileErrorMessage(files::FileError error)
{
    switch (error) {
    case files::FileError::None: return std::nullopt;
    case files::FileError::CannotOpen: return shell::Msg::FileOpenFailed;
    case files::FileError::CannotRead: return shell::Msg::FileReadFailed;
    case files::FileError::CannotCreate: return shell::Msg::FileCreateFailed;
    case files::FileError::CannotWrite: return shell::Msg::FileWriteFailed;
    case files::FileError::CannotBackup: return shell::Msg::BackupFailed;
    }
    return shell::Msg::FileWriteFailed;
}

} // namespace tavimo::window
