// The windows' Operator and LinkReporter: message boxes captioned "Tavimo",
// the progress window TForm20, the wait cursor, and the fatal exit. After a
// termination has been requested nothing more is shown: the operations that
// are still unwinding meet failures that only repeat the first one.
#pragma once

#include "link/link_reporter.h"
#include "shell/operator.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace tavimo::ui {

class TForm20;

// YesNoDefaultNo: Yes and No with No preselected.
enum class QuestionKind { Message, YesNo, YesNoCancel, YesNoDefaultNo };

class GuiOperator : public shell::Operator, public link::LinkReporter {
public:
    explicit GuiOperator(QWidget* owner = nullptr);
    ~GuiOperator() override;

    void setOwner(QWidget* owner) { owner_ = owner; }
    // Called once on the first termination request.
    void setTerminationHandler(std::function<void()> handler) { onTerminate_ = std::move(handler); }
    bool terminationRequested() const { return terminated_; }

    // Replaces the message boxes (tests, scripted runs): called with the
    // kind and text, returns the answer (nothing counts as No/OK).
    using MessageHook = std::function<std::optional<shell::Answer>(QuestionKind, const QString&)>;
    void setMessageHook(MessageHook hook) { hook_ = std::move(hook); }

    void showMessage(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    bool askYesNoDefaultNo(const std::string& text) override;
    shell::Answer askYesNoCancel(const std::string& text) override;
    void progressBegin(int max) override;
    void progressSet(int value) override;
    void progressEnd() override;
    void setBusy(bool busy) override;
    void requestTermination() override;
    void showLinkMessage(link::LinkMessage message) override;

    // A message box of the windows themselves, captioned "Tavimo".
    void message(const QString& text);
    bool ask(const QString& text);
    // Yes/No with No preselected (Enter answers No).
    bool askDefaultNo(const QString& text);
    int busyDepth() const { return busy_; }
    int progressDepth() const { return static_cast<int>(progress_.size()); }

private:
    std::optional<shell::Answer> showBox(QuestionKind kind, const QString& text);

    QPointer<QWidget> owner_;
    std::function<void()> onTerminate_;
    MessageHook hook_;
    bool terminated_ = false;
    int busy_ = 0;
    std::vector<std::unique_ptr<TForm20>> progress_;
};

} // namespace tavimo::ui
