#include "cli/csv_options.h"

#include "window/dialog_rules.h"

namespace tavimo::cli {

void addCsvOptions(CLI::App& cmd, CsvOptions& options)
{
    cmd.add_option("--language", options.language, "CSV header language (default: the configuration's LANGUAGE)")
        ->check(CLI::IsMember({"ja", "en"}));
    cmd.add_option("--separator", options.separator, "CSV value separator (default: the configuration's CSV_SEPARATOR)")
        ->check(CLI::IsMember({"comma", "semicolon", "tab"}));
    cmd.add_option("--decimal", options.decimal,
                   "CSV decimal character (default: the configuration's DECIMAL_SEPARATOR)")
        ->check(CLI::IsMember({"period", "comma"}));
}

CsvChoice csvChoice(const files::AppConfig& config, const CsvOptions& options)
{
    CsvChoice c;
    c.language = config.environment.LANGUAGE == 0 ? shell::Language::Japanese : shell::Language::English;
    const window::CsvChoice configured = window::configuredCsvChoice(config.environment);
    c.format = {configured.separator, configured.decimal};
    if (options.language == "ja") c.language = shell::Language::Japanese;
    if (options.language == "en") c.language = shell::Language::English;
    if (options.separator == "comma") c.format.separatorIndex = 0;
    if (options.separator == "semicolon") c.format.separatorIndex = 1;
    if (options.separator == "tab") c.format.separatorIndex = 2;
    if (options.decimal == "period") c.format.decimalIndex = 0;
    if (options.decimal == "comma") c.format.decimalIndex = 1;
    return c;
}

} // namespace tavimo::cli
