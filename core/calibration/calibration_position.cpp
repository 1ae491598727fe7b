#include "calibration/calibration_position.h"

#include "files/app_config.h"
#include "files/ini_values.h"

namespace tavimo::calibration {

CalibrationPosition readCalibrationPosition(const files::IniDocument& doc)
{
    CalibrationPosition p;
    p.FORM_TOP = files::readInteger(doc, kCalibrationSection, "FORM_TOP", 0);
    p.FORM_LEFT = files::readInteger(doc, kCalibrationSection, "FORM_LEFT", 0);
    return p;
}

void writeCalibrationPosition(files::IniDocument& doc, const CalibrationPosition& p)
{
    files::writeInteger(doc, kCalibrationSection, "FORM_TOP", p.FORM_TOP);
    files::writeInteger(doc, kCalibrationSection, "FORM_LEFT", p.FORM_LEFT);
}

CalibrationPosition loadCalibrationPosition(const std::filesystem::path& path)
{
    return readCalibrationPosition(files::readAppConfigDocument(path));
}

files::FileError saveCalibrationPosition(const std::filesystem::path& path, const CalibrationPosition& position,
                                         std::string* detail)
{
    return files::updateAppConfig(
        path, [&](files::IniDocument& doc) { writeCalibrationPosition(doc, position); }, detail);
}

} // namespace tavimo::calibration
