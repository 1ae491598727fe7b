#include "files/app_config.h"

#include "files/atomic_file.h"
#include "files/file_bytes.h"
#include "files/ini_values.h"
#include "files/settings_sections.h"
#include "link/line_settings.h"
#include "shell/language.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace tavimo::files {

namespace fs = std::filesystem;
using settings::SettingsModel;

namespace {

constexpr const char* kEnvironment = "ENVIRONMENT";
constexpr const char* kPort = "RS232C";
constexpr const char* kSettingEnvironment = "SETTING_ENVIRONMENT";

std::string checkKey(int i) { return "CONTCHECK" + std::to_string(i); }

} // namespace

fs::path appConfigPathFrom(const char* xdgConfigHome, const char* home, const std::string& programName)
{
    fs::path base;
    if (xdgConfigHome && *xdgConfigHome && fs::path(xdgConfigHome).is_absolute())
        base = xdgConfigHome;
    else if (home && *home)
        base = fs::path(home) / ".config";
    else
        base = fs::temp_directory_path(); // no home at all: still a usable path
    return base / "Orvik" / "Tavimo" / (programName + ".INI");
}

fs::path appConfigPath(const std::string& programName)
{
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        if (const passwd* pw = ::getpwuid(::getuid()))
            home = pw->pw_dir;
    }
    return appConfigPathFrom(std::getenv("XDG_CONFIG_HOME"), home, programName);
}

void readAppConfig(const IniDocument& doc, AppConfig& config, SettingsModel& model)
{
    AppConfig c;
    EnvironmentConfig& e = c.environment;
    const EnvironmentConfig d;
    const char* env = kEnvironment;
    e.LANGUAGE = shell::languageFromValue(doc.value(env, "LANGUAGE")) == shell::Language::English ? 1 : 0;
    e.MAIN_OPENFOLDER = readText(doc, env, "MAIN_OPENFOLDER", "");
    e.MAIN_SAVEFOLDER = readText(doc, env, "MAIN_SAVEFOLDER", "");
    e.TEXT_SAVEFOLDER = readText(doc, env, "TEXT_SAVEFOLDER", "");
    e.MAIN_TOP = readInteger(doc, env, "MAIN_TOP", d.MAIN_TOP);
    e.MAIN_LEFT = readInteger(doc, env, "MAIN_LEFT", d.MAIN_LEFT);
    e.MESUREDISP_TOP = readInteger(doc, env, "MESUREDISP_TOP", d.MESUREDISP_TOP);
    e.MESUREDISP_LEFT = readInteger(doc, env, "MESUREDISP_LEFT", d.MESUREDISP_LEFT);
    e.CONTROLER_PAGE = readIndex(doc, env, "CONTROLER_PAGE", settings::kControllerCount, d.CONTROLER_PAGE);
    e.TAB_PAGE = readIndex(doc, env, "TAB_PAGE", kTabPageCount, d.TAB_PAGE);
    for (int i = 0; i < settings::kControllerCount; ++i)
        e.CONTCHECK[static_cast<std::size_t>(i)] = readBool(doc, env, checkKey(i), true);
    e.CSV_SEPARATOR = readIndex(doc, env, "CSV_SEPARATOR", kCsvSeparatorCount, d.CSV_SEPARATOR);
    e.DECIMAL_SEPARATOR = readIndex(doc, env, "DECIMAL_SEPARATOR", kDecimalSeparatorCount, d.DECIMAL_SEPARATOR);
    e.DEBUG_FLAG = readBool(doc, env, "DEBUG", d.DEBUG_FLAG);
    e.PRODUCT = readBool(doc, env, "PRODUCT", d.PRODUCT);
    // A negative divider would make the worker divide by zero.
    e.INTERVAL = readClamped(doc, env, "INTERVAL", 0, kPollDividerMax, d.INTERVAL);
    e.PRIORITY = readInteger(doc, env, "PRIORITY", d.PRIORITY);
    if (e.PRIORITY < kPriorityMin || e.PRIORITY > kPriorityMax)
        e.PRIORITY = kDefaultPriority;
    e.SEND_INTERVAL = readClamped(doc, env, "SEND_INTERVAL", 0, kSendIntervalMaxMs, d.SEND_INTERVAL);

    PortConfig& p = c.port;
    const PortConfig dp;
    p.COM = readInteger(doc, kPort, "COM", dp.COM);
    if (p.COM < 0)
        p.COM = dp.COM; // the upper bound is the number of ports found, checked by the user of the list
    p.SPEED = readIndex(doc, kPort, "SPEED", int(link::kSpeedChoices.size()), dp.SPEED);
    p.PARITY = readIndex(doc, kPort, "PARITY", int(link::kParityChoices.size()), dp.PARITY);
    p.STOP_BIT = readIndex(doc, kPort, "STOP_BIT", int(link::kStopChoices.size()), dp.STOP_BIT);
    p.TIMEOUT = readIndex(doc, kPort, "TIMEOUT", kTimeoutChoiceCount, dp.TIMEOUT);
    p.BCC = readIndex(doc, kPort, "BCC", 2, dp.BCC);

    SettingsModel m;
    readSettingsSections(doc, m);
    m.VERSION_INDEX = readIndex(doc, kSettingEnvironment, "VERSION_INDEX", kVersionChoiceCount, 0);

    config = std::move(c);
    model = std::move(m);
}

IniDocument readAppConfigDocument(const fs::path& path, FileError* error)
{
    std::string bytes;
    const FileError e = readFileBytes(path, kMaxIniFileBytes, bytes);
    if (error)
        *error = e;
    return e == FileError::None ? IniDocument::parse(bytes) : IniDocument();
}

FileError loadAppConfig(const fs::path& path, AppConfig& config, SettingsModel& model)
{
    FileError e = FileError::None;
    const IniDocument doc = readAppConfigDocument(path, &e);
    readAppConfig(doc, config, model);
    return e;
}

void writeAppConfig(IniDocument& doc, const AppConfig& config, const SettingsModel& model)
{
    const EnvironmentConfig& e = config.environment;
    const char* env = kEnvironment;
    writeText(doc, env, "MAIN_OPENFOLDER", e.MAIN_OPENFOLDER);
    writeText(doc, env, "MAIN_SAVEFOLDER", e.MAIN_SAVEFOLDER);
    writeText(doc, env, "TEXT_SAVEFOLDER", e.TEXT_SAVEFOLDER);
    writeInteger(doc, env, "MAIN_TOP", e.MAIN_TOP);
    writeInteger(doc, env, "MAIN_LEFT", e.MAIN_LEFT);
    writeInteger(doc, env, "MESUREDISP_TOP", e.MESUREDISP_TOP);
    writeInteger(doc, env, "MESUREDISP_LEFT", e.MESUREDISP_LEFT);
    writeInteger(doc, env, "CONTROLER_PAGE", e.CONTROLER_PAGE);
    writeInteger(doc, env, "TAB_PAGE", e.TAB_PAGE);
    writeBool(doc, env, "DEBUG", e.DEBUG_FLAG);
    writeBool(doc, env, "PRODUCT", e.PRODUCT);
    writeInteger(doc, env, "PRIORITY", e.PRIORITY);
    for (int i = 0; i < settings::kControllerCount; ++i)
        writeBool(doc, env, checkKey(i), e.CONTCHECK[static_cast<std::size_t>(i)]);
    writeInteger(doc, env, "CSV_SEPARATOR", e.CSV_SEPARATOR);
    writeInteger(doc, env, "DECIMAL_SEPARATOR", e.DECIMAL_SEPARATOR);

    writeCalculationSections(doc, model);
    writeInteger(doc, kSettingEnvironment, "VERSION_INDEX", model.VERSION_INDEX);
    writeControllerSections(doc, model);

    const PortConfig& p = config.port;
    writeInteger(doc, kPort, "COM", p.COM);
    writeInteger(doc, kPort, "SPEED", p.SPEED);
    writeInteger(doc, kPort, "PARITY", p.PARITY);
    writeInteger(doc, kPort, "STOP_BIT", p.STOP_BIT);
    writeInteger(doc, kPort, "TIMEOUT", p.TIMEOUT);
    // LANGUAGE, INTERVAL, SEND_INTERVAL and BCC are edited by hand only.
}

FileError updateAppConfig(const fs::path& path, const std::function<void(IniDocument&)>& edit, std::string* detail)
{
    std::error_code ec;
    if (!path.parent_path().empty())
        fs::create_directories(path.parent_path(), ec); // a failure shows in the save below
    // An unreadable old file is not lost: it becomes the .BAK.
    IniDocument doc = readAppConfigDocument(path);
    edit(doc);
    return saveFile(path, doc.serialize(), true, detail);
}

FileError saveAppConfig(const fs::path& path, const AppConfig& config, const SettingsModel& model,
                        std::string* detail)
{
    return updateAppConfig(
        path, [&](IniDocument& doc) { writeAppConfig(doc, config, model); }, detail);
}

} // namespace tavimo::files
