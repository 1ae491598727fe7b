#include "ui/window_placement.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace tavimo::ui {

namespace {

bool onSomeScreen(const QPoint& p)
{
    for (const QScreen* s : QGuiApplication::screens())
        if (s->availableGeometry().contains(p)) return true;
    return false;
}

} // namespace

void placeScreenWindow(QWidget& window, const QWidget& main, int left, int top)
{
    const QPoint remembered(left, top);
    if (!remembered.isNull() && onSomeScreen(remembered)) {
        window.move(remembered);
        return;
    }
    const QScreen* screen = main.screen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const QRect beside = main.frameGeometry();
    // The window's frame is not known before it is shown; its size is.
    const QSize size = window.isVisible() ? window.frameGeometry().size() : window.size();
    const QPoint right(beside.right() + 1, beside.top());
    const QPoint below(beside.left(), beside.bottom() + 1);
    // The main window opens at the top left; the far corner hides least of it.
    const QPoint corner(area.right() + 1 - size.width(), area.bottom() + 1 - size.height());
    for (const QPoint& p : {right, below, corner}) {
        if (area.contains(QRect(p, size))) {
            window.move(p);
            return;
        }
    }
}

} // namespace tavimo::ui
