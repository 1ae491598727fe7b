#include "files/settings_text_export.h"

#include "files/atomic_file.h"
#include "files/ini_document.h"
#include "shell/catalog.h"
#include "shell/cp932.h"
#include "shell/screen_keys.h"
#include "shell/text_lists.h"

#include <charconv>

namespace tavimo::files {

using settings::ControllerSettings;
using settings::MemorySettings;
using shell::Language;
using shell::Msg;

namespace {

// "0.0000" whatever the locale; a value that rounds to zero has no sign.
std::string fourDecimals(double v)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 4);
    std::string s(buf, r.ptr);
    if (s == "-0.0000")
        s = "0.0000";
    return s;
}

// One "?" for each character outside ASCII (a UTF-8 lead byte with its
// continuation bytes, or a stray byte).
std::string asciiOnly(std::string_view text)
{
    std::string out;
    bool inCharacter = false;
    for (char ch : text) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            out.push_back(ch);
            inCharacter = false;
        } else if (b >= 0xC0 || !inCharacter) {
            out.push_back('?');
            inCharacter = b >= 0xC0;
        }
    }
    return out;
}

// The rows of one scaling (display or voltage): the same pattern with its
// own labels, lists and fields.
struct ScalingRows {
    Msg title;
    std::string_view modeList;
    std::int32_t MemorySettings::*mode;
    Msg offsetBefore, offsetAfter;
    double MemorySettings::*sense1;
    double MemorySettings::*offset;
    std::string_view slopeList;
    std::int32_t MemorySettings::*slope;
    Msg pointA, pointB, valueA, valueB;
    double MemorySettings::*senseA;
    double MemorySettings::*senseB;
    double MemorySettings::*scaleA;
    double MemorySettings::*scaleB;
    Msg reverse;
    std::string_view reverseList;
    std::int32_t MemorySettings::*direct;
};

using MS = MemorySettings;
constexpr ScalingRows kDisplayScaling{
    Msg::ExportDisplayScaling, "DSCRadioG", &MS::D_SCALE_MODE,
    Msg::ExportOffsetBefore, Msg::ExportOffsetAfter, &MS::D_SENSE_VALUE_1, &MS::D_SCALE_OFFSET,
    "DSCSlopeRadioG", &MS::D_SCALE_SLOPE,
    Msg::ExportPointADisplacement, Msg::ExportPointBDisplacement, Msg::ExportPointAIndication,
    Msg::ExportPointBIndication, &MS::D_SENSE_VALUE_A, &MS::D_SENSE_VALUE_B, &MS::D_SCALE_VALUE_A,
    &MS::D_SCALE_VALUE_B, Msg::ExportReverseDisplay, "DSCComboB11", &MS::D_SCALE_DIRECT};
constexpr ScalingRows kVoltageScaling{
    Msg::ExportVoltageScaling, "VSCRadioG", &MS::V_SCALE_MODE,
    Msg::ExportOffsetBeforeVoltage, Msg::ExportOffsetAfterVoltage, &MS::V_SENSE_VALUE_1, &MS::V_SCALE_OFFSET,
    "VSCSlopeRadioG", &MS::V_SCALE_SLOPE,
    Msg::ExportPointADisplacementVoltage, Msg::ExportPointBDisplacementVoltage, Msg::ExportPointAVoltage,
    Msg::ExportPointBVoltage, &MS::V_SENSE_VALUE_A, &MS::V_SENSE_VALUE_B, &MS::V_SCALE_VALUE_A,
    &MS::V_SCALE_VALUE_B, Msg::ExportReverseDisplayVoltage, "VSCComboB11", &MS::V_SCALE_DIRECT};

class ExportWriter {
public:
    ExportWriter(Language language, bool asciiCodes) : language_(language), asciiCodes_(asciiCodes) {}

    const std::string& label(Msg id) const { return shell::Catalog::instance().text(id, language_); }

    // Item `index` of a main-window list; the index itself when the list
    // has no such item (only possible for values set outside the files).
    std::string listText(std::string_view control, int index) const
    {
        const std::string* items =
            shell::Catalog::instance().screenText(shell::form::kMain, control, shell::property::kItems, language_);
        if (items && index >= 0) {
            const std::vector<std::string> list = shell::splitItems(*items);
            if (static_cast<std::size_t>(index) < list.size())
                return list[static_cast<std::size_t>(index)];
        }
        return std::to_string(index);
    }

    void put(const std::string& section, Msg key, const std::string& value) { doc_.setValue(section, label(key), value); }
    void list(const std::string& section, Msg key, std::string_view control, int index)
    {
        put(section, key, "  " + listText(control, index));
    }
    void number(const std::string& section, Msg key, double v) { put(section, key, "  " + fourDecimals(v)); }
    void code(const std::string& section, Msg key, const std::string& text)
    {
        put(section, key, "  " + (asciiCodes_ ? asciiOnly(text) : text));
    }

    void scaling(const std::string& section, const ScalingRows& rows, const MemorySettings& v);
    void calculations(const settings::SettingsModel& model);
    void controller(int id, const ControllerSettings& c);

    std::string text() const { return doc_.serialize(); }

private:
    Language language_;
    bool asciiCodes_;
    IniDocument doc_;
};

void ExportWriter::calculations(const settings::SettingsModel& model)
{
    for (int i = 0; i < settings::kCalculationCount; ++i) {
        const settings::CalculationSetting& c = model.calculations[static_cast<std::size_t>(i)];
        const std::string s = label(Msg::ExportCalculationSetting) + std::to_string(i);
        put(s, Msg::ExportCalculationSetting, label(c.ENABLED ? Msg::ExportOn : Msg::ExportOff));
        if (!c.ENABLED)
            continue;
        const Msg mode = c.MODE == 1 ? Msg::ExportAPlusB : c.MODE == 2 ? Msg::ExportAMinusB : Msg::ExportNone;
        put(s, Msg::ExportCalculation, label(mode));
        if (c.MODE == 1 || c.MODE == 2) {
            put(s, Msg::ExportControllerAId, std::to_string(c.ID_A));
            put(s, Msg::ExportControllerBId, std::to_string(c.ID_B));
        }
    }
}

void ExportWriter::scaling(const std::string& s, const ScalingRows& r, const MemorySettings& v)
{
    const int mode = v.*r.mode;
    list(s, r.title, r.modeList, mode);
    if (mode == 1) {
        number(s, r.offsetBefore, v.*r.sense1);
        number(s, r.offsetAfter, v.*r.offset);
        // Both scalings use the key "Slope": with both one-point, the entry
        // stays where the display slope put it and shows the voltage slope.
        list(s, Msg::ExportSlope, r.slopeList, v.*r.slope);
    }
    if (mode == 2) {
        number(s, r.pointA, v.*r.senseA);
        number(s, r.pointB, v.*r.senseB);
        number(s, r.valueA, v.*r.scaleA);
        number(s, r.valueB, v.*r.scaleB);
    }
    if (mode == 3)
        list(s, r.reverse, r.reverseList, v.*r.direct);
}

void ExportWriter::controller(int id, const ControllerSettings& c)
{
    const std::string s = label(Msg::ExportSettingOf) + listText("ControlerTab", id);
    // The memory the controller works in; an impossible number shows as it
    // is and memory 0 supplies the items.
    const int memory = settings::isValidMemory(c.MEMORY_NO) ? c.MEMORY_NO : 0;
    const MemorySettings& v = c.memories[static_cast<std::size_t>(memory)];
    const bool manual = v.APPLI_MODE == 0;
    const bool internal = v.TRIG_MODE == 2;

    list(s, Msg::ExportMemoryNumber, "MNSComboB", c.MEMORY_NO);
    list(s, Msg::ExportMeasurementMode, "MDEComboB1", v.APPLI_MODE);
    if (manual) {
        list(s, Msg::ExportHoldMode, "HLDRadioG", v.HOLD_MODE);
        list(s, Msg::ExportTriggerKind, "TRGRadioG", v.TRIG_MODE);
    }
    if (internal && manual)
        list(s, Msg::ExportTriggerEdge, "TRGComboB11", v.INT_TRIG_EDG);
    if (internal && v.APPLI_MODE != 2)
        number(s, Msg::ExportTriggerLevel, v.INT_TRIG_THR);
    if (internal)
        number(s, Msg::ExportTriggerHysteresis, v.INT_TRIG_HYS);
    if (internal && manual) {
        number(s, Msg::ExportTriggerDelay, v.INT_TRIG_DRY);
        number(s, Msg::ExportTriggerSampling, v.INT_TRIG_SMP);
    }
    if (v.TRIG_MODE == 3)
        number(s, Msg::ExportTriggerPeriod, v.FLK_TRIG_TIME);
    if (v.HOLD_MODE == 2 && internal)
        list(s, Msg::ExportLastValueComparison, "CMPRadioG", v.COMP_MODE);
    list(s, Msg::ExportDetectionObject, "MTTComboB", v.METAL_TYPE);
    list(s, Msg::ExportAverageFrequency, "AVGComboB", v.AVERAGE);
    number(s, Msg::ExportHiThreshold, v.HI_TH_LEVEL);
    number(s, Msg::ExportLoThreshold, v.LO_TH_LEVEL);
    number(s, Msg::ExportHysteresis, v.HYS_LEVEL);

    scaling(s, kDisplayScaling, v);
    scaling(s, kVoltageScaling, v);

    list(s, Msg::ExportSensorModel, "STSComboB", c.SENSOR_TYPE);
    list(s, Msg::ExportMutualInterference, "SKBComboB", c.KANSYOUBOUSHI);
    list(s, Msg::ExportOutputForm, "OUTComboB", c.OUT_TYPE);
    list(s, Msg::ExportOffDelayTime, "OFDComboB", c.OFF_DELAY);
    list(s, Msg::ExportHeadCharacteristicMode, "HIDComboB1", c.HEAD_ID_MODE);
    if (c.HEAD_ID_MODE == 1) {
        code(s, Msg::ExportSusIdCode, c.SUS_ID);
        code(s, Msg::ExportFeIdCode, c.FE_ID);
        code(s, Msg::ExportAlIdCode, c.AL_ID);
    }
}

std::string build(const settings::SettingsModel& model, Language language, bool asciiCodes)
{
    ExportWriter w(language, asciiCodes);
    w.calculations(model);
    for (int id = 0; id < settings::kControllerCount; ++id)
        w.controller(id, model.controllers[static_cast<std::size_t>(id)]);
    return w.text();
}

} // namespace

std::string settingsTextUtf8(const settings::SettingsModel& model, Language language)
{
    return build(model, language, false);
}

std::optional<std::string> settingsTextFileBytes(const settings::SettingsModel& model, Language language)
{
    shell::Cp932Conversion c = shell::toCp932(build(model, language, false));
    // Only a head code can hold a character CP932 lacks (or malformed UTF-8).
    if (c.status == shell::Cp932Status::InvalidInput)
        c = shell::toCp932(build(model, language, true));
    if (c.ok())
        return std::move(c.text);
    return std::nullopt;
}

FileError exportSettingsText(const std::filesystem::path& path, const settings::SettingsModel& model,
                             Language language, std::string* detail)
{
    const auto bytes = settingsTextFileBytes(model, language);
    if (!bytes) {
        if (detail)
            *detail = "no Shift JIS (CP932) converter";
        return FileError::CannotWrite;
    }
    return saveFile(path, *bytes, true, detail);
}

} // namespace tavimo::files
