#include "files/settings_file.h"

#include "files/atomic_file.h"
#include "files/file_bytes.h"
#include "files/ini_document.h"
#include "files/settings_sections.h"

namespace tavimo::files {

std::string settingsFileText(const settings::SettingsModel& model)
{
    IniDocument doc;
    writeCalculationSections(doc, model);
    writeControllerSections(doc, model);
    return doc.serialize();
}

FileError loadSettingsFromText(std::string_view bytes, settings::SettingsModel& model)
{
    if (bytes.find('\0') != std::string_view::npos)
        return FileError::CannotRead;
    const IniDocument doc = IniDocument::parse(bytes);
    if (!hasSettingsSection(doc))
        return FileError::CannotRead;
    settings::SettingsModel loaded = model; // keeps VERSION_INDEX
    readSettingsSections(doc, loaded);
    model = std::move(loaded);
    return FileError::None;
}

FileError loadSettingsFile(const std::filesystem::path& path, settings::SettingsModel& model, std::string* detail)
{
    std::string bytes;
    if (const FileError e = readFileBytes(path, kMaxIniFileBytes, bytes, detail); e != FileError::None)
        return e;
    const FileError e = loadSettingsFromText(bytes, model);
    if (e != FileError::None && detail)
        *detail = "not a settings file";
    return e;
}

FileError saveSettingsFile(const std::filesystem::path& path, const settings::SettingsModel& model,
                           std::string* detail)
{
    return saveFile(path, settingsFileText(model), true, detail);
}

} // namespace tavimo::files
