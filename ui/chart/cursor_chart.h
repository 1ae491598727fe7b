// CursorChart: a ChartView with the four cursor scroll bars of the waveform
// and buffering screens: ScrollBar1 and ScrollBar2 (vertical, left of the
// chart) move the value cursors L1 and L2, ScrollBar3 and ScrollBar4
// (horizontal, under it) the time cursors T1 and T2. The bars run over the
// chart's height or width, page 6, 12 pixels thick at 96 dpi. Moving a bar
// or dragging a line is reported as `cursorMoved` with the scroll position;
// the screen hands it to its core cursors and shows their positions back
// with showCursors.
#pragma once

#include "ui/chart/chart_view.h"

#include <QWidget>

class QScrollBar;

namespace tavimo::ui {

class CursorChart : public QWidget {
    Q_OBJECT
public:
    explicit CursorChart(QWidget* parent = nullptr);

    ChartView* view() const { return view_; }
    QScrollBar* bar(waveform::CursorLine line) const;

    // The positions into the chart and the bars (no cursorMoved).
    void showCursors(const waveform::CursorPositions& positions, bool valueCursors, bool timeCursors);
    // Bars and line dragging of each pair.
    void setCursorControlsEnabled(bool value, bool time);

Q_SIGNALS:
    void cursorMoved(tavimo::waveform::CursorLine line, int scrollPosition);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateRanges();

    ChartView* view_;
    QScrollBar* bars_[4];
};

} // namespace tavimo::ui
