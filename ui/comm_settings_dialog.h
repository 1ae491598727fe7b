// TForm22, the communication settings: port, speed, parity, stop bits and
// timeout as indexes into their lists. "Set" copies them into the port
// configuration; "Cancel" leaves it unchanged. They take effect the next
// time the port opens.
#pragma once

#include "files/app_config.h"

#include <QDialog>

#include <string>
#include <vector>

class QComboBox;

namespace tavimo::ui {

class TForm22 : public QDialog {
    Q_OBJECT
public:
    TForm22(const std::vector<std::string>& ports, const files::PortConfig& current, QWidget* parent = nullptr);

    // The choices as they stand (the stored values where a list is empty).
    files::PortConfig chosen() const;

private:
    QComboBox* combo(int i) const { return combos_[static_cast<std::size_t>(i)]; }
    std::array<QComboBox*, 5> combos_{};
    files::PortConfig initial_;
};

} // namespace tavimo::ui
