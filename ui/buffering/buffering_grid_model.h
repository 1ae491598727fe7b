// StringGrid1's rows as a table model over the screen's points: the header
// "Line number" / "Measured value", then one row per point (or one empty
// row when there are none). The cells come from buffering::BufferedData, so
// 50000 points cost no widget items.
#pragma once

#include "buffering/buffered_data.h"

#include <QAbstractTableModel>

namespace tavimo::ui {

class BufferingGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit BufferingGridModel(const buffering::BufferedData& data, QObject* parent = nullptr);

    // The data changed: every row again.
    void reload();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const buffering::BufferedData& data_;
};

} // namespace tavimo::ui
