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

} // namespace tavimo::testkit
