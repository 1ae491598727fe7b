// The windows' file dialogs: the filter and default extension come from the
// catalog texts of a holder object (OpenDialog1, SaveDialog1, ...).
#pragma once

#include <QString>

class QObject;
class QWidget;

namespace tavimo::ui {

struct ChosenFile {
    QString path;        // empty: cancelled
    int filterIndex = 0; // which of the filter's entries was chosen
};

ChosenFile chooseCatalogFile(QWidget* parent, const QObject* holder, const QString& folder, bool save);

} // namespace tavimo::ui
