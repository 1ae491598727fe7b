#include "ui/chart/chart_layers.h"

namespace tavimo::ui {

ChartLayer::ChartLayer(QCustomPlot* chart, const QString& layer, Paint paint)
    : QCPLayerable(chart, layer), chart_(chart), paint_(std::move(paint))
{
}

void ChartLayer::applyDefaultAntialiasingHint(QCPPainter* painter) const { painter->setAntialiasing(false); }

QRect ChartLayer::clipRect() const { return chart_->axisRect()->rect(); }

void ChartLayer::draw(QCPPainter* painter)
{
    const QRect area = clipRect();
    if (area.width() > 0 && area.height() > 0) paint_(painter, area);
}

} // namespace tavimo::ui
