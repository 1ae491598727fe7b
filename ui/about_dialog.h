// TForm21, the about box.
#pragma once

#include <QDialog>

namespace tavimo::ui {

class TForm21 : public QDialog {
    Q_OBJECT
public:
    explicit TForm21(QWidget* parent = nullptr);
};

} // namespace tavimo::ui
