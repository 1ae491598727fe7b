// The application object with the last-resort catch: an exception that
// leaves an event handler is caught here, the cursor is reset and the
// message of the start-up catch is shown, and the program ends through its
// fatal path (worker stopped, nothing saved) instead of an abort.
#pragma once

#include <QApplication>

#include <functional>

namespace tavimo::gui {

class TavimoApplication : public QApplication {
public:
    TavimoApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // What to do after the message (the main window's fatal exit).
    void setFatalHandler(std::function<void()> handler) { onFatal_ = std::move(handler); }
    // The message of the catch (caption "Tavimo"), cursor reset first.
    static void showUnknownError();

private:
    std::function<void()> onFatal_;
    bool failing_ = false;
};

} // namespace tavimo::gui
