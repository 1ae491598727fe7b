// Keeps windows disabled with the wait cursor for the length of one long
// operation. Whatever way the operation ends (a failure code, an early
// return, an exception), the destructor restores the cursor, re-enables the
// windows and runs `afterwards` (the enabling rules), in that order.
#pragma once

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <initializer_list>
#include <vector>

namespace tavimo::ui {

class BusyGuard {
public:
    // The wait cursor alone.
    BusyGuard() : BusyGuard(std::initializer_list<QWidget*>{}) {}
    BusyGuard(std::initializer_list<QWidget*> windows, std::function<void()> afterwards = {})
        : afterwards_(std::move(afterwards))
    {
        for (QWidget* w : windows) {
            if (!w || !w->isEnabled()) continue;
            w->setEnabled(false);
            windows_.emplace_back(w);
        }
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~BusyGuard()
    {
        QApplication::restoreOverrideCursor();
        if (afterwards_) afterwards_();
        for (const QPointer<QWidget>& w : windows_)
            if (w) w->setEnabled(true);
    }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

private:
    std::vector<QPointer<QWidget>> windows_;
    std::function<void()> afterwards_;
};

} // namespace tavimo::ui
