// The application configuration file (Tavimo.INI): preferences, line
// settings, window positions, the controller check boxes and a complete copy
// of the settings model, in one INI file per user.
//
// Loading never fails: a missing or unreadable file, section or key gives
// the key's default, and every value that selects from a list is checked so
// that a hand-edited file cannot make the program index outside a list.
// Saving re-reads the file and changes only the keys the main window owns,
// so keys written by hand (LANGUAGE, INTERVAL, SEND_INTERVAL, BCC) or by
// other screens (MEASUREWAVE, DATABUFF, CARIBRATION, ...) and any unknown
// line survive; the file is replaced atomically with a .BAK of the old one.
#pragma once

#include "files/file_error.h"
#include "files/ini_document.h"
#include "settings/settings_model.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace tavimo::files {

inline constexpr int kTabPageCount = 4;
inline constexpr int kCsvSeparatorCount = 3;     // ",", ";", tab
inline constexpr int kDecimalSeparatorCount = 2; // ".", ","
inline constexpr int kPriorityMin = 1;
inline constexpr int kPriorityMax = 5;
inline constexpr int kDefaultPriority = 2;
inline constexpr int kSendIntervalMaxMs = 10000;
inline constexpr int kPollDividerMax = 10000;
inline constexpr int kTimeoutChoiceCount = 7; // rows the communication dialog offers
inline constexpr int kVersionChoiceCount = 1; // "2.00 - 2.**"

// Section ENVIRONMENT.
struct EnvironmentConfig {
    std::int32_t LANGUAGE = 0; // 0 Japanese, other English; never written
    std::string MAIN_OPENFOLDER;
    std::string MAIN_SAVEFOLDER;
    std::string TEXT_SAVEFOLDER;
    std::int32_t MAIN_TOP = 0;
    std::int32_t MAIN_LEFT = 0;
    std::int32_t MESUREDISP_TOP = 0;
    std::int32_t MESUREDISP_LEFT = 0;
    std::int32_t CONTROLER_PAGE = 0; // controller tab 0..7
    std::int32_t TAB_PAGE = 0;       // settings page 0..3
    std::array<bool, settings::kControllerCount> CONTCHECK{true, true, true, true, true, true, true, true};
    std::int32_t CSV_SEPARATOR = 0;
    std::int32_t DECIMAL_SEPARATOR = 0;
    bool DEBUG_FLAG = false;         // key DEBUG (kept and written back)
    bool PRODUCT = true;             // kept and written back
    std::int32_t INTERVAL = 40;      // poll divider in buffering mode; never written
    std::int32_t PRIORITY = kDefaultPriority; // worker priority 1..5
    std::int32_t SEND_INTERVAL = 100; // ms after each write; never written

    bool operator==(const EnvironmentConfig&) const = default;
};

// Section RS232C: indexes into the lists of the communication settings.
struct PortConfig {
    std::int32_t COM = 0;      // index into the ports found at start-up
    std::int32_t SPEED = 1;    // 19200
    std::int32_t PARITY = 2;   // odd
    std::int32_t STOP_BIT = 0; // one stop bit
    std::int32_t TIMEOUT = 2;  // 2000 ms
    std::int32_t BCC = 0;      // check code off; never written

    bool operator==(const PortConfig&) const = default;
};

struct AppConfig {
    EnvironmentConfig environment;
    PortConfig port;

    bool operator==(const AppConfig&) const = default;
};

// The file of the program `programName` in the per-user configuration
// folder: <config>/Orvik/Tavimo/<programName>.INI, where <config> is
// $XDG_CONFIG_HOME when it is an absolute path, else ~/.config.
std::filesystem::path appConfigPath(const std::string& programName = "Tavimo");
// The same from given values (for tests and other platforms' callers).
std::filesystem::path appConfigPathFrom(const char* xdgConfigHome, const char* home,
                                        const std::string& programName = "Tavimo");

// Reads the configuration and the settings model (all controllers, the
// calculation table and VERSION_INDEX). Both are always filled; the result
// only tells why defaults were used (CannotOpen: no file, CannotRead).
FileError loadAppConfig(const std::filesystem::path& path, AppConfig& config, settings::SettingsModel& model);
// The same from a parsed document.
void readAppConfig(const IniDocument& doc, AppConfig& config, settings::SettingsModel& model);

// Writes the keys the main window owns into `doc`, changing nothing else.
void writeAppConfig(IniDocument& doc, const AppConfig& config, const settings::SettingsModel& model);
// Re-reads the file (if any), writes the keys and saves it atomically,
// creating the folders when needed.
FileError saveAppConfig(const std::filesystem::path& path, const AppConfig& config,
                        const settings::SettingsModel& model, std::string* detail = nullptr);

// For screens that keep their own keys in the same file: reads the current
// document (empty when missing or unreadable), lets `edit` change it and
// saves it the same way.
FileError updateAppConfig(const std::filesystem::path& path, const std::function<void(IniDocument&)>& edit,
                          std::string* detail = nullptr);
// The current document, empty when the file is missing or unreadable.
IniDocument readAppConfigDocument(const std::filesystem::path& path, FileError* error = nullptr);

} // namespace tavimo::files
