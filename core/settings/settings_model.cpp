#include "settings/settings_model.h"

#include <cassert>
#include <cmath>

namespace tavimo::settings {

double roundToFourDecimals(double value)
{
    if (!std::isfinite(value))
        return value;
    // The division is correctly rounded, so the result is the double nearest
    // to the four-decimal text and survives a text round trip unchanged.
    return std::round(value * 10000.0) / 10000.0;
}

CalculationSetting calculationResetValue(int entry)
{
    return CalculationSetting{true, 0, 2 * entry, 2 * entry + 1};
}

MemorySettings& memorySettings(SettingsModel& model, int id, int memory)
{
    assert(isValidControllerId(id) && isValidMemory(memory));
    return model.controllers[static_cast<std::size_t>(id)].memories[static_cast<std::size_t>(memory)];
}

const MemorySettings& memorySettings(const SettingsModel& model, int id, int memory)
{
    assert(isValidControllerId(id) && isValidMemory(memory));
    return model.controllers[static_cast<std::size_t>(id)].memories[static_cast<std::size_t>(memory)];
}

} // namespace tavimo::settings
