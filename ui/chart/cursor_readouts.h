// The cursor group of the chart screens (GroupBox4): the value-cursor check
// box with L1, L2 and their difference, the time-cursor check box with T1,
// T2 and their difference, each read-out between its caption and its unit.
#pragma once

class QGroupBox;
class QWidget;

namespace tavimo::ui {

QGroupBox* buildCursorReadouts(QWidget* parent);

} // namespace tavimo::ui
