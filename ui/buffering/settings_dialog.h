// TForm6, the buffering settings dialog: the trigger type (shown, never
// edited), the number of points, the rate and the trigger point, each as a
// slider beside a numeric field kept equal, and the predicted run time. Its
// logic is buffering::BufferingSettingsForm; "Set" stores into the shared
// record and closes with OK, "Cancel" closes without storing.
#pragma once

#include "buffering/settings_form.h"

#include <QDialog>

class QLabel;
class QSlider;

namespace tavimo::shell {
class Operator;
}

namespace tavimo::ui {

class RadioGroup;
class UNumberEdit;

class TForm6 : public QDialog {
    Q_OBJECT
public:
    TForm6(buffering::BufferingSettingsForm form, buffering::BufferingRecord& record, shell::Operator& op,
           QWidget* parent = nullptr);

    // Opens the dialog modally on a copy of the record; nothing is shown
    // when the record cannot be copied (the message says why). True when
    // "Set" stored the values.
    static bool run(buffering::BufferingRecord& record, shell::Operator& op, QWidget* parent);

    const buffering::BufferingSettingsForm& form() const { return form_; }

    // BitBtn1.
    void BitBtn1Click();

private:
    QSlider* makeSlider(const char* name);
    UNumberEdit* makeField(const char* name, int max, int defaultValue);
    void connectPair(QSlider* slider, UNumberEdit* field, void (buffering::BufferingSettingsForm::*moved)(int),
                     bool (buffering::BufferingSettingsForm::*changed)(double));
    void render();

    buffering::BufferingSettingsForm form_;
    buffering::BufferingRecord& record_;
    shell::Operator& op_;
    RadioGroup* trigger_ = nullptr;
    QSlider* pointsSlider_ = nullptr;
    QSlider* rateSlider_ = nullptr;
    QSlider* triggerSlider_ = nullptr;
    UNumberEdit* pointsField_ = nullptr;
    UNumberEdit* rateField_ = nullptr;
    UNumberEdit* triggerField_ = nullptr;
    QLabel* total_ = nullptr;
    bool rendering_ = false;
};

} // namespace tavimo::ui
