// Chart1 of the buffering screen: the measured-value series (a red line
// through the points in the order received), the mark of the selected grid
// row drawn as its value label, the two axes, and the value cursors L1/L2
// and time cursors T1/T2 drawn after the plot. It reports every drawing with
// its plot area and the user's zoom and pan gestures; the screen's logic
// decides what the axes become.
#pragma once

#include "buffering/buffered_data.h"
#include "waveform/wave_axes.h"
#include "waveform/wave_cursors.h"

#include <QWidget>

#include <optional>

namespace tavimo::ui {

class BufferingChart : public QWidget {
    Q_OBJECT
public:
    explicit BufferingChart(QWidget* parent = nullptr);
    ~BufferingChart() override;

    void setPoints(const buffering::BufferedData& data);
    void setMark(const std::optional<buffering::BufferedPoint>& mark);
    void setAxes(const waveform::AxisSpan& time, const waveform::AxisSpan& value);
    void setTitles(const QString& bottom, const QString& left);
    void setCursors(const waveform::CursorPositions& at, bool valueCursors, bool timeCursors);
    // Draws now (the cursors' scale follows the drawing).
    void redraw();

    waveform::PlotArea plotArea() const;
    int pointCount() const;
    waveform::AxisSpan timeAxis() const;
    waveform::AxisSpan valueAxis() const;

Q_SIGNALS:
    void drawn(const waveform::PlotArea& area);
    // The user zoomed (wheel) or panned (drag) to these ranges.
    void zoomed(const waveform::AxisSpan& time, const waveform::AxisSpan& value);
    void panned(const waveform::AxisSpan& time, const waveform::AxisSpan& value);

private:
    struct Impl;
    Impl* d_;
};

} // namespace tavimo::ui
