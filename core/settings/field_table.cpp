#include "settings/field_table.h"

#include <array>
#include <cmath>

namespace tavimo::settings {

double HeadScaled::at(double headRange) const
{
    return roundToFourDecimals(fixed + perR * headRange);
}

namespace {

using MS = MemorySettings;
using CS = ControllerSettings;
constexpr double kMax = 99.9999;

constexpr MemoryField list(std::string_view name, std::string_view control, std::int32_t MS::*member,
                           int count, int initial, bool hidden = false)
{
    return {name, control, MemoryFieldKind::List, member, nullptr, count,
            {0, 0}, {double(count - 1), 0}, {double(initial), 0}, 0, 0, hidden};
}

constexpr MemoryField decimal(std::string_view name, std::string_view control, double MS::*member,
                              HeadScaled min, HeadScaled max, HeadScaled initial)
{
    return {name, control, MemoryFieldKind::Decimal, nullptr, member, 0, min, max, initial, min.fixed, 4, false};
}

constexpr HeadScaled fixedAt(double v) { return {v, 0}; }
constexpr HeadScaled perR(double f) { return {0, f}; }
constexpr HeadScaled kSenseMax = perR(1.1); // detected values: 0 .. R x 1.1

constexpr MemoryField bPointSense(std::string_view name, std::string_view control, double MS::*member)
{
    MemoryField f = decimal(name, control, member, fixedAt(0), kSenseMax, perR(1));
    f.startupMin = 0.001;
    return f;
}

constexpr std::array kMemoryFields{
    list("APPLI_MODE", "MDEComboB1", &MS::APPLI_MODE, 5, 0),
    list("SENSE_MODE", "MDEComboB2", &MS::SENSE_MODE, 1, 0, true),
    list("HOLD_MODE", "HLDRadioG", &MS::HOLD_MODE, 6, 0),
    list("TRIG_MODE", "TRGRadioG", &MS::TRIG_MODE, 4, 0),
    list("INT_TRIG_EDG", "TRGComboB11", &MS::INT_TRIG_EDG, 2, 1),
    decimal("INT_TRIG_THR", "TRGNumEdit11", &MS::INT_TRIG_THR, fixedAt(-kMax), fixedAt(kMax), perR(0.5)),
    decimal("INT_TRIG_HYS", "TRGNumEdit12", &MS::INT_TRIG_HYS, fixedAt(0), fixedAt(kMax), perR(0.001)),
    decimal("INT_TRIG_DRY", "TRGNumEdit13", &MS::INT_TRIG_DRY, fixedAt(0), fixedAt(kMax), fixedAt(0)),
    decimal("INT_TRIG_SMP", "TRGNumEdit14", &MS::INT_TRIG_SMP, fixedAt(0), fixedAt(kMax), fixedAt(0)),
    decimal("FLK_TRIG_TIME", "TRGNumEdit31", &MS::FLK_TRIG_TIME, fixedAt(0.0001), fixedAt(kMax), fixedAt(1.0)),
    list("COMP_MODE", "CMPRadioG", &MS::COMP_MODE, 2, 0),
    list("METAL_TYPE", "MTTComboB", &MS::METAL_TYPE, 3, 0),
    list("AVERAGE", "AVGComboB", &MS::AVERAGE, 15, 6),
    decimal("HI_TH_LEVEL", "THRNumEdit1", &MS::HI_TH_LEVEL, fixedAt(-99.9989), fixedAt(kMax), perR(0.8)),
    decimal("LO_TH_LEVEL", "THRNumEdit2", &MS::LO_TH_LEVEL, fixedAt(-kMax), fixedAt(99.9989), perR(0.2)),
    decimal("HYS_LEVEL", "HYSNumEdit", &MS::HYS_LEVEL, fixedAt(0), fixedAt(kMax), perR(0.001)),
    list("D_SCALE_MODE", "DSCRadioG", &MS::D_SCALE_MODE, 4, 0),
    decimal("D_SENSE_VALUE_1", "DSCNumEdit11", &MS::D_SENSE_VALUE_1, fixedAt(0), kSenseMax, fixedAt(0)),
    decimal("D_SCALE_OFFSET", "DSCNumEdit12", &MS::D_SCALE_OFFSET, fixedAt(-kMax), fixedAt(kMax), fixedAt(0)),
    list("D_SCALE_SLOPE", "DSCSlopeRadioG", &MS::D_SCALE_SLOPE, 2, 0),
    decimal("D_SENSE_VALUE_A", "DSCNumEdit21", &MS::D_SENSE_VALUE_A, fixedAt(0), kSenseMax, fixedAt(0)),
    bPointSense("D_SENSE_VALUE_B", "DSCNumEdit23", &MS::D_SENSE_VALUE_B),
    decimal("D_SCALE_VALUE_A", "DSCNumEdit22", &MS::D_SCALE_VALUE_A, fixedAt(-kMax), fixedAt(kMax), fixedAt(0)),
    decimal("D_SCALE_VALUE_B", "DSCNumEdit24", &MS::D_SCALE_VALUE_B, fixedAt(-kMax), fixedAt(kMax), perR(1)),
    list("D_SCALE_DIRECT", "DSCComboB11", &MS::D_SCALE_DIRECT, 2, 0),
    list("V_SCALE_MODE", "VSCRadioG", &MS::V_SCALE_MODE, 4, 0),
    decimal("V_SENSE_VALUE_1", "VSCNumEdit11", &MS::V_SENSE_VALUE_1, fixedAt(0), kSenseMax, fixedAt(0)),
    decimal("V_SCALE_OFFSET", "VSCNumEdit12", &MS::V_SCALE_OFFSET, fixedAt(-5.5), fixedAt(5.5), fixedAt(0)),
    list("V_SCALE_SLOPE", "VSCSlopeRadioG", &MS::V_SCALE_SLOPE, 2, 0),
    decimal("V_SENSE_VALUE_A", "VSCNumEdit21", &MS::V_SENSE_VALUE_A, fixedAt(0), kSenseMax, fixedAt(0)),
    bPointSense("V_SENSE_VALUE_B", "VSCNumEdit23", &MS::V_SENSE_VALUE_B),
    decimal("V_SCALE_VALUE_A", "VSCNumEdit22", &MS::V_SCALE_VALUE_A, fixedAt(-5.5), fixedAt(5.5), fixedAt(0)),
    decimal("V_SCALE_VALUE_B", "VSCNumEdit24", &MS::V_SCALE_VALUE_B, fixedAt(-5.5), fixedAt(5.5), fixedAt(5.0)),
    list("V_SCALE_DIRECT", "VSCComboB11", &MS::V_SCALE_DIRECT, 2, 0),
};

constexpr CommonField commonList(std::string_view name, std::string_view control, std::int32_t CS::*m, int count)
{
    return {name, control, CommonFieldKind::List, m, nullptr, nullptr, count};
}
constexpr CommonField commonFlag(std::string_view name, std::string_view control, bool CS::*m)
{
    return {name, control, CommonFieldKind::Flag, nullptr, m, nullptr, 0};
}
constexpr CommonField commonCode(std::string_view name, std::string_view control, std::string CS::*m)
{
    return {name, control, CommonFieldKind::Code, nullptr, nullptr, m, 0};
}

constexpr std::array kCommonFields{
    commonList("MEMORY_NO", "MNSComboB", &CS::MEMORY_NO, kMemoryCount),
    commonList("SENSOR_TYPE", "STSComboB", &CS::SENSOR_TYPE, kHeadTypeCount),
    commonList("KANSYOUBOUSHI", "SKBComboB", &CS::KANSYOUBOUSHI, 3),
    commonList("OUT_TYPE", "OUTComboB", &CS::OUT_TYPE, 2),
    commonList("OFF_DELAY", "OFDComboB", &CS::OFF_DELAY, 7),
    commonFlag("HEAD_SR", "STSCheckB", &CS::HEAD_SR),
    commonFlag("KANSYOU_SR", "SKBCheckB", &CS::KANSYOU_SR),
    commonFlag("OUT_SR", "OUTCheckB", &CS::OUT_SR),
    commonList("HEAD_ID_MODE", "HIDComboB1", &CS::HEAD_ID_MODE, 2),
    commonCode("SUS_ID", "HIDEdit1", &CS::SUS_ID),
    commonCode("FE_ID", "HIDEdit2", &CS::FE_ID),
    commonCode("AL_ID", "HIDEdit3", &CS::AL_ID),
};

} // namespace

std::span<const MemoryField> memoryFields() { return kMemoryFields; }
std::span<const CommonField> commonFields() { return kCommonFields; }

const MemoryField* findMemoryField(std::string_view name)
{
    for (const MemoryField& f : kMemoryFields)
        if (f.name == name)
            return &f;
    return nullptr;
}

const CommonField* findCommonField(std::string_view name)
{
    for (const CommonField& f : kCommonFields)
        if (f.name == name)
            return &f;
    return nullptr;
}

double fieldValue(const MemorySettings& values, const MemoryField& field)
{
    if (field.kind == MemoryFieldKind::List)
        return values.*field.listMember;
    return values.*field.decimalMember;
}

void setFieldValue(MemorySettings& values, const MemoryField& field, double value)
{
    if (field.kind == MemoryFieldKind::Decimal) {
        values.*field.decimalMember = value;
        return;
    }
    // Out-of-int32 or non-finite values cannot be list indexes; keep the
    // conversion defined and leave the value to the range check of the user.
    if (!std::isfinite(value) || value >= 2147483648.0 || value <= -2147483649.0)
        value = -1;
    values.*field.listMember = static_cast<std::int32_t>(value);
}

FieldLimits fieldLimits(const MemoryField& field, double R, bool headInitialised)
{
    FieldLimits l{field.min.at(R), field.max.at(R), field.initial.at(R), field.decimals};
    if (!headInitialised && field.kind == MemoryFieldKind::Decimal)
        l.min = field.startupMin;
    if (l.max < l.min)
        l.max = l.min;
    if (l.defaultValue < l.min || l.defaultValue > l.max)
        l.defaultValue = l.max;
    return l;
}

bool fitsField(const MemoryField& field, double value, double R, bool headInitialised)
{
    if (!std::isfinite(value))
        return false;
    const FieldLimits l = fieldLimits(field, R, headInitialised);
    if (field.kind == MemoryFieldKind::List && value != std::trunc(value))
        return false;
    return value >= l.min && value <= l.max;
}

bool isValidListIndex(const CommonField& field, int value)
{
    return field.kind == CommonFieldKind::List && value >= 0 && value < field.itemCount;
}

} // namespace tavimo::settings
