// ChartView: the chart of the waveform and buffering screens. A QCustomPlot
// with the screens' look (black background, yellow axes, frame and labels),
// line series filled from the core's point lists, horizontal bands (the
// judgement bars), the two cursor pairs drawn over the plot, and the mouse
// gestures: wheel zoom, left-drag pan, and dragging a shown cursor line.
//
// The chart decides nothing: zoom and pan are reported as the axes they
// would give (zoomRequested, panRequested) and the screen answers with the
// axes its core allows (setAxes); a cursor drag is reported as the scroll
// position it stands for (cursorDragged) and the screen shows the core's
// positions back (setCursors). After every drawing with a usable plot area
// `drawn` reports that area; a chart without size (empty or minimised)
// reports nothing and ignores gestures, so no cursor arithmetic runs on it.
#pragma once

#include "waveform/wave_axes.h"
#include "waveform/wave_cursors.h"

#include <QColor>
#include <QPointer>
#include <qcustomplot.h>

#include <vector>

namespace tavimo::ui {

class ChartBandLayer;
class ChartCursorLayer;

// A horizontal bar from x0 to x1 centred on row y, labelled.
struct ChartBand {
    double x0 = 0;
    double x1 = 0;
    double y = 0;
    QString label;
    QColor colour;
};

class ChartView : public QCustomPlot {
    Q_OBJECT
public:
    explicit ChartView(QWidget* parent = nullptr);

    // A line series; its objectName keys the catalog's Title entry, its
    // name is the legend text. Returns its index.
    int addSeries(const QString& objectName, const QString& title, const QColor& colour,
                  Qt::PenStyle style = Qt::SolidLine);
    void removeAllSeries();
    int seriesCount() const { return graphCount(); }
    QCPGraph* series(int index) const { return index >= 0 && index < graphCount() ? graph(index) : nullptr; }
    int pointCount(int index) const;

    // Shows `points` (anything with .x and .y, in non-decreasing x) in a
    // series. A list that continues what the series holds only adds its new
    // tail, so a growing capture is not copied again on every tick.
    template <class Points>
    void showPoints(int index, const Points& points);

    void setBands(std::vector<ChartBand> bands);
    const std::vector<ChartBand>& bands() const { return bands_; }

    void setAxes(const waveform::AxisSpan& time, const waveform::AxisSpan& value);
    waveform::AxisSpan timeAxis() const { return {xAxis->range().lower, xAxis->range().upper}; }
    waveform::AxisSpan valueAxis() const { return {yAxis->range().lower, yAxis->range().upper}; }
    // Axis titles; an empty right title hides the right axis.
    void setAxisTitles(const QString& bottom, const QString& left, const QString& right = {});

    // The cursors to draw (chart pixels) and which pairs are shown; only the
    // cursor layer is repainted.
    void setCursors(const waveform::CursorPositions& positions, bool valueCursors, bool timeCursors);
    const waveform::CursorPositions& cursors() const { return cursors_; }
    bool valueCursorsShown() const { return valueShown_; }
    bool timeCursorsShown() const { return timeShown_; }

    // The plot area in chart pixels; no size while the chart has none.
    waveform::PlotArea plotArea() const;
    bool hasPlotArea() const;

    // Zoom and pan gestures on or off; cursor dragging follows the shown
    // pairs while enabled.
    void setGesturesEnabled(bool on) { gestures_ = on; }
    bool gesturesEnabled() const { return gestures_; }
    void setCursorDragEnabled(bool value, bool time);

    // A drawing soon (coalesced), or at once; none while the chart has no size.
    void redraw();
    void redrawNow();

    // Series colours and styles shared by the screens.
    static QColor axisColour() { return Qt::yellow; }

Q_SIGNALS:
    void drawn(const tavimo::waveform::PlotArea& area);
    void zoomRequested(const tavimo::waveform::AxisSpan& time, const tavimo::waveform::AxisSpan& value);
    void panRequested(const tavimo::waveform::AxisSpan& time, const tavimo::waveform::AxisSpan& value);
    // A cursor line dragged: the scroll position its pixel stands for (pixel - 1).
    void cursorDragged(tavimo::waveform::CursorLine line, int scrollPosition);

protected:
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    enum class Drag { None, Pan, Cursor };
    bool hasSize() const;
    void onDrawn();
    bool cursorAt(const QPoint& pos, waveform::CursorLine& line) const;
    int cursorPixel(waveform::CursorLine line) const;

    std::vector<ChartBand> bands_;
    ChartBandLayer* bandLayer_ = nullptr;
    ChartCursorLayer* cursorLayer_ = nullptr;
    waveform::CursorPositions cursors_;
    bool valueShown_ = false;
    bool timeShown_ = false;
    bool valueDrag_ = false;
    bool timeDrag_ = false;
    bool gestures_ = true;
    Drag drag_ = Drag::None;
    waveform::CursorLine dragLine_ = waveform::CursorLine::L1;
    QPoint dragStart_;
    waveform::AxisSpan dragTime_, dragValue_;
};

template <class Points>
void ChartView::showPoints(int index, const Points& points)
{
    QCPGraph* g = series(index);
    if (!g) return;
    const auto data = g->data();
    const int shown = data->size();
    const auto n = static_cast<int>(points.size());
    const auto same = [&](int i) {
        const QCPGraphData& d = *data->at(i);
        return d.key == points[static_cast<std::size_t>(i)].x && d.value == points[static_cast<std::size_t>(i)].y;
    };
    int from = 0;
    if (shown > 0 && n >= shown && same(0) && same(shown - 1))
        from = shown;
    else
        data->clear();
    // One by one: a point whose x equals the last one is appended after it,
    // which keeps the vertical steps of a step line in order.
    for (int i = from; i < n; ++i) {
        const auto& p = points[static_cast<std::size_t>(i)];
        data->add(QCPGraphData(p.x, p.y));
    }
}

} // namespace tavimo::ui
