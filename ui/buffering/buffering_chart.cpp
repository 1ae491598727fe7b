#include "ui/buffering/buffering_chart.h"

// Placeholder drawing until the shared chart widget is in use.
namespace tavimo::ui {

struct BufferingChart::Impl {
    int points = 0;
    waveform::AxisSpan time, value;
};

BufferingChart::BufferingChart(QWidget* parent) : QWidget(parent), d_(new Impl) {}
BufferingChart::~BufferingChart() { delete d_; }
void BufferingChart::setPoints(const buffering::BufferedData& data) { d_->points = static_cast<int>(data.size()); }
void BufferingChart::setMark(const std::optional<buffering::BufferedPoint>&) {}
void BufferingChart::setAxes(const waveform::AxisSpan& time, const waveform::AxisSpan& value)
{
    d_->time = time;
    d_->value = value;
}
void BufferingChart::setTitles(const QString&, const QString&) {}
void BufferingChart::setCursors(const waveform::CursorPositions&, bool, bool) {}
void BufferingChart::redraw() { Q_EMIT drawn(plotArea()); }
waveform::PlotArea BufferingChart::plotArea() const { return {50, 10, std::max(0, width() - 60), std::max(0, height() - 50)}; }
int BufferingChart::pointCount() const { return d_->points; }
waveform::AxisSpan BufferingChart::timeAxis() const { return d_->time; }
waveform::AxisSpan BufferingChart::valueAxis() const { return d_->value; }

} // namespace tavimo::ui
