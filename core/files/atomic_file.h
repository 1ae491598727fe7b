// Saving a file so that a crash, a full disk or a read-only folder never
// leaves a half-written file and never loses the previous one: the bytes go
// to a temporary file in the target's folder, which is flushed to disk; the
// old file is kept as ".BAK" (the path with its extension replaced, an older
// backup replaced); then the temporary file is renamed over the target.
// Every file writer of the program uses this.
#pragma once

#include "files/file_error.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace tavimo::files {

// The backup name of a file: its extension replaced by ".BAK".
std::filesystem::path backupPathFor(const std::filesystem::path& path);

// Whether the path itself ends in .BAK (any letter case): such a file is
// saved without a backup, which would otherwise be the file itself.
bool isBackupPath(const std::filesystem::path& path);

// Writes `bytes` to `path` as described above. With `backup` false, or when
// the target does not exist yet, no .BAK is made. On failure the old file is
// left as it was and no temporary file remains; `error` receives a reason
// for logs and `kind` which step failed (CannotCreate, CannotWrite,
// CannotBackup).
bool saveFileAtomically(const std::filesystem::path& path, std::string_view bytes, bool backup,
                        std::string* error = nullptr, FileError* kind = nullptr);

// The same with the failure as the result (None on success).
FileError saveFile(const std::filesystem::path& path, std::string_view bytes, bool backup,
                   std::string* error = nullptr);

} // namespace tavimo::files
