// The A+B / A-B calculation setting: up to four pairs of controllers, each
// written to controller A with UC naming B as its partner. The dialog shows
// the rows of CalculationDialog and forwards changes to it; the entry check
// and the send run on the line.
#pragma once

#include "settings/operation_context.h"
#include "settings/settings_model.h"

#include <array>

namespace tavimo::calibration {

inline constexpr int kCalculationRows = 4;
inline constexpr int kCalculationModes = 3; // none, A+B, A-B

// Rows the operator may use with n connected controllers: n div 2, at most 4.
int activeRowCount(int connected);

struct CalculationRow {
    int mode = 0;          // 0 none, 1 A+B, 2 A-B
    int idA = 0;           // list index = controller ID
    int idB = 1;
    bool enabled = false;  // the row's type group can be used
    bool listsEnabled = false;
};

class CalculationDialog {
public:
    // Rows from the model's table; values a hand-edited file may hold outside
    // their lists (MODE, ID_A, ID_B) are brought to their reset values.
    CalculationDialog(const settings::SettingsModel& model, bool online, int connected);

    int activeRows() const { return activeRows_; }
    bool sendEnabled() const { return sendEnabled_; }
    const CalculationRow& row(int i) const { return rows_[static_cast<std::size_t>(i)]; }

    // A type change: lists follow the type, duplicates are resolved silently.
    void setMode(int row, int mode);
    // A list change: returns true when duplicates were moved (the dialog
    // then shows "The same ID number repeats, and it is appointed.").
    bool setIdA(int row, int id);
    bool setIdB(int row, int id);

    // Every later slot holding an ID an earlier slot holds gets the highest
    // ID no slot holds. Returns whether anything moved.
    bool resolveDuplicateIds();

    // The table as the dialog holds it (ENABLED, MODE, ID_A, ID_B).
    void storeInto(settings::SettingsModel& model) const;

private:
    void followMode(int row);
    int& slot(int index);

    std::array<CalculationRow, kCalculationRows> rows_{};
    bool online_;
    int activeRows_;
    bool sendEnabled_;
};

// Every connected controller in manual application mode, no hold, no
// trigger (AP, HM, TG all read and all 0). Returns 0 with `allowed`, or the
// failure code it reported (500, 501); the worker is resumed on every path.
struct EntryCheck {
    bool allowed = false;
    int code = 0;
};
EntryCheck checkCalculationEntry(settings::OperationContext& ctx);

// Clears every connected controller's calculation, stores the dialog into
// the model's table, then writes the active rows whose type is not none.
// Returns 0, or 402 (a UC failed; what was done stays), 500, 501 after
// reporting it. Offline it does nothing and returns 0.
int sendCalculationSettings(settings::OperationContext& ctx, const CalculationDialog& dialog,
                            settings::SettingsModel& model);

} // namespace tavimo::calibration
