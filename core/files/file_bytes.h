// Reading a whole file into memory, refusing anything that is not a regular
// file or is larger than the caller's limit (so a wrong pick in a file
// dialog, a FIFO or a huge file never hangs or exhausts the program).
#pragma once

#include "files/file_error.h"

#include <cstddef>
#include <filesystem>
#include <string>

namespace tavimo::files {

// Limit for the INI-format files of the program: a full settings file is
// about 40 KB.
inline constexpr std::size_t kMaxIniFileBytes = 4u << 20;

// CannotOpen when the file does not exist or cannot be opened, CannotRead
// when it is not a regular file, exceeds maxBytes or a read fails. `detail`
// receives the system's reason when given.
FileError readFileBytes(const std::filesystem::path& path, std::size_t maxBytes, std::string& out,
                        std::string* detail = nullptr);

} // namespace tavimo::files
