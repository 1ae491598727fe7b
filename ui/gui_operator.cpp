#include "ui/gui_operator.h"

#include "shell/language.h"
#include "ui/progress_dialog.h"
#include "ui/qt_text.h"

#include <QApplication>
#include <QMessageBox>

namespace tavimo::ui {

GuiOperator::GuiOperator(QWidget* owner) : owner_(owner) {}

GuiOperator::~GuiOperator()
{
    while (busy_ > 0) setBusy(false);
}

std::optional<shell::Answer> GuiOperator::showBox(QuestionKind kind, const QString& text)
{
    if (terminated_ && kind == QuestionKind::Message) return std::nullopt;
    if (hook_) return hook_(kind, text);
    // The normal arrow while the box waits for the user.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const QString caption = qs(shell::kMessageCaption);
    std::optional<shell::Answer> answer;
    switch (kind) {
    case QuestionKind::Message:
        QMessageBox::information(owner_, caption, text);
        break;
    case QuestionKind::YesNo:
    case QuestionKind::YesNoDefaultNo: {
        const auto preselected = kind == QuestionKind::YesNoDefaultNo ? QMessageBox::No : QMessageBox::NoButton;
        answer = QMessageBox::question(owner_, caption, text, QMessageBox::Yes | QMessageBox::No, preselected) ==
                         QMessageBox::Yes
                     ? shell::Answer::Yes
                     : shell::Answer::No;
        break;
    }
    case QuestionKind::YesNoCancel: {
        const auto b = QMessageBox::question(owner_, caption, text,
                                             QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        answer = b == QMessageBox::Yes ? shell::Answer::Yes : b == QMessageBox::No ? shell::Answer::No
                                                                                   : shell::Answer::Cancel;
        break;
    }
    }
    QApplication::restoreOverrideCursor();
    return answer;
}

void GuiOperator::message(const QString& text) { showBox(QuestionKind::Message, text); }

bool GuiOperator::ask(const QString& text) { return showBox(QuestionKind::YesNo, text) == shell::Answer::Yes; }

bool GuiOperator::askDefaultNo(const QString& text)
{
    return !terminated_ && showBox(QuestionKind::YesNoDefaultNo, text) == shell::Answer::Yes;
}

void GuiOperator::showMessage(const std::string& text) { message(qs(text)); }

bool GuiOperator::askYesNo(const std::string& text) { return !terminated_ && ask(qs(text)); }

bool GuiOperator::askYesNoDefaultNo(const std::string& text) { return askDefaultNo(qs(text)); }

shell::Answer GuiOperator::askYesNoCancel(const std::string& text)
{
    if (terminated_) return shell::Answer::Cancel;
    return showBox(QuestionKind::YesNoCancel, qs(text)).value_or(shell::Answer::Cancel);
}

void GuiOperator::progressBegin(int max)
{
    auto dialog = std::make_unique<TForm20>(owner_);
    dialog->setRange(0, max);
    dialog->showNow();
    progress_.push_back(std::move(dialog));
}

void GuiOperator::progressSet(int value)
{
    if (!progress_.empty()) progress_.back()->setPosition(value);
}

void GuiOperator::progressEnd()
{
    if (!progress_.empty()) progress_.pop_back();
}

void GuiOperator::setBusy(bool busy)
{
    if (busy) {
        ++busy_;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (busy_ > 0) {
        --busy_;
        QApplication::restoreOverrideCursor();
    }
}

void GuiOperator::requestTermination()
{
    if (terminated_) return;
    terminated_ = true;
    if (onTerminate_) onTerminate_();
}

void GuiOperator::showLinkMessage(link::LinkMessage m)
{
    message(msgText(m == link::LinkMessage::AlarmNotCleared ? shell::Msg::AlarmCannotRemove
                                                            : shell::Msg::ProgramError));
}

} // namespace tavimo::ui
