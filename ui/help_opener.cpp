#include "ui/help_opener.h"

#include "ui/qt_text.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace tavimo::ui {

HelpOpener::HelpOpener(QString path, std::function<bool(const QString&)> opener)
    : path_(std::move(path)), opener_(std::move(opener))
{
    if (!opener_) opener_ = [](const QString& file) { return QDesktopServices::openUrl(QUrl::fromLocalFile(file)); };
}

bool HelpOpener::showContents(const std::function<void(const QString&)>& message) const
{
    if (QFileInfo(path_).isFile() && opener_(path_)) return true;
    if (message) message(msgText(shell::Msg::HelpUnavailable));
    return false;
}

QString HelpOpener::helpFilePath(const QString& programFolder, const QString& fileName)
{
    const QString beside = QDir(programFolder).filePath(fileName);
    if (QFileInfo::exists(beside)) return beside;
    const QString shared = QDir(programFolder).filePath(QStringLiteral("../share/tavimo/") + fileName);
    if (QFileInfo::exists(shared)) return QDir::cleanPath(shared);
    return beside;
}

} // namespace tavimo::ui
