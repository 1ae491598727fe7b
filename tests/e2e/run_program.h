// Runs a program and collects its exit status and output.
#pragma once

#include <string>
#include <vector>

namespace tavimo::testkit {

struct ProgramResult {
    int status = -1; // exit status; -1 if it did not exit normally
    std::string out;
    std::string err;
};

ProgramResult runProgram(const std::string& program, const std::vector<std::string>& args);

// A program that prints a line first (tavimo-sim: its pty) and runs until it
// is told to end; the destructor ends it with SIGTERM and waits for it.
class BackgroundProgram {
public:
    BackgroundProgram(const std::string& program, const std::vector<std::string>& args);
    ~BackgroundProgram();
    BackgroundProgram(const BackgroundProgram&) = delete;
    BackgroundProgram& operator=(const BackgroundProgram&) = delete;
    const std::string& firstLine() const { return firstLine_; }

private:
    int pid_ = -1;
    std::string firstLine_;
};

} // namespace tavimo::testkit
