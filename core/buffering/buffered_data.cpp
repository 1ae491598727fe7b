#include "buffering/buffered_data.h"

#include "shell/catalog.h"
#include "waveform/wave_cursors.h"

namespace tavimo::buffering {

void BufferedData::clear()
{
    points_.clear();
    mark_.reset();
}

void BufferedData::reserve(std::size_t n)
{
    points_.reserve(n);
}

std::string valueText(double value)
{
    return waveform::formatFixed(value, 4);
}

std::string BufferedData::gridCell(std::size_t row, int column) const
{
    if (row == 0) {
        const auto& c = shell::Catalog::instance();
        if (column == 0) return c.text(shell::Msg::LineNumber);
        if (column == 1) return c.text(shell::Msg::MeasuredValue);
        return {};
    }
    if (row > points_.size()) return {};
    if (column == 0) return std::to_string(row);
    if (column == 1) return valueText(points_[row - 1].value);
    return {};
}

} // namespace tavimo::buffering
