#include "settings/mode_presets.h"

namespace tavimo::settings {

void applyModePresets(MemorySettings& v, double R)
{
    switch (v.APPLI_MODE) {
    case 1: // bottom dead centre of a press
        v.HOLD_MODE = 2;
        v.TRIG_MODE = 2;
        v.INT_TRIG_EDG = 1;
        break;
    case 2: // rotation / eccentricity
        v.HOLD_MODE = 3;
        v.TRIG_MODE = 2;
        v.INT_TRIG_EDG = 0;
        break;
    case 3: // height
        v.HOLD_MODE = 4;
        v.TRIG_MODE = 1;
        break;
    case 4: // initialise the mode
        v.HOLD_MODE = 0;
        v.TRIG_MODE = 0;
        v.INT_TRIG_EDG = 1;
        v.INT_TRIG_THR = roundToFourDecimals(R * 0.5);
        v.INT_TRIG_HYS = roundToFourDecimals(R * 0.001);
        v.INT_TRIG_DRY = 0;
        v.INT_TRIG_SMP = 0;
        v.COMP_MODE = 0;
        break;
    default: // manual, or an index outside the list
        break;
    }
}

void applyModeSlopes(MemorySettings& v)
{
    const int slope = v.APPLI_MODE == 3 ? 1 : 0;
    v.D_SCALE_SLOPE = slope;
    v.V_SCALE_SLOPE = slope;
}

void pickApplicationMode(MemorySettings& v, int mode, double R)
{
    v.APPLI_MODE = mode;
    v.SENSE_MODE = 0;
    applyModePresets(v, R);
    applyModeSlopes(v);
}

} // namespace tavimo::settings
