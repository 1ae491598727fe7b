// An Operator for tests: answers questions from a script, records every
// message, question and progress call, and checks that the progress bar
// never runs backwards or past its end.
#pragma once

#include "shell/operator.h"

#include <deque>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tavimo::batchtest {

struct ScriptedOperator : shell::Operator {
    std::deque<shell::Answer> answers; // one per question; when empty: No
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    int progressBegins = 0;
    int progressEnds = 0;
    int progressMax = 0;
    int progressValue = 0;
    int busyDepth = 0;
    int terminations = 0;

    shell::Answer next()
    {
        if (answers.empty()) return shell::Answer::No;
        shell::Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    void showMessage(const std::string& text) override { messages.push_back(text); }
    bool askYesNo(const std::string& text) override
    {
        questions.push_back(text);
        return next() == shell::Answer::Yes;
    }
    shell::Answer askYesNoCancel(const std::string& text) override
    {
        questions.push_back(text);
        return next();
    }
    void progressBegin(int max) override
    {
        ++progressBegins;
        progressMax = max;
        progressValue = 0;
    }
    void progressSet(int value) override
    {
        EXPECT_GE(value, progressValue) << "the progress bar ran backwards";
        EXPECT_LE(value, progressMax) << "the progress bar ran past its end";
        progressValue = value;
    }
    void progressEnd() override { ++progressEnds; }
    void setBusy(bool busy) override { busyDepth += busy ? 1 : -1; }
    void requestTermination() override { ++terminations; }

    // Every progress window closed again, the wait cursor back to normal.
    bool balanced() const { return progressBegins == progressEnds && busyDepth == 0; }
};

} // namespace tavimo::batchtest
