#include "files/file_error.h"

namespace tavimo::files {

std::string_view errorText(FileError e)
{
    switch (e) {
    case FileError::None: return "";
    case FileError::CannotOpen: return "Can not open a file.";
    case FileError::CannotRead: return "Can not read from a file.";
    case FileError::CannotCreate: return "Can not create a file.";
    case FileError::CannotWrite: return "Can not write in a file.";
    case FileError::CannotBackup: return "Can not make backup.";
    }
    return "Error of program operation.";
}

} // namespace tavimo::files
