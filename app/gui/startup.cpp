#include "startup.h"

#include "files/app_config.h"
#include "shell/catalog.h"
#include "ui/qt_text.h"

#include <cstring>

namespace tavimo::gui {

std::filesystem::path configPathFor(const char* argv0)
{
    const std::string stem = std::filesystem::path(argv0 ? argv0 : "").stem().string();
    return files::appConfigPath(stem.empty() ? std::string("Tavimo") : stem);
}

shell::Language configuredLanguage(const std::filesystem::path& configPath)
{
    files::AppConfig config;
    settings::SettingsModel model;
    files::loadAppConfig(configPath, config, model);
    return shell::languageFromInteger(config.environment.LANGUAGE);
}

QString secondInstanceMessage(const std::filesystem::path& configPath)
{
    return ui::qs(shell::Catalog::instance().text(shell::Msg::ApplicationActive, configuredLanguage(configPath)));
}

bool hasOption(int argc, char** argv, const char* option)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], option) == 0) return true;
    return false;
}

} // namespace tavimo::gui
