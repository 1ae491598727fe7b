// Outcome of a file operation. The numbers are the failure codes the front
// ends map to catalog messages, in one place each.
#pragma once

#include <string_view>

namespace tavimo::files {

enum class FileError {
    None = 0,
    CannotOpen = 200,   // "Can not open a file." (missing or not accessible)
    CannotRead = 202,   // "Can not read from a file." (read failed, too large, not a settings file)
    CannotCreate = 203, // "Can not create a file." (no temporary file in the target folder)
    CannotWrite = 204,  // "Can not write in a file." (write, flush or the final rename failed)
    CannotBackup = 209, // "Can not make backup." (the old file could not be kept as .BAK)
};

inline constexpr int errorCode(FileError e) { return static_cast<int>(e); }

// English text of the failure for logs and the command line; the windows
// take theirs from the catalog.
std::string_view errorText(FileError e);

} // namespace tavimo::files
