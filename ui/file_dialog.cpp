#include "ui/file_dialog.h"

#include "shell/screen_keys.h"
#include "ui/file_filters.h"
#include "ui/screen_texts.h"

#include <QFileDialog>

#include <algorithm>

namespace tavimo::ui {

ChosenFile chooseCatalogFile(QWidget* parent, const QObject* holder, const QString& folder, bool save)
{
    QFileDialog dialog(parent, QString(), folder);
    const QStringList filters = nameFilters(screenProperty(holder, shell::property::kFilter));
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(screenProperty(holder, shell::property::kDefaultExt));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return {dialog.selectedFiles().first(), std::max(0, static_cast<int>(filters.indexOf(dialog.selectedNameFilter())))};
}

} // namespace tavimo::ui
