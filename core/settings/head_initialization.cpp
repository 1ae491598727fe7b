#include "settings/head_initialization.h"

namespace tavimo::settings {

MemorySettings initialMemorySettings(double R)
{
    MemorySettings m; // R-independent initial values come from the record
    m.INT_TRIG_THR = roundToFourDecimals(R * 0.5);
    m.INT_TRIG_HYS = roundToFourDecimals(R * 0.001);
    m.HI_TH_LEVEL = roundToFourDecimals(R * 0.8);
    m.LO_TH_LEVEL = roundToFourDecimals(R * 0.2);
    m.HYS_LEVEL = roundToFourDecimals(R * 0.001);
    m.D_SENSE_VALUE_B = roundToFourDecimals(R);
    m.D_SCALE_VALUE_B = roundToFourDecimals(R);
    m.V_SENSE_VALUE_B = roundToFourDecimals(R);
    return m;
}

double headRange(const SettingsModel& model, int id)
{
    if (!isValidControllerId(id))
        return kFallbackHeadRange;
    return headRangeForType(model.controllers[static_cast<std::size_t>(id)].SENSOR_TYPE);
}

void initializeForHead(SettingsModel& model, int id)
{
    if (!isValidControllerId(id))
        return;
    ControllerSettings& c = model.controllers[static_cast<std::size_t>(id)];
    ControllerSettings fresh;
    fresh.SENSOR_TYPE = c.SENSOR_TYPE;
    fresh.memories.fill(initialMemorySettings(headRangeForType(c.SENSOR_TYPE)));
    c = std::move(fresh);
}

void changeHeadType(SettingsModel& model, int id, int type)
{
    if (!isValidControllerId(id))
        return;
    model.controllers[static_cast<std::size_t>(id)].SENSOR_TYPE = type;
    initializeForHead(model, id);
}

void resetCalculations(SettingsModel& model)
{
    for (int i = 0; i < kCalculationCount; ++i)
        model.calculations[static_cast<std::size_t>(i)] = calculationResetValue(i);
}

} // namespace tavimo::settings
