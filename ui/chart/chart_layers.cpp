#include "ui/chart/chart_layers.h"

#include "ui/chart/chart_view.h"

namespace tavimo::ui {

ChartBandLayer::ChartBandLayer(ChartView* chart) : QCPLayerable(chart, "main"), chart_(chart) {}

void ChartBandLayer::applyDefaultAntialiasingHint(QCPPainter* painter) const { painter->setAntialiasing(false); }

QRect ChartBandLayer::clipRect() const { return chart_->axisRect()->rect(); }

void ChartBandLayer::draw(QCPPainter* painter)
{
    if (chart_->bands().empty() || !chart_->hasPlotArea()) return;
    QCPAxis* x = chart_->xAxis;
    QCPAxis* y = chart_->yAxis;
    // A band is 0.8 value units high, at least 3 pixels.
    const double unit = std::abs(y->coordToPixel(0.4) - y->coordToPixel(0.0));
    const double half = std::max(1.5, unit);
    const QFontMetrics metrics(painter->font());
    for (const ChartBand& b : chart_->bands()) {
        const double left = x->coordToPixel(b.x0);
        const double right = std::max(left + 1.0, x->coordToPixel(b.x1));
        const double centre = y->coordToPixel(b.y);
        const QRectF r(QPointF(left, centre - half), QPointF(right, centre + half));
        if (!r.intersects(clipRect())) continue;
        painter->fillRect(r, b.colour);
        if (!b.label.isEmpty() && r.width() > metrics.horizontalAdvance(b.label) + 4 && r.height() >= metrics.height() - 2) {
            painter->setPen(Qt::black);
            painter->drawText(r, Qt::AlignCenter, b.label);
        }
    }
}

ChartCursorLayer::ChartCursorLayer(ChartView* chart)
    : QCPLayerable(chart, "cursors"), chart_(chart)
{
}

void ChartCursorLayer::applyDefaultAntialiasingHint(QCPPainter* painter) const { painter->setAntialiasing(false); }

QRect ChartCursorLayer::clipRect() const { return chart_->axisRect()->rect(); }

void ChartCursorLayer::draw(QCPPainter* painter)
{
    if (!chart_->hasPlotArea()) return;
    const QRect area = clipRect();
    const waveform::CursorPositions& c = chart_->cursors();
    QPen solid(Qt::white, 1, Qt::SolidLine);
    QPen dotted(Qt::white, 1, Qt::DotLine);
    if (chart_->valueCursorsShown()) {
        painter->setPen(solid);
        painter->drawLine(QLineF(area.left(), c.L1, area.right(), c.L1));
        painter->setPen(dotted);
        painter->drawLine(QLineF(area.left(), c.L2, area.right(), c.L2));
    }
    if (chart_->timeCursorsShown()) {
        painter->setPen(solid);
        painter->drawLine(QLineF(c.T1, area.top(), c.T1, area.bottom()));
        painter->setPen(dotted);
        painter->drawLine(QLineF(c.T2, area.top(), c.T2, area.bottom()));
    }
}

} // namespace tavimo::ui
