// The buffered points the screen shows: the chart's measured-value series
// (position, value) in the order received, and the grid built from them
// (row 0 the header; row r the point number r and its value "0.0000").
// The data keeps its own rate, so a save writes the rate of the points
// shown even when the shared record could not be updated.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tavimo::buffering {

struct BufferedPoint {
    double position = 0; // ms, or the point number with a hold mode
    double value = 0;
    bool operator==(const BufferedPoint&) const = default;
};

class BufferedData {
public:
    void clear();
    void reserve(std::size_t n);
    void append(double position, double value) { points_.push_back({position, value}); }

    std::size_t size() const { return points_.size(); }
    bool empty() const { return points_.empty(); }
    const BufferedPoint& operator[](std::size_t i) const { return points_[i]; }
    const std::vector<BufferedPoint>& points() const { return points_; }

    int rate() const { return rate_; }
    void setRate(int rate) { rate_ = rate; }

    // Grid rows: the header and one per point; a cleared grid keeps the
    // header and one empty row.
    std::size_t gridRowCount() const { return points_.empty() ? 2 : points_.size() + 1; }
    // Column 0 "Line number" / the point number, column 1 "Measured value" /
    // the value with four decimals; empty outside the data.
    std::string gridCell(std::size_t row, int column) const;

    // The mark series: one point, the grid row last selected.
    const std::optional<BufferedPoint>& mark() const { return mark_; }
    void setMark(std::optional<BufferedPoint> mark) { mark_ = mark; }

private:
    std::vector<BufferedPoint> points_;
    std::optional<BufferedPoint> mark_;
    int rate_ = 1;
};

// The value text of the grid and the files: four decimals, "." always.
std::string valueText(double value);

} // namespace tavimo::buffering
