// Test doubles for operations: an Operator that records what it was asked to
// show and answers from a list, and a worker control that counts pauses and
// can refuse them.
#pragma once

#include "link/worker_control.h"
#include "shell/operator.h"

#include <deque>
#include <string>
#include <vector>

namespace tavimo::testkit {

struct ScriptedOperator : shell::Operator {
    std::vector<std::string> messages;
    std::deque<bool> answers; // askYesNo answers; empty: yes
    int progressOpen = 0;     // open progress windows
    int busy = 0;             // wait cursors in force
    int terminations = 0;

    void showMessage(const std::string& text) override { messages.push_back(text); }
    bool askYesNo(const std::string& text) override
    {
        messages.push_back(text);
        if (answers.empty()) return true;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    void progressBegin(int) override { ++progressOpen; }
    void progressSet(int) override {}
    void progressEnd() override { --progressOpen; }
    void setBusy(bool on) override { busy += on ? 1 : -1; }
    void requestTermination() override { ++terminations; }
};

struct CountingWorker : link::WorkerControl {
    int pauses = 0;
    int resumes = 0;
    bool refusePause = false;
    bool refuseResume = false;
    bool pauseWorker() override
    {
        ++pauses;
        return !refusePause;
    }
    bool resumeWorker() override
    {
        ++resumes;
        return !refuseResume;
    }
};

} // namespace tavimo::testkit
