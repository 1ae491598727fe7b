// The model a file without any settings key loads as.
#pragma once

#include "files/settings_sections.h"

namespace tavimo::files::testing {

inline settings::SettingsModel missingKeyModel()
{
    settings::SettingsModel m;
    for (settings::ControllerSettings& c : m.controllers)
        c.memories.fill(missingKeyMemoryDefaults());
    return m;
}

} // namespace tavimo::files::testing
