#include "waveform/wave_file_error.h"

#include "shell/catalog.h"

namespace tavimo::waveform {

WaveFileError fromFileError(files::FileError e)
{
    switch (e) {
    case files::FileError::None: return WaveFileError::None;
    case files::FileError::CannotOpen: return WaveFileError::CannotOpen;
    case files::FileError::CannotRead: return WaveFileError::CannotRead;
    case files::FileError::CannotCreate: return WaveFileError::CannotCreate;
    case files::FileError::CannotWrite: return WaveFileError::CannotWrite;
    case files::FileError::CannotBackup: return WaveFileError::CannotBackup;
    }
    return WaveFileError::CannotWrite;
}

std::optional<shell::Msg> waveFileMessage(WaveFileError e)
{
    switch (e) {
    case WaveFileError::None: return std::nullopt;
    case WaveFileError::CannotOpen: return shell::Msg::FileOpenFailed;
    case WaveFileError::CannotRead: return shell::Msg::FileReadFailed;
    case WaveFileError::CannotCreate: return shell::Msg::FileCreateFailed;
    case WaveFileError::CannotWrite: return shell::Msg::FileWriteFailed;
    case WaveFileError::CannotBackup: return shell::Msg::BackupFailed;
    }
    return shell::Msg::ProgramError;
}

std::string_view waveFileErrorText(WaveFileError e)
{
    const auto msg = waveFileMessage(e);
    if (!msg) return "done";
    return shell::Catalog::instance().text(*msg, shell::Language::English);
}

} // namespace tavimo::waveform
