// The help opener: the help file chosen by language at start-up, opened with
// the desktop's handler for its type. A missing file, or a desktop that
// cannot open it, gives the catalog's message; the program goes on.
#pragma once

#include <QString>

#include <functional>

namespace tavimo::ui {

class HelpOpener {
public:
    // `opener` opens a local file and says whether that worked; empty: the
    // desktop's handler.
    explicit HelpOpener(QString path, std::function<bool(const QString&)> opener = {});
    const QString& path() const { return path_; }

    // Shows the table of contents, i.e. opens the file. False (after the
    // message) when it cannot be shown.
    bool showContents(const std::function<void(const QString&)>& message) const;

    // The help file of a language in the program's folder, or in the shared
    // data folder of an installed program (<prefix>/share/tavimo).
    static QString helpFilePath(const QString& programFolder, const QString& fileName);

private:
    QString path_;
    std::function<bool(const QString&)> opener_;
};

} // namespace tavimo::ui
