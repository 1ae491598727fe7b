// TForm5, the three-point calibration of the controller selected in the
// main window: the target memory, then one button per step in the fixed
// order (start, zero point, 1/2 F.S., F.S., end) and Cancel. The step
// order, the enabling and the CG commands are calibration::CalibrationProcedure;
// this dialog shows its state and forwards the buttons. Its position is kept
// in the configuration's CARIBRATION section.
#pragma once

#include "calibration/calibration_procedure.h"

#include <QDialog>

#include <array>

class QPushButton;

namespace tavimo::ui {

class RadioGroup;
class TForm1;

class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(TForm1& main);
    ~TForm5() override;

    const calibration::CalibrationProcedure& procedure() const { return procedure_; }
    QPushButton* button(calibration::CalibrationButton b) const { return buttons_[static_cast<std::size_t>(b)]; }
    RadioGroup* targetGroup() const { return target_; }

    // A button of the dialog (Button1 to Button6).
    void press(calibration::CalibrationButton b);

protected:
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void render();

    TForm1& main_;
    settings::OperationContext ctx_;
    calibration::CalibrationProcedure procedure_;
    RadioGroup* target_;
    std::array<QPushButton*, 6> buttons_{};
    bool busy_ = false;
    QPoint closedAt_;
};

// Runs the dialog modally for the main window's selected controller.
void runCalibrationDialog(TForm1& main);

} // namespace tavimo::ui
