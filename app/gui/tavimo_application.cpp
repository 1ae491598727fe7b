#include "tavimo_application.h"

#include "shell/catalog.h"
#include "shell/language.h"
#include "ui/qt_text.h"

#include <QMessageBox>

namespace tavimo::gui {

TavimoApplication::TavimoApplication(int& argc, char** argv) : QApplication(argc, argv) {}

void TavimoApplication::showUnknownError()
{
    while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    QMessageBox::critical(nullptr, ui::qs(shell::kMessageCaption), ui::msgText(shell::Msg::UnknownError));
}

bool TavimoApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        if (!failing_) {
            failing_ = true;
            showUnknownError();
            if (onFatal_) onFatal_();
            QCoreApplication::exit(0);
        }
        return false;
    }
}

} // namespace tavimo::gui
