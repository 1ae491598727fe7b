#include "ui/radio_group.h"

#include <QGridLayout>
#include <QRadioButton>

namespace tavimo::ui {

RadioGroup::RadioGroup(const QString& name, int columns, QWidget* parent)
    : QGroupBox(parent), grid_(new QGridLayout(this)), columns_(columns < 1 ? 1 : columns)
{
    setObjectName(name);
    buttons_.setExclusive(true);
    grid_->setContentsMargins(6, 4, 6, 4);
    grid_->setVerticalSpacing(2);
    connect(&buttons_, &QButtonGroup::idClicked, this, &RadioGroup::itemClicked);
}

void RadioGroup::setItems(const QStringList& items)
{
    const int selected = itemIndex();
    for (QAbstractButton* b : buttons_.buttons()) {
        buttons_.removeButton(b);
        delete b;
    }
    const int rows = (static_cast<int>(items.size()) + columns_ - 1) / columns_;
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], this);
        b->setObjectName(objectName() + QString::number(i));
        buttons_.addButton(b, i);
        grid_->addWidget(b, rows > 0 ? i % rows : 0, rows > 0 ? i / rows : 0);
    }
    setItemIndex(selected);
}

QStringList RadioGroup::items() const
{
    QStringList out;
    for (int i = 0; i < buttons_.buttons().size(); ++i) out << buttons_.button(i)->text();
    return out;
}

int RadioGroup::itemIndex() const { return buttons_.checkedId(); }

void RadioGroup::setItemIndex(int index)
{
    if (QAbstractButton* b = buttons_.button(index)) {
        b->setChecked(true);
        return;
    }
    // No exclusive group lets its last button be unchecked directly.
    buttons_.setExclusive(false);
    for (QAbstractButton* b : buttons_.buttons()) b->setChecked(false);
    buttons_.setExclusive(true);
}

} // namespace tavimo::ui
