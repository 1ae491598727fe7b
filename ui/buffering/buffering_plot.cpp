#include "ui/buffering/buffering_plot.h"

#include "ui/chart/chart_view.h"

namespace tavimo::ui {

namespace {

// The points as the chart reads them (.x, .y), without a copy.
class ChartPoints {
public:
    struct XY {
        double x;
        double y;
    };
    explicit ChartPoints(const std::vector<buffering::BufferedPoint>& p) : p_(p) {}
    std::size_t size() const { return p_.size(); }
    XY operator[](std::size_t i) const { return {p_[i].position, p_[i].value}; }

private:
    const std::vector<buffering::BufferedPoint>& p_;
};

// The chart's label format "###0.###": at most three decimals, no trailing zeros.
QString labelText(double value)
{
    QString t = QString::number(value, 'f', 3);
    while (t.endsWith('0')) t.chop(1);
    if (t.endsWith('.')) t.chop(1);
    return t == QLatin1String("-0") ? QStringLiteral("0") : t;
}

} // namespace

BufferingPlot::BufferingPlot(ChartView& view, const QString& valuesTitle, const QString& markTitle) : view_(view)
{
    values_ = view_.addSeries("Series1", valuesTitle, Qt::red);
    mark_ = view_.addSeries("Series6", markTitle, Qt::white);
    if (QCPGraph* g = view_.series(mark_)) {
        g->setLineStyle(QCPGraph::lsNone);
        g->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, Qt::white, Qt::white, 5));
    }
    label_ = new QCPItemText(&view_);
    label_->setColor(Qt::white);
    label_->setPositionAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    label_->setPadding(QMargins(2, 2, 2, 6));
    label_->setClipToAxisRect(true);
    label_->setVisible(false);
}

void BufferingPlot::showPoints(const buffering::BufferedData& data)
{
    view_.showPoints(values_, ChartPoints(data.points()));
    showMark(data.mark());
}

void BufferingPlot::showMark(const std::optional<buffering::BufferedPoint>& mark)
{
    std::vector<buffering::BufferedPoint> one;
    if (mark) one.push_back(*mark);
    view_.showPoints(mark_, ChartPoints(one));
    label_->setVisible(mark.has_value());
    if (mark) {
        label_->position->setCoords(mark->position, mark->value);
        label_->setText(labelText(mark->value));
    }
}

int BufferingPlot::pointCount() const { return view_.pointCount(values_); }

bool BufferingPlot::markShown() const { return view_.pointCount(mark_) == 1; }

} // namespace tavimo::ui
