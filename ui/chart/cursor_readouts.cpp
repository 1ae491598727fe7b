#include "ui/chart/cursor_readouts.h"

#include "ui/named_controls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>

namespace tavimo::ui {

QGroupBox* buildCursorReadouts(QWidget* parent)
{
    auto* box = named(new QGroupBox(parent), "GroupBox4");
    auto* row = new QHBoxLayout(box);
    auto* values = new QGridLayout;
    values->addWidget(named(new QCheckBox(box), "CheckBox9"), 0, 0, 1, 3);
    values->addWidget(label(box, "Label5"), 1, 0);
    values->addWidget(readout(box, "StaticText1", "0.0000"), 1, 1);
    values->addWidget(label(box, "Label6"), 1, 2);
    values->addWidget(label(box, "Label7"), 2, 0);
    values->addWidget(readout(box, "StaticText2", "0.0000"), 2, 1);
    values->addWidget(label(box, "Label8"), 2, 2);
    values->addWidget(label(box, "Label9"), 3, 0);
    values->addWidget(readout(box, "StaticText3", "0.0000"), 3, 1);
    values->addWidget(label(box, "Label10"), 3, 2);
    auto* times = new QGridLayout;
    times->addWidget(named(new QCheckBox(box), "CheckBox10"), 0, 0, 1, 3);
    times->addWidget(label(box, "Label15"), 1, 0);
    times->addWidget(readout(box, "StaticText4", "0.00"), 1, 1);
    times->addWidget(label(box, "Label16"), 2, 0);
    times->addWidget(readout(box, "StaticText5", "0.00"), 2, 1);
    times->addWidget(label(box, "Label17"), 3, 0);
    times->addWidget(readout(box, "StaticText6", "0.00"), 3, 1);
    times->addWidget(label(box, "Label18"), 3, 2);
    row->addLayout(values);
    row->addSpacing(24);
    row->addLayout(times);
    row->addStretch(1);
    return box;
}

} // namespace tavimo::ui
