#include "cli/settings_files.h"

#include "files/settings_file.h"
#include "shell/failure_codes.h"

#include <iostream>

namespace tavimo::cli {

namespace {

bool fileOk(files::FileError e, const std::string& path, const std::string& detail, TerminalOperator& op)
{
    if (e == files::FileError::None) return true;
    shell::reportFailure(op, shell::FailureContext::Operation, files::errorCode(e));
    std::cerr << "(" << path << (detail.empty() ? "" : ": " + detail) << ")\n";
    return false;
}

} // namespace

bool loadModel(const std::string& path, settings::SettingsModel& model, TerminalOperator& op)
{
    std::string detail;
    return fileOk(files::loadSettingsFile(path, model, &detail), path, detail, op);
}

bool saveModel(const std::string& path, const settings::SettingsModel& model, TerminalOperator& op)
{
    std::string detail;
    return fileOk(files::saveSettingsFile(path, model, &detail), path, detail, op);
}

} // namespace tavimo::cli
