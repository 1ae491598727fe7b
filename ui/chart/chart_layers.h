// The two drawings ChartView adds to QCustomPlot's own: the bands (drawn
// with the series, clipped to the plot area) and the cursor lines (a layer
// of their own above everything, so moving a cursor repaints only it).
#pragma once

#include <qcustomplot.h>

namespace tavimo::ui {

class ChartView;

class ChartBandLayer : public QCPLayerable {
public:
    explicit ChartBandLayer(ChartView* chart);

protected:
    void applyDefaultAntialiasingHint(QCPPainter* painter) const override;
    void draw(QCPPainter* painter) override;
    QRect clipRect() const override;

private:
    ChartView* chart_;
};

class ChartCursorLayer : public QCPLayerable {
public:
    explicit ChartCursorLayer(ChartView* chart);

protected:
    void applyDefaultAntialiasingHint(QCPPainter* painter) const override;
    void draw(QCPPainter* painter) override;
    QRect clipRect() const override;

private:
    ChartView* chart_;
};

} // namespace tavimo::ui
