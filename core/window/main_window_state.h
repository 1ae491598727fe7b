// The main settings window as state: which controller and memory are
// selected, what every control of the window shows, and how values move
// between the controls and the settings model. The Qt window renders this
// state into its widgets and forwards every user change here by control
// name, so the window's behaviour is tested without a display.
#pragma once

#include "link/active_list.h"
#include "settings/field_table.h"
#include "settings/settings_model.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tavimo::window {

// What the window's controls show for the selected controller and memory.
// `common` holds the items of the environment and head-compatibility pages
// (its MEMORY_NO and memories are not used).
struct ShownValues {
    settings::MemorySettings memory;
    settings::ControllerSettings common;
    std::int32_t versionIndex = 0;
};

enum class SelectResult {
    Selected,
    NotConnected, // a "NONE" tab: refused, the previous tab stays
    Invalid,      // not a controller ID or memory number
};

class MainWindowState {
public:
    explicit MainWindowState(settings::SettingsModel& model);

    settings::SettingsModel& model() { return model_; }
    const settings::SettingsModel& model() const { return model_; }

    int controller() const { return controller_; }
    int memory() const { return memory_; }
    const ShownValues& shown() const { return shown_; }

    // Start-up: selects `controllerPage` (0 when not an ID), its MEMORY_NO,
    // shows the model and applies the application-mode presets.
    void start(int controllerPage);

    // The two internal operations every command uses.
    void storeWindow();
    void showModel();
    // Presets of the shown application mode on the shown values.
    void applyModePresets();

    // A controller tab: refused for a "NONE" tab; otherwise stores the
    // window, selects the ID and its MEMORY_NO, shows it with the presets.
    SelectResult selectController(int id);
    // The memory selector: stores the window, makes `memory` the selected
    // memory and the controller's MEMORY_NO, shows it with the presets.
    SelectResult selectMemory(int memory);
    // MDEComboB1: the mode, the only detection sub-mode, presets, slopes.
    void pickApplicationMode(int mode);
    // STSComboB after the question: OK re-initialises the controller for
    // the picked head and shows it; Cancel keeps everything (the combo box
    // shows the model's head type again).
    void pickHeadType(int type, bool confirmed);
    // DSCRadioG / VSCRadioG set by the user; "Non" resets the scaling fields.
    void setDisplayScaleMode(int mode);
    void setVoltageScaleMode(int mode);

    // Any other user change, by control name. A list or radio group of the
    // table (its item index), a check box (0/1), a numeric field after its
    // change notification (the value rules of the limits and of two-point
    // scaling follow), VersionComboBox. False for a control the window
    // state does not know.
    bool setValue(std::string_view control, double value);
    // A numeric field's current value taken without the value rules (the
    // window collects its fields this way before a store).
    bool setValueQuiet(std::string_view control, double value);
    // HIDEdit1..3: at most 10 characters, upper case.
    bool setCode(std::string_view control, std::string_view text);

    // The value a control shows: list index, 0/1, or number; nothing for an
    // unknown control or a code field.
    std::optional<double> value(std::string_view control) const;
    std::optional<std::string> code(std::string_view control) const;
    // Range and default of a numeric field for the selected controller.
    std::optional<settings::FieldLimits> limits(std::string_view control) const;
    // The numeric fields' control names, in table order.
    static std::span<const std::string_view> numericControls();

    // After an operation replaced part of the model (file load, batch
    // receive): the selected memory follows the controller's MEMORY_NO and
    // the model is shown; no presets.
    void showLoadedModel();
    // After the edit initialise: controller 0, its MEMORY_NO, shown.
    void showInitialisedModel();
    // The window's range bound of the B-point detected values drops from
    // 0.001 to 0 with the first head initialisation of the run.
    void noteHeadInitialised() { headInitialised_ = true; }
    bool headInitialised() const { return headInitialised_; }

    // Online: tabs and check boxes of inactive IDs read "NONE" (the check
    // boxes disabled); a controller shown that is not active gives way to
    // the first active one. Offline: all eight present. Stores the window
    // before and shows the model after.
    void showControllers(const link::ActiveControllers& active);
    void showAllControllers();
    bool controllerPresent(int id) const;

    // The send/receive check boxes ContCheck1..ContCheck8 by controller ID.
    const std::array<bool, settings::kControllerCount>& checks() const { return checks_; }
    void setCheck(int id, bool checked);
    void setChecks(const std::array<bool, settings::kControllerCount>& checks) { checks_ = checks; }

private:
    int storedMemory(int id) const;
    double headRange() const;
    settings::FieldLimits limitsOf(const settings::MemoryField& field) const;
    void showMemoryValues();
    void applyValueRules(std::string_view control);
    void setDecimalTo(std::string_view control, double value);

    settings::SettingsModel& model_;
    int controller_ = 0;
    int memory_ = 0;
    ShownValues shown_;
    bool headInitialised_ = false;
    std::array<bool, settings::kControllerCount> present_{true, true, true, true, true, true, true, true};
    std::array<bool, settings::kControllerCount> checks_{true, true, true, true, true, true, true, true};
};

} // namespace tavimo::window
