// TForm2, the measured-value screen: one panel per connected controller with
// its live value and judgement lamps, refreshed every 200 ms from what the
// polling worker published, and the six actions (display unit, teaching,
// zero set) on the controllers checked in the main window. Created by the
// main window's screen switch while online; the user cannot close it.
#pragma once

#include "measure/measured_value_screen.h"

#include <QTimer>
#include <QWidget>

#include <array>

class QGroupBox;
class QPushButton;

namespace tavimo::ui {

class TForm1;
class ValuePanel;

class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(TForm1& main, QWidget* parent = nullptr);
    ~TForm2() override;

    ValuePanel* panel(int id) const { return panels_[static_cast<std::size_t>(id)]; }
    QGroupBox* buttonGroup() const { return group_; }
    QTimer& timer() { return timer1_; }

    // One display tick (Timer1).
    void Timer1Timer();
    // One of the six actions on the checked controllers.
    void runAction(measure::MeasureAction action);
    // The value and "V" labels follow the main window's check boxes.
    void applyChecks();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QGroupBox* buildButtons();
    void placePanels();
    void setButtonsEnabled(bool enabled);

    TForm1& main_;
    std::array<ValuePanel*, 8> panels_{};
    std::array<QPushButton*, 6> buttons_{};
    QGroupBox* group_ = nullptr;
    QTimer timer1_;
};

} // namespace tavimo::ui
