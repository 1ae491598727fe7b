// What the buffering screen puts on the shared chart: the measured-value
// series (a red line through the points in the order received) and the
// mark of the selected grid row, a point drawn with its value as a label.
#pragma once

#include "buffering/buffered_data.h"

#include <QString>

#include <optional>

class QCPItemText;

namespace tavimo::ui {

class ChartView;

class BufferingPlot {
public:
    // Adds Series1 (titled `valuesTitle`) and Series6 (`markTitle`) to `view`.
    BufferingPlot(ChartView& view, const QString& valuesTitle, const QString& markTitle);

    void showPoints(const buffering::BufferedData& data);
    void showMark(const std::optional<buffering::BufferedPoint>& mark);
    int pointCount() const;
    bool markShown() const;

private:
    ChartView& view_;
    int values_ = -1;
    int mark_ = -1;
    QCPItemText* label_ = nullptr;
};

} // namespace tavimo::ui
