// The settings items as data: for every item its key name, the main-window
// control that shows it, its kind, and for the per-memory items the range
// and default of the window field (list length for lists). The files, the
// window and the checks walk these tables instead of naming each item.
#pragma once

#include "settings/settings_model.h"

#include <span>
#include <string_view>

namespace tavimo::settings {

// A bound or default that may depend on the head range R: fixed + perR x R,
// kept at four decimals.
struct HeadScaled {
    double fixed = 0;
    double perR = 0;
    double at(double headRange) const;
};

enum class MemoryFieldKind { List, Decimal };

struct MemoryField {
    std::string_view name;    // key in the files, member of MemorySettings
    std::string_view control; // main-window control
    MemoryFieldKind kind;
    std::int32_t MemorySettings::*listMember;  // List
    double MemorySettings::*decimalMember;     // Decimal
    int itemCount;            // List: number of items, valid indexes 0..itemCount-1
    HeadScaled min;           // Decimal: window range and default
    HeadScaled max;
    HeadScaled initial;       // value after a head initialisation = field default
    // Lower bound of the window field before the first head initialisation
    // of the run (only the two B-point detected values differ from `min`).
    double startupMin;
    int decimals;             // 4 for decimals ("0.0000"), 0 for lists
    bool hidden;              // the list is not shown (SENSE_MODE)
};

enum class CommonFieldKind { List, Flag, Code };

struct CommonField {
    std::string_view name;
    std::string_view control;
    CommonFieldKind kind;
    std::int32_t ControllerSettings::*listMember; // List
    bool ControllerSettings::*flagMember;         // Flag
    std::string ControllerSettings::*codeMember;  // Code
    int itemCount;                                // List
};

// Per-memory items in file order (APPLI_MODE .. V_SCALE_DIRECT).
std::span<const MemoryField> memoryFields();
// Common items in file order (MEMORY_NO, SENSOR_TYPE .. AL_ID).
std::span<const CommonField> commonFields();

const MemoryField* findMemoryField(std::string_view name);
const CommonField* findCommonField(std::string_view name);

// Value of a per-memory item as a double (lists give their index).
double fieldValue(const MemorySettings& values, const MemoryField& field);
// Sets a per-memory item; a list item takes the value truncated toward zero.
void setFieldValue(MemorySettings& values, const MemoryField& field, double value);

// Range and default of a window field for head range R, normalised the way
// the numeric entry field stores them (max below min becomes min, a default
// outside the range becomes max).
struct FieldLimits {
    double min;
    double max;
    double defaultValue;
    int decimals;
};
FieldLimits fieldLimits(const MemoryField& field, double headRange, bool headInitialised = true);

// Whether the window can show `value` faithfully: a list index with an item,
// or a decimal inside the field's range.
bool fitsField(const MemoryField& field, double value, double headRange, bool headInitialised = true);

// Valid indexes of the common list items and the calculation entries.
bool isValidListIndex(const CommonField& field, int value);
inline constexpr int kCalculationModeCount = 3; // none, A+B, A-B

} // namespace tavimo::settings
