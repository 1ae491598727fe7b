// Tavimo: the window program. Start-up in order: the single-instance lock,
// the application object with the C number format, the splash, the help
// file of the configured language, the optional demo line, the main window
// (which loads the configuration), the event loop.
#include "demo_line.h"
#include "startup.h"
#include "tavimo_application.h"

#include "shell/catalog.h"
#include "shell/language.h"
#include "ui/gui_operator.h"
#include "ui/help_opener.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/register_screens.h"
#include "ui/splash.h"
#include "ui/tavimo_mark.h"
#include "window/instance_lock.h"
#include "window/session.h"

#include <QLocale>
#include <QMessageBox>

#include <clocale>
#include <filesystem>

using namespace tavimo;

int main(int argc, char** argv)
{
    const bool demo = gui::hasOption(argc, argv, "--demo");
    const std::filesystem::path configPath = gui::configPathFor(argv[0]);

    window::InstanceLock lock;
    const window::LockResult locked = lock.acquire(window::instanceLockPath(configPath));
    if (locked == window::LockResult::Failed) return -1;

    gui::TavimoApplication app(argc, argv);
    // Qt set the user's locale; every number the program reads or writes
    // uses "." whatever the regional settings.
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
    QApplication::setApplicationName(ui::qs(shell::kMessageCaption));
    QApplication::setWindowIcon(ui::tavimoIcon());

    if (locked == window::LockResult::HeldByOther) {
        QMessageBox::information(nullptr, ui::qs(shell::kMessageCaption), gui::secondInstanceMessage(configPath));
        return -1;
    }

    try {
        (new ui::Tsplash)->showNow(); // closes and deletes itself

        const shell::Language language = gui::configuredLanguage(configPath);
        ui::HelpOpener help(ui::HelpOpener::helpFilePath(QCoreApplication::applicationDirPath(),
                                                         ui::qs(shell::helpFileName(language))));

        gui::DemoLine demoLine;
        if (demo && !demoLine.start())
            QMessageBox::warning(nullptr, ui::qs(shell::kMessageCaption),
                                 QStringLiteral("The demo line could not be started (no pseudo-terminal)."));
        window::SessionOptions options;
        options.configPath = configPath;
        options.firstPort = demoLine.portPath();
        window::Session session(options);
        ui::registerScreens();
        ui::GuiOperator op;
        ui::TForm1 main(session, op, help, {demo && !demoLine.portPath().empty()});
        app.setFatalHandler([&main] { main.fatalExit(); });
        main.show();
        app.exec();
        app.setFatalHandler({});
    } catch (...) {
        gui::TavimoApplication::showUnknownError();
    }
    return 0;
}
