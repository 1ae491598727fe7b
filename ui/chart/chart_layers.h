// A drawing ChartView adds to QCustomPlot's own on one of its layers,
// clipped to the plot area: the bands (with the series) and the cursor
// lines (a layer of their own above everything, so that moving a cursor
// repaints only it).
#pragma once

#include <qcustomplot.h>

#include <functional>

namespace tavimo::ui {

class ChartLayer : public QCPLayerable {
public:
    using Paint = std::function<void(QCPPainter*, const QRect& plotArea)>;
    ChartLayer(QCustomPlot* chart, const QString& layer, Paint paint);

protected:
    void applyDefaultAntialiasingHint(QCPPainter* painter) const override;
    void draw(QCPPainter* painter) override;
    QRect clipRect() const override;

private:
    QCustomPlot* chart_;
    Paint paint_;
};

} // namespace tavimo::ui
