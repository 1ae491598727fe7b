// Any bytes as a settings file or a configuration file: loading either
// refuses the file and leaves the model untouched, or gives a model that a
// save and a second load reproduce exactly, with every list index in range.
#include "files/app_config.h"
#include "files/settings_file.h"
#include "settings/field_table.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace tavimo::files;
using namespace tavimo::settings;

namespace {

void checkIndexes(const SettingsModel& m)
{
    for (const ControllerSettings& c : m.controllers) {
        for (const CommonField& f : commonFields())
            if (f.kind == CommonFieldKind::List && !isValidListIndex(f, c.*f.listMember))
                std::abort();
        for (const MemorySettings& v : c.memories)
            for (const MemoryField& f : memoryFields())
                if (f.kind == MemoryFieldKind::List && !fitsField(f, v.*f.listMember, 1.0))
                    std::abort();
    }
    for (const CalculationSetting& c : m.calculations)
        if (c.MODE < 0 || c.MODE > 2 || !isValidControllerId(c.ID_A) || !isValidControllerId(c.ID_B))
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    SettingsModel model;
    model.controllers[1].SUS_ID = "UNTOUCHED";
    const SettingsModel before = model;
    if (loadSettingsFromText(bytes, model) != FileError::None) {
        if (!(model == before))
            std::abort();
    } else {
        checkIndexes(model);
        SettingsModel reloaded;
        if (loadSettingsFromText(settingsFileText(model), reloaded) != FileError::None || !(reloaded == model))
            std::abort();
    }

    AppConfig config;
    SettingsModel configModel;
    const IniDocument doc = IniDocument::parse(bytes);
    readAppConfig(doc, config, configModel);
    checkIndexes(configModel);
    if (config.environment.SEND_INTERVAL < 0 || config.environment.SEND_INTERVAL > kSendIntervalMaxMs ||
        config.environment.PRIORITY < kPriorityMin || config.environment.PRIORITY > kPriorityMax ||
        config.environment.TAB_PAGE < 0 || config.environment.TAB_PAGE >= kTabPageCount)
        std::abort();
    return 0;
}
