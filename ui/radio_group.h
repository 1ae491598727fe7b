// A titled group of mutually exclusive radio buttons whose buttons are the
// lines of an item list (the catalog's Items text), laid out in columns.
#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

class QGridLayout;

namespace tavimo::ui {

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit RadioGroup(const QString& name, int columns = 1, QWidget* parent = nullptr);

    // Replaces the buttons; the selected index stays when it still exists.
    void setItems(const QStringList& items);
    QStringList items() const;
    int itemIndex() const; // -1: none selected
    // Selects without raising itemClicked; -1 or an index without a button
    // clears the selection.
    void setItemIndex(int index);

Q_SIGNALS:
    // The user picked an item.
    void itemClicked(int index);

private:
    QButtonGroup buttons_;
    QGridLayout* grid_;
    int columns_;
};

} // namespace tavimo::ui
