// One controller's panel of the measured-value screen: its ID, the value in
// large digits on black, the "V" unit label and the Hi, Go, Lo and ZERO
// lamps. The controls keep their form names with the panel's number
// (1 to 8 for IDs 0 to 7): Panel1, Label1, MeasureValue1, VoltIndicator1,
// HiIndicator1, GoIndicator1, LoIndicator1, ZeroIndicator1.
#pragma once

#include "measure/measured_value_screen.h"

#include <QColor>
#include <QFrame>

class QLabel;

namespace tavimo::ui {

// The lamps' lit colours; an unlit lamp is black.
inline const QColor kHiColour{0xFF, 0xFF, 0x00};
inline const QColor kGoColour{0x00, 0xFF, 0x00};
inline const QColor kLoColour{0xFF, 0x80, 0x00};
inline const QColor kZeroColour{0x00, 0xFF, 0xFF};
inline const QColor kDarkColour{0x00, 0x00, 0x00};

// The screen is laid out in the units of a 96 dpi form and drawn this many
// times larger, so the values can be read from beside the machine.
inline constexpr int kPanelScale = 2;
inline constexpr int kPanelHeight = 30 * kPanelScale; // rows are 32 units apart

class ValuePanel : public QFrame {
    Q_OBJECT
public:
    ValuePanel(int id, QWidget* parent = nullptr);

    int controllerId() const { return id_; }
    // The value, the unit label and the lamps of one display tick.
    void showView(const measure::PanelView& view);
    // An unchecked controller keeps its live value, in greyed labels.
    void setChecked(bool checked);
    // Takes the unit text the catalog gave the "V" label (after the
    // window's screen texts were applied).
    void keepTexts();

    QLabel* value() const { return value_; }
    QLabel* volt() const { return volt_; }
    // Whether a lamp is lit, by its form name prefix ("Hi", "Go", "Lo", "Zero").
    bool lampLit(const QString& prefix) const;

private:
    QLabel* lamp(const char* prefix, const QColor& lit);
    void light(QLabel* lamp, bool on);

    int id_;
    QLabel* value_;
    QLabel* volt_;
    QLabel* hi_;
    QLabel* go_;
    QLabel* lo_;
    QLabel* zero_;
    QString voltText_;
};

} // namespace tavimo::ui
