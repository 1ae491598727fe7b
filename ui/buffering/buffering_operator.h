// The Operator of the buffering screen: messages, questions and the wait
// cursor go to the windows' GuiOperator; the progress of a readout goes to
// TForm23 with its Cancel button, whose click is seen when the bar stands at
// a multiple of 100 (every fifth block of 160 points) and at its end.
// Every other progress goes to the plain progress window. Its questions
// have No preselected.
#pragma once

#include "shell/operator.h"

#include <QPointer>

#include <memory>

class QWidget;

namespace tavimo::ui {

class GuiOperator;
class TForm23;

class BufferingOperator : public shell::Operator {
public:
    BufferingOperator(GuiOperator& base, QWidget* owner);
    ~BufferingOperator() override;

    // While set, the next progress window is TForm23 with Cancel.
    void setCancellable(bool on) { cancellable_ = on; }
    // The open TForm23 (tests press its Cancel button).
    TForm23* cancelWindow() const { return cancel_.get(); }

    void showMessage(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    shell::Answer askYesNoCancel(const std::string& text) override;
    void progressBegin(int max) override;
    void progressSet(int value) override;
    void progressEnd() override;
    bool cancelRequested() override;
    void setBusy(bool busy) override;
    void requestTermination() override;

private:
    GuiOperator& base_;
    QPointer<QWidget> owner_;
    bool cancellable_ = false;
    int depth_ = 0; // progress windows open; the cancel window is the outermost one
    std::unique_ptr<TForm23> cancel_;
};

} // namespace tavimo::ui
