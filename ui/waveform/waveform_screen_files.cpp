// TForm3's files: loading a measurement-data file (Button3) and saving the
// archive as measurement data or CSV (Button4), through file dialogs set up
// from the catalog's Filter and DefaultExt.
#include "ui/waveform/waveform_screen.h"

#include "shell/catalog.h"
#include "shell/screen_keys.h"
#include "ui/busy_guard.h"
#include "ui/gui_operator.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/screen_texts.h"
#include "waveform/tmd_file.h"
#include "waveform/wave_csv.h"
#include "window/dialog_rules.h"

#include <QFileInfo>

namespace tavimo::ui {

namespace {

QString folderOf(const QString& path) { return QFileInfo(path).absolutePath(); }

} // namespace

ChosenFile TForm3::chooseFile(WaveDialog kind, const QString& folder)
{
    if (chooser_) return chooser_(kind, folder);
    const bool save = kind == WaveDialog::Save;
    return chooseCatalogFile(this, findChild<QObject*>(save ? QStringLiteral("SaveDialog1") : QStringLiteral("OpenDialog1")),
                             folder, save);
}

void TForm3::Button3Click()
{
    guarded([this] {
        const ChosenFile chosen = chooseFile(WaveDialog::Load, openFolder_);
        if (chosen.path.isEmpty()) return;
        openFolder_ = folderOf(chosen.path);
        waveform::WaveFileError error;
        {
            BusyGuard busy({this});
            // A file that does not load completely leaves the shown capture.
            error = acq_.loadFile(chosen.path.toStdString());
        }
        if (const auto m = waveform::waveFileMessage(error)) return main_.op().message(msgText(*m));
        render();
    });
}

void TForm3::Button4Click()
{
    guarded([this] {
        if (acq_.archive().empty()) return;
        const ChosenFile chosen = chooseFile(WaveDialog::Save, saveFolder_);
        if (chosen.path.isEmpty()) return;
        saveFolder_ = folderOf(chosen.path);
        const std::filesystem::path path = chosen.path.toStdString();
        waveform::WaveFileError error;
        {
            BusyGuard busy({this});
            // The format follows the filter chosen, not the file name.
            if (chosen.filterIndex == 1) {
                const window::CsvChoice csv = window::configuredCsvChoice(main_.session().config.environment);
                error = waveform::saveWaveCsv(path, acq_.archive(), shell::Catalog::instance().language(),
                                              {csv.separator, csv.decimal});
            } else {
                error = waveform::saveTmdFile(path, acq_.archive());
            }
        }
        if (const auto m = waveform::waveFileMessage(error)) main_.op().message(msgText(*m));
    });
}

} // namespace tavimo::ui
