// UNumberEdit: the numeric entry field. A single-line field that takes only
// characters that can form a number, shows an out-of-range value in red
// while it is typed, puts the default back (keeping the focus) when it is
// left out of range, formats its value with its figure and reports a change
// (`changed`) only once the input has settled: about a second after the last
// valid change, or at once when the field is left with a valid value. The
// rules are core/window/number_field.h; this class forwards keys, pastes,
// focus changes and timer ticks to them.
#pragma once

#include "window/number_field.h"

#include <QLineEdit>
#include <QTimer>

namespace tavimo::ui {

class UNumberEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit UNumberEdit(QWidget* parent = nullptr, const QString& name = {});

    // Range and default in one step: max below min becomes min, a default
    // outside the range becomes max; a current value outside the new range
    // is replaced by the default.
    void SetMinMaxDef(double min, double max, double defaultValue);
    void SetValue(double value);
    // The text's number, or the default when it holds none (not range-checked).
    double GetValue() const;
    // The value a store may take: the text's number when it lies in the
    // range, otherwise the default (red text is never stored).
    double validValue() const;

    void setFigure(const QString& figure);
    void setInteger(bool integer);
    void setPlus(bool plus);
    const window::NumberFieldSpec& spec() const { return spec_; }

    // True while the text holds an out-of-range value (shown red).
    bool outOfRange() const;

    // Pastes the clipboard if the same rules as typing let it through.
    void pasteChecked();

Q_SIGNALS:
    void changed();        // the change notification
    void recvFocus();      // OnRecvFocus
    void releaseFocus();   // OnReleaseFocus
    void errRange();       // OnErrRange

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void onTextChanged(const QString& text);
    void onTick();
    void updateColour();
    window::Selection selection() const;

    window::NumberFieldSpec spec_;
    window::SettleCounter settle_;
    QTimer timer_;
};

} // namespace tavimo::ui
