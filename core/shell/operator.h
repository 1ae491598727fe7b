// What a core operation needs from the person in front of the program: a
// message, a question, a progress display, the wait cursor. The window
// implements it with dialogs, the command-line tool with options and the
// terminal, tests with a scripted list of answers.
#pragma once

#include <string>

namespace tavimo::shell {

enum class Answer { Yes, No, Cancel };

class Operator {
public:
    virtual ~Operator() = default;

    // A message box captioned "Tavimo".
    virtual void showMessage(const std::string& text) = 0;
    virtual bool askYesNo(const std::string& text) = 0;
    // The same question with No as the preselected answer (one whose Yes
    // changes what the controllers do).
    virtual bool askYesNoDefaultNo(const std::string& text) { return askYesNo(text); }
    virtual Answer askYesNoCancel(const std::string& text) { return askYesNo(text) ? Answer::Yes : Answer::No; }

    // The progress window: a bar from 0 to `max`.
    virtual void progressBegin(int max) = 0;
    virtual void progressSet(int value) = 0;
    virtual void progressEnd() = 0;
    // True once the user pressed the progress window's cancel button.
    virtual bool cancelRequested() { return false; }

    // The wait cursor.
    virtual void setBusy(bool busy) = 0;

    // Ends the application after a failure it cannot recover from.
    virtual void requestTermination() = 0;
};

// Shows the wait cursor for the lifetime of the object.
class BusyScope {
public:
    explicit BusyScope(Operator& op) : op_(op) { op_.setBusy(true); }
    ~BusyScope() { op_.setBusy(false); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    Operator& op_;
};

// Opens the progress window for the lifetime of the object.
class ProgressScope {
public:
    ProgressScope(Operator& op, int max) : op_(op) { op_.progressBegin(max); }
    ~ProgressScope() { op_.progressEnd(); }
    void set(int value) { op_.progressSet(value); }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

private:
    Operator& op_;
};

} // namespace tavimo::shell
