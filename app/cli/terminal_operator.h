// The Operator of tavimo-cli: messages on stderr, questions answered by the
// command's options (or asked on the terminal when stdin is one), a progress
// bar on stderr when stderr is a terminal.
#pragma once

#include "shell/msg.h"
#include "shell/operator.h"

#include <functional>
#include <optional>
#include <string>

namespace tavimo::cli {

class TerminalOperator : public shell::Operator {
public:
    // Answers a question without asking; nothing: ask (or take the default).
    using AnswerPolicy = std::function<std::optional<shell::Answer>(const std::string& question)>;

    TerminalOperator();

    void setPolicy(AnswerPolicy policy) { policy_ = std::move(policy); }

    void showMessage(const std::string& text) override;
    // Without a policy's answer and without a terminal: No.
    bool askYesNo(const std::string& text) override;
    // Without a policy's answer and without a terminal: Cancel.
    shell::Answer askYesNoCancel(const std::string& text) override;
    void progressBegin(int max) override;
    void progressSet(int value) override;
    void progressEnd() override;
    void setBusy(bool) override {}
    void requestTermination() override { terminated_ = true; }

    // An operation asked for the end of the program: the tool exits with
    // a failure status after cleaning up.
    bool terminated() const { return terminated_; }

private:
    std::optional<shell::Answer> ask(const std::string& text, bool withCancel);
    void clearBar();
    void drawBar();

    AnswerPolicy policy_;
    bool barEnabled_;
    bool barShown_ = false;
    int max_ = 0;
    int value_ = 0;
    bool terminated_ = false;
};

// True when `question` holds the catalog text `part` (questions are the
// catalog's texts with an "ID n" line in front).
bool questionIs(const std::string& question, shell::Msg part);

// Every catalog text of tavimo-cli is English.
void useCliLanguage();

} // namespace tavimo::cli
