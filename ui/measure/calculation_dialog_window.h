// TForm7, the A+B / A-B calculation setting: four rows (type, controller A,
// controller B), of which the first n div 2 can be used with n connected
// controllers. The rows, the duplicate-ID resolution and the send are
// calibration::CalculationDialog and sendCalculationSettings; this dialog
// shows the rows and forwards the changes. "Send setting" closes it on
// success; after a failure it stays open for another try.
#pragma once

#include "calibration/calculation_setting.h"

#include <QDialog>

#include <array>

class QComboBox;
class QPushButton;

namespace tavimo::ui {

class RadioGroup;
class TForm1;

class TForm7 : public QDialog {
    Q_OBJECT
public:
    explicit TForm7(TForm1& main);

    const calibration::CalculationDialog& rows() const { return dialog_; }
    RadioGroup* typeGroup(int row) const { return rows_[static_cast<std::size_t>(row)].type; }
    QComboBox* listA(int row) const { return rows_[static_cast<std::size_t>(row)].a; }
    QComboBox* listB(int row) const { return rows_[static_cast<std::size_t>(row)].b; }

    // The user's changes, as the controls raise them.
    void typeChanged(int row, int mode);
    void listChanged(int row, bool listIsA, int id);
    // BitBtn1 "Send setting".
    void BitBtn1Click();

private:
    struct RowControls {
        RadioGroup* type = nullptr;
        QComboBox* a = nullptr;
        QComboBox* b = nullptr;
    };
    QWidget* buildRow(int row);
    void render();

    TForm1& main_;
    calibration::CalculationDialog dialog_;
    std::array<RowControls, calibration::kCalculationRows> rows_{};
    QPushButton* send_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

// Runs the dialog modally over the main window's settings model.
void runCalculationDialog(TForm1& main);

} // namespace tavimo::ui
