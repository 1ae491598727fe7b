// TForm8, the CSV settings: value separator and decimal separator. The
// comma never stands for both (core/window/dialog_rules.h). "OK" keeps the
// choice; "CANCEL" leaves the stored one.
#pragma once

#include "window/dialog_rules.h"

#include <QDialog>

namespace tavimo::ui {

class RadioGroup;

class TForm8 : public QDialog {
    Q_OBJECT
public:
    TForm8(window::CsvChoice current, QWidget* parent = nullptr);
    window::CsvChoice chosen() const { return choice_; }

    RadioGroup* separatorGroup() const { return separator_; }
    RadioGroup* decimalGroup() const { return decimal_; }

private:
    void showChoice(window::CsvChoice c);

    RadioGroup* separator_;
    RadioGroup* decimal_;
    window::CsvChoice choice_;
};

} // namespace tavimo::ui
