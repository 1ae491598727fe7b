// The catalog's file-dialog filter ("description|pattern|...") as the name
// filters of a Qt file dialog.
#pragma once

#include <QString>
#include <QStringList>

namespace tavimo::ui {

inline QStringList nameFilters(const QString& filter)
{
    QStringList out;
    const QStringList parts = filter.split('|');
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        const QString pattern = parts[i + 1].trimmed();
        if (!description.contains('(')) description += QStringLiteral(" (") + pattern + ')';
        out << description;
    }
    return out;
}

} // namespace tavimo::ui
