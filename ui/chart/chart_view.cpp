#include "ui/chart/chart_view.h"

#include "ui/chart/chart_layers.h"

#include <cmath>

namespace tavimo::ui {

namespace {

constexpr int kGrabPixels = 4;     // how near a cursor line a press grabs it
constexpr double kWheelStep = 0.8; // span factor per wheel notch

void styleAxis(QCPAxis* axis)
{
    const QPen pen(ChartView::axisColour());
    axis->setBasePen(pen);
    axis->setTickPen(pen);
    axis->setSubTickPen(pen);
    axis->setTickLabelColor(ChartView::axisColour());
    axis->setLabelColor(ChartView::axisColour());
    axis->setNumberFormat("g");
    axis->setNumberPrecision(7);
    axis->grid()->setPen(QPen(QColor(64, 64, 64), 1, Qt::DotLine));
    axis->grid()->setZeroLinePen(Qt::NoPen);
}

waveform::AxisSpan scaled(const waveform::AxisSpan& s, double centre, double factor)
{
    return {centre + (s.min - centre) * factor, centre + (s.max - centre) * factor};
}

} // namespace

ChartView::ChartView(QWidget* parent) : QCustomPlot(parent)
{
    setObjectName("Chart1");
    setLocale(QLocale::c()); // "." in the labels whatever the regional settings
    setBackground(Qt::black);
    axisRect()->setBackground(Qt::black);
    setNotAntialiasedElements(QCP::aeAll);
    setNoAntialiasingOnDrag(true);
    setInteractions({});
    setMouseTracking(true);
    for (QCPAxis* a : {xAxis, yAxis, xAxis2, yAxis2}) styleAxis(a);
    // The top and right axes close the frame; the right one carries a title
    // only when a screen gives it one.
    xAxis2->setVisible(true);
    yAxis2->setVisible(true);
    xAxis2->setTickLabels(false);
    yAxis2->setTickLabels(false);
    xAxis2->setTicks(false);
    yAxis2->setTicks(false);
    connect(xAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), xAxis2, qOverload<const QCPRange&>(&QCPAxis::setRange));
    connect(yAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), yAxis2, qOverload<const QCPRange&>(&QCPAxis::setRange));

    legend->setVisible(true);
    legend->setBrush(QBrush(Qt::black));
    legend->setBorderPen(QPen(axisColour()));
    legend->setTextColor(axisColour());
    axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignRight);

    addLayer("cursors", layer("legend"), QCustomPlot::limBelow);
    layer("cursors")->setMode(QCPLayer::lmBuffered);
    bandLayer_ = new ChartBandLayer(this);
    cursorLayer_ = new ChartCursorLayer(this);
    connect(this, &QCustomPlot::afterReplot, this, &ChartView::onDrawn);
}

int ChartView::addSeries(const QString& objectName, const QString& title, const QColor& colour, Qt::PenStyle style)
{
    QCPGraph* g = addGraph();
    g->setObjectName(objectName);
    g->setName(title);
    g->setPen(QPen(colour, 1, style));
    g->setAdaptiveSampling(true);
    return graphCount() - 1;
}

void ChartView::removeAllSeries() { clearGraphs(); }

int ChartView::pointCount(int index) const
{
    const QCPGraph* g = series(index);
    return g ? g->data()->size() : 0;
}

void ChartView::setBands(std::vector<ChartBand> bands) { bands_ = std::move(bands); }

void ChartView::setAxes(const waveform::AxisSpan& time, const waveform::AxisSpan& value)
{
    xAxis->setRange(time.min, time.max);
    yAxis->setRange(value.min, value.max);
}

void ChartView::setAxisTitles(const QString& bottom, const QString& left, const QString& right)
{
    xAxis->setLabel(bottom);
    yAxis->setLabel(left);
    yAxis2->setLabel(right);
}

void ChartView::setCursors(const waveform::CursorPositions& positions, bool valueCursors, bool timeCursors)
{
    const bool changed = !(positions == cursors_) || valueCursors != valueShown_ || timeCursors != timeShown_;
    cursors_ = positions;
    valueShown_ = valueCursors;
    timeShown_ = timeCursors;
    if (changed && hasSize()) layer("cursors")->replot();
}

void ChartView::setCursorDragEnabled(bool value, bool time)
{
    valueDrag_ = value;
    timeDrag_ = time;
}

waveform::PlotArea ChartView::plotArea() const
{
    const QRect r = axisRect()->rect();
    if (!hasSize()) return {};
    return {r.left(), r.top(), std::max(0, r.width()), std::max(0, r.height())};
}

bool ChartView::hasPlotArea() const
{
    const waveform::PlotArea a = plotArea();
    return a.width > 0 && a.height > 0;
}

bool ChartView::hasSize() const { return width() > 0 && height() > 0; }

void ChartView::redraw()
{
    if (hasSize()) replot(QCustomPlot::rpQueuedReplot);
}

void ChartView::redrawNow()
{
    if (hasSize()) replot(QCustomPlot::rpImmediateRefresh);
}

void ChartView::resizeEvent(QResizeEvent* event)
{
    if (hasSize())
        QCustomPlot::resizeEvent(event);
    else
        QWidget::resizeEvent(event); // minimised: nothing to lay out or draw
}

void ChartView::onDrawn()
{
    // An empty or minimised chart gives no scale: nothing is reported.
    if (hasPlotArea()) Q_EMIT drawn(plotArea());
}

int ChartView::cursorPixel(waveform::CursorLine line) const
{
    switch (line) {
    case waveform::CursorLine::L1: return cursors_.L1;
    case waveform::CursorLine::L2: return cursors_.L2;
    case waveform::CursorLine::T1: return cursors_.T1;
    case waveform::CursorLine::T2: return cursors_.T2;
    }
    return 0;
}

bool ChartView::cursorAt(const QPoint& pos, waveform::CursorLine& line) const
{
    if (!hasPlotArea() || !axisRect()->rect().adjusted(-kGrabPixels, -kGrabPixels, kGrabPixels, kGrabPixels).contains(pos))
        return false;
    using waveform::CursorLine;
    int best = kGrabPixels + 1;
    const auto consider = [&](CursorLine l, int distance) {
        if (distance < best) {
            best = distance;
            line = l;
        }
    };
    if (valueDrag_ && valueShown_)
        for (CursorLine l : {CursorLine::L1, CursorLine::L2}) consider(l, std::abs(pos.y() - cursorPixel(l)));
    if (timeDrag_ && timeShown_)
        for (CursorLine l : {CursorLine::T1, CursorLine::T2}) consider(l, std::abs(pos.x() - cursorPixel(l)));
    return best <= kGrabPixels;
}

void ChartView::wheelEvent(QWheelEvent* event)
{
    event->accept();
    const QPointF pos = event->position();
    if (!gestures_ || !hasPlotArea() || !axisRect()->rect().contains(pos.toPoint())) return;
    const double steps = event->angleDelta().y() / 120.0;
    if (steps == 0) return;
    const double factor = std::pow(kWheelStep, steps);
    Q_EMIT zoomRequested(scaled(timeAxis(), xAxis->pixelToCoord(pos.x()), factor),
                         scaled(valueAxis(), yAxis->pixelToCoord(pos.y()), factor));
}

void ChartView::mousePressEvent(QMouseEvent* event)
{
    drag_ = Drag::None;
    const QPoint pos = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !hasPlotArea()) return QCustomPlot::mousePressEvent(event);
    if (cursorAt(pos, dragLine_)) {
        drag_ = Drag::Cursor;
    } else if (gestures_ && axisRect()->rect().contains(pos)) {
        drag_ = Drag::Pan;
        dragStart_ = pos;
        dragTime_ = timeAxis();
        dragValue_ = valueAxis();
        setCursor(Qt::ClosedHandCursor);
    }
    event->accept();
}

void ChartView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (drag_ == Drag::None) {
        waveform::CursorLine line;
        if (cursorAt(pos, line))
            setCursor(line == waveform::CursorLine::L1 || line == waveform::CursorLine::L2 ? Qt::SplitVCursor
                                                                                       : Qt::SplitHCursor);
        else
            unsetCursor();
        return QCustomPlot::mouseMoveEvent(event);
    }
    event->accept();
    if (!hasPlotArea()) return;
    if (drag_ == Drag::Cursor) {
        const bool row = dragLine_ == waveform::CursorLine::L1 || dragLine_ == waveform::CursorLine::L2;
        Q_EMIT cursorDragged(dragLine_, (row ? pos.y() : pos.x()) - 1);
        return;
    }
    const waveform::PlotArea area = plotArea();
    const double dt = (pos.x() - dragStart_.x()) * dragTime_.span() / area.width;
    const double dv = (pos.y() - dragStart_.y()) * dragValue_.span() / area.height;
    Q_EMIT panRequested({dragTime_.min - dt, dragTime_.max - dt}, {dragValue_.min + dv, dragValue_.max + dv});
}

void ChartView::mouseReleaseEvent(QMouseEvent* event)
{
    if (drag_ == Drag::None) return QCustomPlot::mouseReleaseEvent(event);
    drag_ = Drag::None;
    unsetCursor();
    event->accept();
}

} // namespace tavimo::ui
