#include "window/main_window_state.h"

#include "settings/head_initialization.h"
#include "settings/mode_presets.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace tavimo::window {

using settings::CommonField;
using settings::CommonFieldKind;
using settings::MemoryField;
using settings::MemoryFieldKind;

namespace {

constexpr std::string_view kVersionControl = "VersionComboBox";
constexpr std::string_view kMemoryControl = "MNSComboB";
constexpr std::string_view kModeControl = "MDEComboB1";
constexpr std::string_view kHeadControl = "STSComboB";
constexpr std::string_view kDisplayScaleControl = "DSCRadioG";
constexpr std::string_view kVoltageScaleControl = "VSCRadioG";

const MemoryField* memoryFieldOf(std::string_view control)
{
    for (const MemoryField& f : settings::memoryFields())
        if (f.control == control) return &f;
    return nullptr;
}

const CommonField* commonFieldOf(std::string_view control)
{
    for (const CommonField& f : settings::commonFields())
        if (f.control == control) return &f;
    return nullptr;
}

std::vector<std::string_view> collectNumericControls()
{
    std::vector<std::string_view> names;
    for (const MemoryField& f : settings::memoryFields())
        if (f.kind == MemoryFieldKind::Decimal) names.push_back(f.control);
    return names;
}

// The value rules while editing: which control's change tests which pair.
struct PairRule {
    std::string_view lower;  // the control that must stay below
    std::string_view higher; // the control that must stay above
};
constexpr PairRule kPairRules[] = {
    {"THRNumEdit2", "THRNumEdit1"}, // lower limit below upper limit
    {"DSCNumEdit21", "DSCNumEdit23"}, // point A's detected value below point B's
    {"VSCNumEdit21", "VSCNumEdit23"},
};

} // namespace

MainWindowState::MainWindowState(settings::SettingsModel& model) : model_(model) {}

std::span<const std::string_view> MainWindowState::numericControls()
{
    static const std::vector<std::string_view> names = collectNumericControls();
    return names;
}

int MainWindowState::storedMemory(int id) const
{
    // A hand-edited file may hold any number; the window shows memory 0 then.
    const int stored = model_.controllers[static_cast<std::size_t>(id)].MEMORY_NO;
    return settings::isValidMemory(stored) ? stored : 0;
}

double MainWindowState::headRange() const { return settings::headRange(model_, controller_); }

settings::FieldLimits MainWindowState::limitsOf(const MemoryField& field) const
{
    return settings::fieldLimits(field, headRange(), headInitialised_);
}

void MainWindowState::start(int controllerPage)
{
    controller_ = settings::isValidControllerId(controllerPage) ? controllerPage : 0;
    memory_ = storedMemory(controller_);
    showModel();
    applyModePresets();
}

void MainWindowState::storeWindow()
{
    settings::ControllerSettings& c = model_.controllers[static_cast<std::size_t>(controller_)];
    c.memories[static_cast<std::size_t>(memory_)] = shown_.memory;
    for (const CommonField& f : settings::commonFields()) {
        switch (f.kind) {
        case CommonFieldKind::List:
            if (f.listMember != &settings::ControllerSettings::MEMORY_NO) c.*f.listMember = shown_.common.*f.listMember;
            break;
        case CommonFieldKind::Flag:
            c.*f.flagMember = shown_.common.*f.flagMember;
            break;
        case CommonFieldKind::Code:
            c.*f.codeMember = shown_.common.*f.codeMember;
            break;
        }
    }
    c.MEMORY_NO = memory_;
    model_.VERSION_INDEX = shown_.versionIndex;
}

void MainWindowState::showMemoryValues()
{
    const settings::MemorySettings& stored = settings::memorySettings(model_, controller_, memory_);
    const double R = headRange();
    for (const MemoryField& f : settings::memoryFields()) {
        const double v = settings::fieldValue(stored, f);
        // A value the control cannot show (outside its range, or a list
        // index without an item) shows the field's default instead.
        const bool fits = settings::fitsField(f, v, R, headInitialised_);
        settings::setFieldValue(shown_.memory, f, fits ? v : limitsOf(f).defaultValue);
    }
}

void MainWindowState::showModel()
{
    const settings::ControllerSettings& c = model_.controllers[static_cast<std::size_t>(controller_)];
    shown_.common = c;
    shown_.common.memories = {};
    shown_.common.MEMORY_NO = memory_;
    showMemoryValues();
    shown_.versionIndex = model_.VERSION_INDEX;
}

void MainWindowState::applyModePresets() { settings::applyModePresets(shown_.memory, headRange()); }

SelectResult MainWindowState::selectController(int id)
{
    if (!settings::isValidControllerId(id)) return SelectResult::Invalid;
    if (!present_[static_cast<std::size_t>(id)]) return SelectResult::NotConnected;
    storeWindow();
    controller_ = id;
    memory_ = storedMemory(id);
    showModel();
    applyModePresets();
    return SelectResult::Selected;
}

SelectResult MainWindowState::selectMemory(int memory)
{
    if (!settings::isValidMemory(memory)) return SelectResult::Invalid;
    storeWindow();
    memory_ = memory;
    model_.controllers[static_cast<std::size_t>(controller_)].MEMORY_NO = memory;
    showModel();
    applyModePresets();
    return SelectResult::Selected;
}

void MainWindowState::pickApplicationMode(int mode)
{
    if (mode < 0 || mode >= settings::kApplicationModeCount) return;
    settings::pickApplicationMode(shown_.memory, mode, headRange());
}

void MainWindowState::pickHeadType(int type, bool confirmed)
{
    if (!confirmed || !settings::isValidHeadType(type)) return;
    settings::changeHeadType(model_, controller_, type);
    noteHeadInitialised();
    memory_ = storedMemory(controller_);
    showModel();
}

namespace {

// One scaling (display or voltage) as members of the memory values.
struct ScalingMembers {
    std::int32_t settings::MemorySettings::*mode;
    double settings::MemorySettings::*sense1;
    double settings::MemorySettings::*offset;
    double settings::MemorySettings::*senseA;
    double settings::MemorySettings::*valueA;
    double settings::MemorySettings::*senseB;
    double settings::MemorySettings::*valueB;
    std::int32_t settings::MemorySettings::*direct;
};

using MS = settings::MemorySettings;
constexpr ScalingMembers kDisplayScaling{&MS::D_SCALE_MODE,    &MS::D_SENSE_VALUE_1, &MS::D_SCALE_OFFSET,
                                         &MS::D_SENSE_VALUE_A, &MS::D_SCALE_VALUE_A, &MS::D_SENSE_VALUE_B,
                                         &MS::D_SCALE_VALUE_B, &MS::D_SCALE_DIRECT};
constexpr ScalingMembers kVoltageScaling{&MS::V_SCALE_MODE,    &MS::V_SENSE_VALUE_1, &MS::V_SCALE_OFFSET,
                                         &MS::V_SENSE_VALUE_A, &MS::V_SCALE_VALUE_A, &MS::V_SENSE_VALUE_B,
                                         &MS::V_SCALE_VALUE_B, &MS::V_SCALE_DIRECT};
constexpr int kScaleModeCount = 4;

// "Non" (0) puts the scaling's fields back: the points at 0, point B's
// detected value at R and its shown value at `valueB`, no inversion.
void setScaleMode(MS& m, const ScalingMembers& s, int mode, double R, double valueB)
{
    if (mode < 0 || mode >= kScaleModeCount) return;
    m.*s.mode = mode;
    if (mode != 0) return;
    m.*s.sense1 = 0;
    m.*s.offset = 0;
    m.*s.senseA = 0;
    m.*s.valueA = 0;
    m.*s.senseB = R;
    m.*s.valueB = valueB;
    m.*s.direct = 0;
}

} // namespace

void MainWindowState::setDisplayScaleMode(int mode)
{
    const double R = settings::roundToFourDecimals(headRange());
    setScaleMode(shown_.memory, kDisplayScaling, mode, R, R);
}

void MainWindowState::setVoltageScaleMode(int mode)
{
    const double R = settings::roundToFourDecimals(headRange());
    setScaleMode(shown_.memory, kVoltageScaling, mode, R, 5.0); // B-point voltage 5 V
}

void MainWindowState::setDecimalTo(std::string_view control, double value)
{
    const MemoryField* f = memoryFieldOf(control);
    if (f) settings::setFieldValue(shown_.memory, *f, value);
}

void MainWindowState::applyValueRules(std::string_view control)
{
    for (const PairRule& r : kPairRules) {
        if (control != r.lower && control != r.higher) continue;
        const double low = *value(r.lower);
        const double high = *value(r.higher);
        if (low < high) return;
        // The field just changed gives way: the lower one drops to its
        // minimum, the higher one rises to its maximum.
        if (control == r.lower)
            setDecimalTo(r.lower, limits(r.lower)->min);
        else
            setDecimalTo(r.higher, limits(r.higher)->max);
        return;
    }
}

bool MainWindowState::setValueQuiet(std::string_view control, double v)
{
    const MemoryField* f = memoryFieldOf(control);
    if (!f || f->kind != MemoryFieldKind::Decimal) return false;
    const settings::FieldLimits l = limitsOf(*f);
    settings::setFieldValue(shown_.memory, *f, (v >= l.min && v <= l.max) ? v : l.defaultValue);
    return true;
}

bool MainWindowState::setValue(std::string_view control, double v)
{
    if (control == kMemoryControl) return selectMemory(static_cast<int>(v)) == SelectResult::Selected;
    if (control == kModeControl) {
        pickApplicationMode(static_cast<int>(v));
        return true;
    }
    if (control == kDisplayScaleControl) {
        setDisplayScaleMode(static_cast<int>(v));
        return true;
    }
    if (control == kVoltageScaleControl) {
        setVoltageScaleMode(static_cast<int>(v));
        return true;
    }
    if (control == kHeadControl) return false; // asks first: pickHeadType
    if (control == kVersionControl) {
        shown_.versionIndex = static_cast<std::int32_t>(v);
        return true;
    }
    if (const MemoryField* f = memoryFieldOf(control)) {
        if (f->kind == MemoryFieldKind::List) {
            if (!settings::fitsField(*f, v, headRange(), headInitialised_)) return false;
            settings::setFieldValue(shown_.memory, *f, v);
            return true;
        }
        setValueQuiet(control, v);
        applyValueRules(control);
        return true;
    }
    if (const CommonField* f = commonFieldOf(control)) {
        if (f->kind == CommonFieldKind::List) {
            if (!settings::isValidListIndex(*f, static_cast<int>(v))) return false;
            shown_.common.*f->listMember = static_cast<std::int32_t>(v);
            return true;
        }
        if (f->kind == CommonFieldKind::Flag) {
            shown_.common.*f->flagMember = v != 0;
            return true;
        }
    }
    return false;
}

bool MainWindowState::setCode(std::string_view control, std::string_view text)
{
    const CommonField* f = commonFieldOf(control);
    if (!f || f->kind != CommonFieldKind::Code) return false;
    std::string code(text.substr(0, settings::kHeadCodeLength));
    for (char& c : code) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    shown_.common.*f->codeMember = code;
    return true;
}

std::optional<double> MainWindowState::value(std::string_view control) const
{
    if (control == kVersionControl) return shown_.versionIndex;
    if (control == kMemoryControl) return memory_;
    if (const MemoryField* f = memoryFieldOf(control)) return settings::fieldValue(shown_.memory, *f);
    if (const CommonField* f = commonFieldOf(control)) {
        if (f->kind == CommonFieldKind::List) return shown_.common.*f->listMember;
        if (f->kind == CommonFieldKind::Flag) return shown_.common.*f->flagMember ? 1.0 : 0.0;
    }
    return std::nullopt;
}

std::optional<std::string> MainWindowState::code(std::string_view control) const
{
    const CommonField* f = commonFieldOf(control);
    if (!f || f->kind != CommonFieldKind::Code) return std::nullopt;
    return shown_.common.*f->codeMember;
}

std::optional<settings::FieldLimits> MainWindowState::limits(std::string_view control) const
{
    const MemoryField* f = memoryFieldOf(control);
    if (!f || f->kind != MemoryFieldKind::Decimal) return std::nullopt;
    return limitsOf(*f);
}

void MainWindowState::showLoadedModel()
{
    memory_ = storedMemory(controller_);
    showModel();
}

void MainWindowState::showInitialisedModel()
{
    noteHeadInitialised();
    controller_ = 0;
    showLoadedModel();
}

void MainWindowState::showControllers(const link::ActiveControllers& active)
{
    storeWindow();
    for (int id = 0; id < settings::kControllerCount; ++id) present_[static_cast<std::size_t>(id)] = active.isActive(id);
    if (!present_[static_cast<std::size_t>(controller_)]) {
        controller_ = active.activeId(0);
        memory_ = storedMemory(controller_);
    }
    showModel();
}

void MainWindowState::showAllControllers() { present_.fill(true); }

bool MainWindowState::controllerPresent(int id) const
{
    return settings::isValidControllerId(id) && present_[static_cast<std::size_t>(id)];
}

void MainWindowState::setCheck(int id, bool checked)
{
    if (settings::isValidControllerId(id)) checks_[static_cast<std::size_t>(id)] = checked;
}

} // namespace tavimo::window
