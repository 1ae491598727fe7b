// The buffering screen in the main window's screen switch, and the
// buffering record the screens share: one per main window, living as long
// as it, so the run settings survive closing and reopening the screen.
#include "ui/buffering/buffering_window.h"

#include "ui/main_window.h"
#include "window/screen_switch.h"

#include <memory>

namespace tavimo::ui {

namespace {

class RecordHolder : public QObject {
public:
    explicit RecordHolder(TForm1& main) : QObject(&main), record(main.session().shared)
    {
        setObjectName("BufferingRecord");
    }
    buffering::BufferingRecord record;
};

buffering::BufferingRecord& recordOf(TForm1& main)
{
    // Only this file makes an object of that name.
    QObject* found = main.findChild<QObject*>(QStringLiteral("BufferingRecord"), Qt::FindDirectChildrenOnly);
    auto* holder = found ? static_cast<RecordHolder*>(found) : new RecordHolder(main);
    return holder->record;
}

} // namespace

void registerBufferingScreen()
{
    registerScreen(window::kScreenBuffering, [](TForm1& main) -> QWidget* {
        return new TForm4(main, recordOf(main));
    });
}

} // namespace tavimo::ui
