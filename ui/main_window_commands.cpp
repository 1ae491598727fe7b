// TForm1's commands: file commands, batch send and receive, controller
// operations, head codes, and the dialogs. Each stores the window first
// where it reads the model, runs the core operation, and shows the result.
#include "ui/main_window.h"

#include "files/settings_file.h"
#include "files/settings_text_export.h"
#include "settings/batch_receive.h"
#include "settings/batch_send.h"
#include "settings/calibration_launch.h"
#include "settings/controller_reset.h"
#include "settings/head_codes.h"
#include "settings/memory_copy.h"
#include "shell/screen_keys.h"
#include "ui/about_dialog.h"
#include "ui/busy_guard.h"
#include "ui/comm_settings_dialog.h"
#include "ui/csv_settings_dialog.h"
#include "ui/file_dialog.h"
#include "ui/gui_operator.h"
#include "ui/help_opener.h"
#include "ui/qt_text.h"
#include "ui/screen_registry.h"
#include "ui/screen_texts.h"
#include "window/dialog_rules.h"
#include "window/precondition_checks.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QTabWidget>

namespace tavimo::ui {

namespace {

constexpr std::array<const char*, settings::kHeadMaterials> kCodeFields{"HIDEdit1", "HIDEdit2", "HIDEdit3"};

struct DialogSetup {
    const char* holder; // the object holding the catalog's filter and extension
    bool save;
};

DialogSetup dialogSetup(FileDialogKind kind)
{
    switch (kind) {
    case FileDialogKind::OpenSettings: return {"OpenDialog", false};
    case FileDialogKind::SaveSettings: return {"SaveDialog", true};
    case FileDialogKind::ExportText: return {"TxtSaveDialog", true};
    }
    return {"OpenDialog", false};
}

} // namespace

settings::OperationContext TForm1::context() { return session_.operationContext(op_); }

QString TForm1::dialogFolder(FileDialogKind kind) const
{
    const files::EnvironmentConfig& e = session_.config.environment;
    switch (kind) {
    case FileDialogKind::OpenSettings: return qs(e.MAIN_OPENFOLDER);
    case FileDialogKind::SaveSettings: return qs(e.MAIN_SAVEFOLDER);
    case FileDialogKind::ExportText: return qs(e.TEXT_SAVEFOLDER);
    }
    return {};
}

void TForm1::keepDialogFolder(FileDialogKind kind, const QString& path)
{
    const std::string folder = utf8(QFileInfo(path).absolutePath());
    files::EnvironmentConfig& e = session_.config.environment;
    switch (kind) {
    case FileDialogKind::OpenSettings: e.MAIN_OPENFOLDER = folder; break;
    case FileDialogKind::SaveSettings: e.MAIN_SAVEFOLDER = folder; break;
    case FileDialogKind::ExportText: e.TEXT_SAVEFOLDER = folder; break;
    }
}

QString TForm1::chooseFile(FileDialogKind kind, const QString& folder)
{
    if (chooser_) return chooser_(kind, folder);
    const DialogSetup setup = dialogSetup(kind);
    return chooseCatalogFile(this, findChild<QObject*>(QString::fromLatin1(setup.holder)), folder, setup.save).path;
}

void TForm1::fileFailure(files::FileError error)
{
    if (const auto m = window::fileErrorMessage(error)) op_.message(msgText(*m));
}

void TForm1::OpenButtonClick()
{
    if (!op_.ask(msgText(shell::Msg::ConfirmFileRead))) return;
    // Cancel in the dialog leaves the window as it is: re-showing the model
    // would drop what was typed since the last store.
    const QString path = chooseFile(FileDialogKind::OpenSettings, dialogFolder(FileDialogKind::OpenSettings));
    if (path.isEmpty()) return;
    files::FileError error;
    {
        BusyGuard busy;
        keepDialogFolder(FileDialogKind::OpenSettings, path);
        error = files::loadSettingsFile(path.toStdString(), session_.model);
    }
    if (error != files::FileError::None) return fileFailure(error); // the model is unchanged
    state_.showLoadedModel();
    render();
}

void TForm1::saveThrough(FileDialogKind kind, const std::function<files::FileError(const std::string&)>& write)
{
    storeWindow();
    const QString path = chooseFile(kind, dialogFolder(kind));
    if (path.isEmpty()) return;
    files::FileError error;
    {
        BusyGuard busy;
        keepDialogFolder(kind, path);
        error = write(path.toStdString());
    }
    fileFailure(error);
}

void TForm1::SaveButtonClick()
{
    saveThrough(FileDialogKind::SaveSettings,
                [this](const std::string& path) { return files::saveSettingsFile(path, session_.model); });
}

void TForm1::BitBtn2Click()
{
    saveThrough(FileDialogKind::ExportText, [this](const std::string& path) {
        return files::exportSettingsText(path, session_.model, shell::Catalog::instance().language());
    });
}

void TForm1::BitBtn1Click()
{
    storeWindow();
    if (!settings::editInitialize(session_.model, op_)) return;
    state_.showInitialisedModel();
    settingTab_->setCurrentIndex(0);
    render();
}

void TForm1::copyMemoryTo(int id, int memory)
{
    // The source is what the window shows, so it is stored first.
    storeWindow();
    settings::copyMemory(session_.model, op_, {state_.controller(), state_.memory()}, {id, memory});
}

void TForm1::SendButtonClick()
{
    storeWindow();
    {
        BusyGuard busy({this}, [this] { applyEnablingRules(); });
        settings::OperationContext ctx = context();
        settings::batchSend(ctx, session_.model);
    }
    if (op_.terminationRequested()) return;
    showModel();
    if (session_.active.online() && screenMode() == window::kScreenBuffering) Q_EMIT batchSendFinished();
}

void TForm1::ReciveButtonClick()
{
    storeWindow();
    std::array<int, settings::kControllerCount> heads{};
    for (int id = 0; id < settings::kControllerCount; ++id)
        heads[static_cast<std::size_t>(id)] = session_.model.controllers[static_cast<std::size_t>(id)].SENSOR_TYPE;
    {
        BusyGuard busy({this}, [this] { applyEnablingRules(); });
        settings::OperationContext ctx = context();
        settings::batchReceive(ctx, session_.model);
    }
    for (int id = 0; id < settings::kControllerCount; ++id)
        if (heads[static_cast<std::size_t>(id)] != session_.model.controllers[static_cast<std::size_t>(id)].SENSOR_TYPE)
            state_.noteHeadInitialised();
    if (op_.terminationRequested()) return;
    state_.showLoadedModel();
    render();
}

void TForm1::InitButtonClick()
{
    BusyGuard busy({this}, [this] { applyEnablingRules(); });
    settings::OperationContext ctx = context();
    settings::initializeControllers(ctx);
}

void TForm1::RebootButtonClick()
{
    BusyGuard busy({this}, [this] { applyEnablingRules(); });
    settings::OperationContext ctx = context();
    settings::rebootControllers(ctx);
}

void TForm1::HIDButton01Click()
{
    collect();
    settings::HeadCodeFields fields;
    fields.mode = state_.shown().common.HEAD_ID_MODE;
    const window::ShownValues& s = state_.shown();
    fields.codes = {s.common.SUS_ID, s.common.FE_ID, s.common.AL_ID};
    {
        BusyGuard busy({this, screen_.data()}, [this] { applyEnablingRules(); });
        settings::OperationContext ctx = context();
        settings::sendHeadCodes(ctx, state_.controller(), fields);
    }
    for (std::size_t k = 0; k < kCodeFields.size(); ++k) state_.setCode(kCodeFields[k], fields.codes[k]);
    render();
}

void TForm1::HIDButton02Click()
{
    collect();
    settings::HeadCodeFields fields;
    fields.mode = state_.shown().common.HEAD_ID_MODE;
    {
        BusyGuard busy({this, screen_.data()}, [this] { applyEnablingRules(); });
        settings::OperationContext ctx = context();
        if (settings::receiveHeadCodes(ctx, state_.controller(), fields) == 0) {
            state_.setValue("HIDComboB1", fields.mode);
            for (std::size_t k = 0; k < kCodeFields.size(); ++k) state_.setCode(kCodeFields[k], fields.codes[k]);
        }
    }
    render();
}

void TForm1::CLBButtonClick()
{
    bool allowed = false;
    {
        BusyGuard busy({this}, [this] { applyEnablingRules(); });
        settings::OperationContext ctx = context();
        allowed = settings::checkCalibrationPrecondition(ctx, state_.controller()).allowed;
    }
    if (allowed) runDialog("TForm5");
}

void TForm1::BitBtn3Click()
{
    bool passed = false;
    {
        BusyGuard busy({this}, [this] { applyEnablingRules(); });
        settings::OperationContext ctx = context();
        passed = window::checkCalculationPrecondition(ctx).passed;
    }
    if (passed) runDialog("TForm7");
}

void TForm1::runDialog(std::string_view form)
{
    if (const DialogRunner run = dialogRunner(form)) {
        try {
            run(*this);
        } catch (...) {
            op_.message(msgText(shell::Msg::ProgramError));
            return fatalExit();
        }
    }
    render();
}

void TForm1::C1Click()
{
    if (session_.active.online()) return op_.message(msgText(shell::Msg::DoItOffline));
    TForm22 dialog(session_.ports, session_.config.port, this);
    if (dialog.exec() == QDialog::Accepted) session_.config.port = dialog.chosen();
}

void TForm1::N3Click()
{
    files::EnvironmentConfig& e = session_.config.environment;
    TForm8 dialog({e.CSV_SEPARATOR, e.DECIMAL_SEPARATOR}, this);
    if (dialog.exec() != QDialog::Accepted) return;
    e.CSV_SEPARATOR = dialog.chosen().separator;
    e.DECIMAL_SEPARATOR = dialog.chosen().decimal;
}

void TForm1::About1Click()
{
    TForm21 dialog(this);
    dialog.exec();
}

void TForm1::Help2Click()
{
    help_.showContents([this](const QString& text) { op_.message(text); });
}

} // namespace tavimo::ui
