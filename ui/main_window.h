// TForm1, the main settings window: edits the settings model one controller
// and one memory at a time and starts every other function. Its logic is
// window::MainWindowState (selection, binding, presets, value rules) and
// the core operations; this class builds the controls under their form
// names, renders the state into them and forwards the user's actions.
#pragma once

#include "link/going_online.h"
#include "window/main_window_state.h"
#include "window/screen_switch.h"
#include "window/session.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>

class QAction;
class QMenu;
class QTabBar;
class QTabWidget;

namespace tavimo::ui {

class GuiOperator;
class HelpOpener;

enum class FileDialogKind { OpenSettings, SaveSettings, ExportText };

class TForm1 : public QMainWindow, public link::OnlineView {
    Q_OBJECT
public:
    struct Options {
        bool demo = false; // the demo line is first in the port list: use it
    };

    // FormCreate: opens the session (configuration, model, lists, worker),
    // builds the controls, applies the texts, shows the model.
    TForm1(window::Session& session, GuiOperator& op, HelpOpener& help, Options options, QWidget* parent = nullptr);
    ~TForm1() override;

    window::Session& session() { return session_; }
    window::MainWindowState& state() { return state_; }
    GuiOperator& op() { return op_; }
    int screenMode() const { return session_.shared.screenMode.load(); }
    QWidget* openScreen() const { return screen_; }
    bool fatalEnded() const { return fatal_; }
    bool closedNormally() const { return closed_; }

    // Replaces the file dialogs (tests): returns the chosen path, or an
    // empty text for Cancel.
    using FileChooser = std::function<QString(FileDialogKind, const QString& folder)>;
    void setFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }

    // The two internal operations, with the widgets: the fields the user is
    // still typing in are taken first (with their value rules).
    void storeWindow();
    void showModel();
    // State into the widgets; the enabling rules follow.
    void render();

    // Commands of the buttons and menu items.
    void OnlineButtonClick();
    void SendButtonClick();
    void ReciveButtonClick();
    void InitButtonClick();
    void RebootButtonClick();
    void OpenButtonClick();
    void SaveButtonClick();
    void BitBtn2Click(); // text export
    void BitBtn1Click(); // edit initialise
    void BitBtn3Click(); // calculation setting
    void HIDButton01Click();
    void HIDButton02Click();
    void CLBButtonClick();
    void C1Click();
    void N3Click();
    void About1Click();
    void Help2Click();
    void copyMemoryTo(int id, int memory);
    void ScreenButtonClick(window::ScreenButton button);

    // The screen switch to mode t (closes the open screen, opens t's).
    void switchScreenTo(int mode);

    // A fatal failure: the worker is stopped and joined, the event loop
    // ends, the configuration is not saved.
    void fatalExit();

    // Going online and offline ask the window for these steps.
    void showOnline(bool online) override;
    void switchScreen(bool online) override;
    void showControllers(const link::ActiveControllers& active) override;
    void applyEnablingRules() override;

Q_SIGNALS:
    // The check boxes changed (the measured-value screen follows them).
    void checksChanged();
    // A batch send finished (the buffering screen re-selects its controller).
    void batchSendFinished();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // main_window_build.cpp
    void buildControls();
    void buildMenus();
    QWidget* buildApplicationPage();
    QWidget* buildGeneralPage();
    QWidget* buildEnvironmentPage();
    QWidget* buildHeadPage();
    QWidget* buildTopBar();
    QWidget* buildSendReceive();

    // main_window_binding.cpp
    void connectControls();
    void connectMemoryFields();
    void connectCommonFields();
    void connectCommands();
    void collect();
    void afterUserChange();
    void onControllerTab(int index);
    void onHeadPicked(int index);
    void onCheckBox(int id, bool checked);
    void renderSelection();
    void renderChecks();

    // main_window_lifecycle.cpp
    void restorePosition();
    void keepWindowState();
    bool runLoggingCheck();
    void closeScreen();
    void openScreenFor(int mode);

    // main_window_commands.cpp
    settings::OperationContext context();
    QString chooseFile(FileDialogKind kind, const QString& folder);
    QString dialogFolder(FileDialogKind kind) const;
    void keepDialogFolder(FileDialogKind kind, const QString& path);
    void runDialog(std::string_view form);
    void fileFailure(files::FileError error);
    // Stores the window, asks for the file, writes it with `write`.
    void saveThrough(FileDialogKind kind, const std::function<files::FileError(const std::string&)>& write);

    template <class T>
    T* control(const char* name) const
    {
        return findChild<T*>(QString::fromLatin1(name));
    }

    window::Session& session_;
    GuiOperator& op_;
    HelpOpener& help_;
    Options options_;
    window::MainWindowState state_;
    FileChooser chooser_;
    QPointer<QWidget> screen_;
    QTabBar* controllerTab_ = nullptr;
    QTabWidget* settingTab_ = nullptr;
    QMenu* popup_ = nullptr;
    bool rendering_ = false;
    bool fatal_ = false;
    bool closed_ = false;
    bool widened_ = false;
};

} // namespace tavimo::ui
