// Tsplash, the start-up splash: a borderless 480 x 320 picture, on top and
// centred, that closes itself one second after it was created.
#pragma once

#include <QTimer>
#include <QWidget>

namespace tavimo::ui {

class Tsplash : public QWidget {
    Q_OBJECT
public:
    explicit Tsplash(QWidget* parent = nullptr);
    // Shows and paints at once.
    void showNow();

private:
    QTimer timer_; // Timer1
};

} // namespace tavimo::ui
