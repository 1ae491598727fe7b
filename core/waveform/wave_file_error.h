// Outcome of loading or saving a waveform file. The numbers are the failure
// codes the front ends map to catalog messages.
#pragma once

#include "files/file_error.h"
#include "shell/msg.h"

#include <optional>
#include <string_view>

namespace tavimo::waveform {

enum class WaveFileError {
    None = 0,
    CannotOpen = 300,   // "Can not open a file."
    CannotRead = 301,   // "Can not read from a file." (also: not a valid measurement-data file)
    CannotCreate = 303, // "Can not create a file."
    CannotWrite = 304,  // "Can not write in a file." (also: nothing to save)
    CannotBackup = 309, // "Can not make backup."
};

inline constexpr int errorCode(WaveFileError e) { return static_cast<int>(e); }

// The failure of the atomic save as a waveform file code.
WaveFileError fromFileError(files::FileError e);

// The catalog message of a failure; nothing for None.
std::optional<shell::Msg> waveFileMessage(WaveFileError e);

// English text for logs and the command line.
std::string_view waveFileErrorText(WaveFileError e);

} // namespace tavimo::waveform
