#include "ui/buffering/buffering_grid_model.h"

#include "ui/qt_text.h"

namespace tavimo::ui {

BufferingGridModel::BufferingGridModel(const buffering::BufferedData& data, QObject* parent)
    : QAbstractTableModel(parent), data_(data)
{
}

void BufferingGridModel::reload()
{
    beginResetModel();
    endResetModel();
}

int BufferingGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(data_.gridRowCount()) - 1;
}

int BufferingGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

QVariant BufferingGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) return {};
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    return qs(data_.gridCell(static_cast<std::size_t>(index.row()) + 1, index.column()));
}

QVariant BufferingGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    return qs(data_.gridCell(0, section));
}

} // namespace tavimo::ui
