// The in-memory settings of every controller Tavimo can address: eight
// controller records (indexed by controller ID, never by a position in the
// list of connected controllers), each with its common items and the items
// of its four setting memories, the four A+B / A-B calculation entries and
// the selected controller version. Plain records; the operations on them
// are free functions (head_initialization.h, mode_presets.h).
//
// Member names are the keys under which the files store them. A
// default-constructed model is every controller initialised for HT-01 and
// the calculation table reset.
#pragma once

#include "settings/head_types.h"

#include <array>
#include <cstdint>
#include <string>

namespace tavimo::settings {

inline constexpr int kControllerCount = 8;
inline constexpr int kMemoryCount = 4;
inline constexpr int kCalculationCount = 4;
inline constexpr int kHeadCodeLength = 10;

// R of HT-01, the head a default-constructed record is initialised for.
inline constexpr double kDefaultHeadRange = 0.8;

// Values derived from R are kept at the four decimals the window and the
// controllers work with (0.8 x 0.001 gives 0.0008, not 0.0008000000000000001).
double roundToFourDecimals(double value);

// The values of one memory index of one controller.
struct MemorySettings {
    std::int32_t APPLI_MODE = 0;   // 0 manual .. 4 initialise the mode
    std::int32_t SENSE_MODE = 0;   // only entry 0; never sent or received
    std::int32_t HOLD_MODE = 0;    // 0 none .. 5 average hold
    std::int32_t TRIG_MODE = 0;    // 0 none, 1 external, 2 internal, 3 cyclic
    std::int32_t INT_TRIG_EDG = 1; // 0 rising, 1 falling
    double INT_TRIG_THR = 0.4;     // mm, R x 0.5
    double INT_TRIG_HYS = 0.0008;  // mm, R x 0.001
    double INT_TRIG_DRY = 0;       // s
    double INT_TRIG_SMP = 0;       // s
    double FLK_TRIG_TIME = 1.0;    // s
    std::int32_t COMP_MODE = 0;    // 0 no, 1 yes
    std::int32_t METAL_TYPE = 0;   // 0 SUS, 1 Fe, 2 Al
    std::int32_t AVERAGE = 6;      // 2^n samples
    double HI_TH_LEVEL = 0.64;     // R x 0.8
    double LO_TH_LEVEL = 0.16;     // R x 0.2
    double HYS_LEVEL = 0.0008;     // R x 0.001
    std::int32_t D_SCALE_MODE = 0; // 0 none, 1 one point, 2 two points, 3 inversion
    double D_SENSE_VALUE_1 = 0;
    double D_SCALE_OFFSET = 0;
    std::int32_t D_SCALE_SLOPE = 0; // 0 "+", 1 "-"
    double D_SENSE_VALUE_A = 0;
    double D_SENSE_VALUE_B = 0.8; // R
    double D_SCALE_VALUE_A = 0;
    double D_SCALE_VALUE_B = 0.8; // R
    std::int32_t D_SCALE_DIRECT = 0;
    std::int32_t V_SCALE_MODE = 0;
    double V_SENSE_VALUE_1 = 0;
    double V_SCALE_OFFSET = 0; // V
    std::int32_t V_SCALE_SLOPE = 0;
    double V_SENSE_VALUE_A = 0;
    double V_SENSE_VALUE_B = 0.8; // R
    double V_SCALE_VALUE_A = 0;   // V
    double V_SCALE_VALUE_B = 5.0; // V
    std::int32_t V_SCALE_DIRECT = 0;

    bool operator==(const MemorySettings&) const = default;
};

struct ControllerSettings {
    std::int32_t SENSOR_TYPE = 0;    // head type 0..6
    std::int32_t MEMORY_NO = 0;      // current memory 0..3
    std::int32_t KANSYOUBOUSHI = 0;  // 0 invalid, 1 slave, 2 master
    std::int32_t OUT_TYPE = 0;       // 0 n.o, 1 n.c
    std::int32_t OFF_DELAY = 1;      // 0 hold, 1 0 ms .. 6 1000 ms
    bool HEAD_SR = true;             // batch receive may adopt another head type
    bool KANSYOU_SR = true;          // batch send/receive include KANSYOUBOUSHI
    bool OUT_SR = true;              // batch send/receive include OUT_TYPE, OFF_DELAY
    std::int32_t HEAD_ID_MODE = 0;   // 0 set head, 1 compatible
    std::string SUS_ID;              // head characteristic codes
    std::string FE_ID;
    std::string AL_ID;
    std::array<MemorySettings, kMemoryCount> memories{};

    bool operator==(const ControllerSettings&) const = default;
};

struct CalculationSetting {
    bool ENABLED = true;
    std::int32_t MODE = 0; // 0 none, 1 A+B, 2 A-B
    std::int32_t ID_A = 0;
    std::int32_t ID_B = 1;

    bool operator==(const CalculationSetting&) const = default;
};

// The reset value of calculation entry i (0..3): enabled, no calculation,
// operands 2i and 2i+1.
CalculationSetting calculationResetValue(int entry);

struct SettingsModel {
    std::array<ControllerSettings, kControllerCount> controllers{};
    std::array<CalculationSetting, kCalculationCount> calculations{
        calculationResetValue(0), calculationResetValue(1),
        calculationResetValue(2), calculationResetValue(3)};
    std::int32_t VERSION_INDEX = 0; // only in the application configuration

    bool operator==(const SettingsModel&) const = default;
};

inline constexpr bool isValidControllerId(int id) { return id >= 0 && id < kControllerCount; }
inline constexpr bool isValidMemory(int memory) { return memory >= 0 && memory < kMemoryCount; }

// Field access by (controller ID, memory). The ID and memory must be valid.
MemorySettings& memorySettings(SettingsModel& model, int id, int memory);
const MemorySettings& memorySettings(const SettingsModel& model, int id, int memory);

} // namespace tavimo::settings
