// TForm1 offscreen: its controls and texts, the binding through the widgets,
// going online against the simulator in the process, the file commands and
// the close.
#include "main_window_fixture.h"

#include "files/settings_file.h"
#include "settings/field_table.h"
#include "shell/catalog.h"
#include "shell/screen_keys.h"
#include "ui/number_edit.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"
#include "ui/screen_registry.h"
#include "ui/screen_texts.h"
#include "window/checks_publisher.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <stdexcept>

using namespace tavimo;
using namespace tavimo::ui;

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<testkit::MainWindowFixture> f;

    TForm1& w() { return *f->window; }
    template <class T>
    T* get(const QString& name)
    {
        T* c = w().findChild<T*>(name);
        if (!c) qWarning() << "no control" << name;
        return c;
    }
    void activate(const char* combo, int index) { Q_EMIT get<QComboBox>(combo)->activated(index); }
    void type(const char* field, const QString& text)
    {
        auto* e = get<UNumberEdit>(field);
        e->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents(); // the select-all of the focus
        e->selectAll();
        QTest::keyClicks(e, text);
    }
    void goOnline()
    {
        QTest::mouseClick(get<QPushButton>("OnlineButton"), Qt::LeftButton);
        QVERIFY(f->session->active.online());
    }
    QString text(shell::Msg m) const { return msgText(m); }

private Q_SLOTS:
    void init() { f = std::make_unique<testkit::MainWindowFixture>(); }
    void cleanup() { f.reset(); }

    void everyControlExistsUnderItsFormName()
    {
        f->open();
        const QStringList missing = applyScreenTexts(&w(), shell::form::kMain);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
        QStringList names;
        for (const auto& m : settings::memoryFields()) names << qs(m.control);
        for (const auto& c : settings::commonFields()) names << qs(c.control);
        for (int i = 1; i <= 8; ++i) names << QStringLiteral("ContCheck%1").arg(i);
        for (int i = 1; i <= 3; ++i) names << QStringLiteral("SpeedButton%1").arg(i);
        names << "VersionComboBox" << "ControlerTab" << "SettingTab" << "PopupMenu1" << "MainMenu1" << "HIDButton11"
              << "HIDButton32" << "CS7MN3" << "Exit1" << "OpenDialog";
        for (const QString& n : names) QVERIFY2(w().findChild<QObject*>(n), qPrintable(n));
        QVERIFY(!get<QComboBox>("MDEComboB2")->isVisibleTo(&w()));
        QVERIFY(!get<QPushButton>("HIDButton21")->isVisibleTo(&w()));
    }

    void textsInEnglish()
    {
        f->writeConfig("[ENVIRONMENT]\r\nLANGUAGE=1\r\n");
        f->open();
        QCOMPARE(get<QPushButton>("SendButton")->text(), QString("Batch send"));
        QCOMPARE(get<QTabWidget>("SettingTab")->tabText(0), QString("Application mode"));
        QCOMPARE(get<QComboBox>("MNSComboB")->itemText(3), QString("Memory #3"));
        QCOMPARE(get<RadioGroup>("HLDRadioG")->items().value(3), QString("Peak-to-peak hold"));
        QCOMPARE(get<QAction>("N1")->text(), QString("Load file (&O)..."));
        QCOMPARE(get<QTabBar>("ControlerTab")->toolTip(), QString("Switch the target controller ID(address)."));
        QCOMPARE(get<QToolButton>("SpeedButton1")->text(), QString("Close")); // offline
        QCOMPARE(get<QAction>("CS2MN1")->text(), QString("Copy to memory 1"));
        QCOMPARE(screenProperty(w().findChild<QObject*>("OpenDialog"), "Filter"),
                 QString("Tavimo setting data (*.TSD)|*.TSD"));
    }

    void textsInJapanese()
    {
        f->open();
        QCOMPARE(get<QPushButton>("SendButton")->text(), qs("一括送信"));
        QCOMPARE(get<QComboBox>("MNSComboB")->itemText(0), qs("ﾒﾓﾘｰ0"));
        QCOMPARE(get<QTabWidget>("SettingTab")->tabText(3), qs("ヘッド互換"));
        QCOMPARE(get<QComboBox>("MDEComboB1")->itemText(3), qs("高さ検出"));
        QCOMPARE(get<QToolButton>("SpeedButton1")->text(), qs("閉じる"));
    }

    void missingConfigurationGivesTheDefaults()
    {
        f->open();
        QCOMPARE(get<QTabBar>("ControlerTab")->currentIndex(), 0);
        QCOMPARE(get<UNumberEdit>("THRNumEdit2")->text(), QString("0.1600"));
        QCOMPARE(get<QComboBox>("AVGComboB")->currentText(), QString("64"));
        for (int i = 1; i <= 8; ++i) QVERIFY(get<QCheckBox>(QStringLiteral("ContCheck%1").arg(i))->isChecked());
        QVERIFY(!get<QPushButton>("SendButton")->isEnabled());
        QVERIFY(get<QAction>("C1")->isEnabled());
        w().close();
        QVERIFY(std::filesystem::exists(f->configPath())); // both folders created
    }

    void enablingRulesFollowTheControls()
    {
        f->open();
        activate("MDEComboB1", 3); // "Detect the height."
        QCOMPARE(get<RadioGroup>("HLDRadioG")->itemIndex(), 4);
        QCOMPARE(get<RadioGroup>("TRGRadioG")->itemIndex(), 1);
        QCOMPARE(get<RadioGroup>("DSCSlopeRadioG")->itemIndex(), 1);
        QVERIFY(!get<RadioGroup>("HLDRadioG")->isEnabled());
        QVERIFY(!get<RadioGroup>("TRGRadioG")->isEnabled());
        QVERIFY(!get<UNumberEdit>("TRGNumEdit11")->isEnabled());
        QVERIFY(!get<UNumberEdit>("TRGNumEdit12")->isEnabled());
        activate("MDEComboB1", 1); // "Detect the BDC of the press."
        QCOMPARE(get<RadioGroup>("HLDRadioG")->itemIndex(), 2);
        QCOMPARE(get<QComboBox>("TRGComboB11")->currentIndex(), 1);
        QVERIFY(get<UNumberEdit>("TRGNumEdit11")->isEnabled());
        QVERIFY(get<UNumberEdit>("TRGNumEdit12")->isEnabled());
        QVERIFY(!get<QComboBox>("TRGComboB11")->isEnabled());
        QVERIFY(!get<UNumberEdit>("TRGNumEdit13")->isEnabled());
        QVERIFY(get<RadioGroup>("CMPRadioG")->isEnabled());

        Q_EMIT get<RadioGroup>("DSCRadioG")->itemClicked(2);
        QVERIFY(get<UNumberEdit>("DSCNumEdit23")->isEnabled());
        QVERIFY(!get<UNumberEdit>("DSCNumEdit11")->isEnabled());
        QVERIFY(get<QLineEdit>("HIDEdit1")->isHidden());
        activate("HIDComboB1", 1);
        QVERIFY(!get<QLineEdit>("HIDEdit1")->isHidden());
    }

    void presetsApplyOnMemorySelection()
    {
        f->open();
        settings::MemorySettings& m = f->session->model.controllers[0].memories[1];
        m.APPLI_MODE = 4;
        m.HOLD_MODE = 5;
        m.INT_TRIG_THR = 0.1;
        activate("MNSComboB", 1);
        QCOMPARE(get<RadioGroup>("HLDRadioG")->itemIndex(), 0);
        QCOMPARE(get<UNumberEdit>("TRGNumEdit11")->text(), QString("0.4000"));
        QCOMPARE(f->session->model.controllers[0].MEMORY_NO, 1);
    }

    void typedValueSurvivesSwitchingMemoryAndBack()
    {
        f->open();
        type("THRNumEdit1", "0.7"); // not yet reported: the switch takes it
        activate("MNSComboB", 2);
        QCOMPARE(get<UNumberEdit>("THRNumEdit1")->text(), QString("0.8000"));
        activate("MNSComboB", 0);
        QCOMPARE(get<UNumberEdit>("THRNumEdit1")->text(), QString("0.7000"));
        QCOMPARE(f->session->model.controllers[0].memories[0].HI_TH_LEVEL, 0.7);
    }

    void goingOnlineSetsTabsAndCheckBoxes()
    {
        f->open({0, 3});
        QVERIFY(f->sim);
        goOnline();
        auto* tabs = get<QTabBar>("ControlerTab");
        QCOMPARE(tabs->tabText(0), qs(" ID 0"));
        QCOMPARE(tabs->tabText(2), QString("NONE"));
        QCOMPARE(get<QCheckBox>("ContCheck3")->text(), QString("NONE"));
        QVERIFY(!get<QCheckBox>("ContCheck3")->isEnabled());
        QVERIFY(get<QCheckBox>("ContCheck4")->isEnabled());
        QVERIFY(get<QPushButton>("SendButton")->isEnabled());
        QVERIFY(!get<QAction>("C1")->isEnabled());
        QCOMPARE(get<QToolButton>("SpeedButton1")->text(), qs("測定値"));

        f->messages.clear();
        tabs->setCurrentIndex(2); // a "NONE" tab
        QCOMPARE(f->messages, QStringList{text(shell::Msg::ControllerNotConnected)});
        QCOMPARE(tabs->currentIndex(), 0);
        tabs->setCurrentIndex(3);
        QCOMPARE(w().state().controller(), 3);

        w().C1Click(); // the communication settings only offline
        QCOMPARE(f->messages.last(), text(shell::Msg::DoItOffline));

        QTest::mouseClick(get<QPushButton>("OnlineButton"), Qt::LeftButton); // offline again
        QVERIFY(!f->session->active.online());
        QCOMPARE(tabs->tabText(2), qs(" ID 2"));
        QVERIFY(get<QCheckBox>("ContCheck3")->isEnabled());
        QVERIFY(!f->session->port.isOpen());
    }

    void batchReceiveShowsTheControllersSettings()
    {
        f->open({0, 1});
        f->sim->withController(1, [](sim::ControllerState& c) {
            c.currentMemory = 2;
            c.memory().average = 3;
        });
        goOnline();
        f->answers = {false}; // memory numbers differ: receive the controller's memory
        QTest::mouseClick(get<QPushButton>("ReciveButton"), Qt::LeftButton);
        QCOMPARE(f->session->model.controllers[1].MEMORY_NO, 2);
        QCOMPARE(f->session->model.controllers[1].memories[2].AVERAGE, 3);
        get<QTabBar>("ControlerTab")->setCurrentIndex(1);
        QCOMPARE(get<QComboBox>("MNSComboB")->currentIndex(), 2);
        QCOMPARE(get<QComboBox>("AVGComboB")->currentText(), QString("8"));
        QVERIFY(get<QPushButton>("ReciveButton")->isEnabled()); // enabled again afterwards
        QVERIFY(!QApplication::overrideCursor());
    }

    void closingWhileOnlineStopsTheWorkerClosesThePortAndSaves()
    {
        f->open({0, 1, 2, 3});
        goOnline();
        type("HYSNumEdit", "0.005");
        get<QTabWidget>("SettingTab")->setCurrentIndex(2);
        w().close();
        QVERIFY(w().closedNormally());
        QVERIFY(!f->session->workerRunning());
        QVERIFY(!f->session->port.isOpen());
        files::AppConfig config;
        settings::SettingsModel model;
        QCOMPARE(files::loadAppConfig(f->configPath(), config, model), files::FileError::None);
        QCOMPARE(model.controllers[0].memories[0].HYS_LEVEL, 0.005);
        QCOMPARE(config.environment.TAB_PAGE, 2);
    }

    void fatalExitStopsTheWorkerAndSavesNothing()
    {
        f->open();
        f->op.requestTermination();
        QVERIFY(w().fatalEnded());
        QVERIFY(!f->session->workerRunning());
        w().close();
        QVERIFY(!std::filesystem::exists(f->configPath()));
    }

    void checkBoxClickReachesTheWorkersFlags()
    {
        f->open();
        QTest::mouseClick(get<QCheckBox>("ContCheck3"), Qt::LeftButton, {}, QPoint(4, 4));
        QVERIFY(!window::publishedChecks(f->session->shared)[2]);
        QVERIFY(window::publishedChecks(f->session->shared)[3]);
    }

    void memoryCopyTakesWhatTheWindowShows()
    {
        f->open();
        type("THRNumEdit1", "0.6"); // still being typed
        get<QAction>("CS2MN3")->trigger();
        QCOMPARE(f->session->model.controllers[2].memories[3].HI_TH_LEVEL, 0.6);
        f->answers = {false};
        get<QAction>("CS1MN1")->trigger(); // cancelled: nothing copied
        QCOMPARE(f->session->model.controllers[1].memories[1].HI_TH_LEVEL, 0.8);
    }

    void headChangeAsksFirst()
    {
        f->open();
        f->answers = {false};
        activate("STSComboB", 5);
        QCOMPARE(f->session->model.controllers[0].SENSOR_TYPE, 0);
        QCOMPARE(get<QComboBox>("STSComboB")->currentIndex(), 0);
        activate("STSComboB", 5);
        QCOMPARE(f->session->model.controllers[0].SENSOR_TYPE, 5);
        QCOMPARE(get<UNumberEdit>("THRNumEdit1")->text(), QString("8.0000"));
        QCOMPARE(get<UNumberEdit>("DSCNumEdit11")->spec().max, 11.0);
    }

    void settingsFileSaveAndLoad()
    {
        f->open();
        const QString path = f->dir.filePath("a.TSD");
        w().setFileChooser([&](FileDialogKind, const QString&) { return path; });
        type("HYSNumEdit", "0.002");
        w().SaveButtonClick();
        QVERIFY(std::filesystem::exists(path.toStdString()));
        QCOMPARE(QString::fromStdString(f->session->config.environment.MAIN_SAVEFOLDER), f->dir.path());

        f->session->model.controllers[0].memories[0].HYS_LEVEL = 0.009;
        w().showModel();
        w().OpenButtonClick();
        QCOMPARE(get<UNumberEdit>("HYSNumEdit")->text(), QString("0.0020"));

        std::ofstream(path.toStdString(), std::ios::binary) << std::string("\0\1binary", 8);
        f->messages.clear();
        w().OpenButtonClick();
        QCOMPARE(f->messages.last(), text(shell::Msg::FileReadFailed)); // reported, the program goes on
        QCOMPARE(f->session->model.controllers[0].memories[0].HYS_LEVEL, 0.002);

        f->answers = {false};
        f->messages.clear();
        w().OpenButtonClick(); // the question answered No: no dialog, no change
        QCOMPARE(f->messages, QStringList{text(shell::Msg::ConfirmFileRead)});
    }

    void screenSwitchOpensWhatIsRegistered()
    {
        f->open({0});
        int opened = 0;
        registerScreen(window::kScreenWaveform, [&](TForm1&) {
            ++opened;
            return new QWidget;
        });
        QTest::mouseClick(get<QToolButton>("SpeedButton2"), Qt::LeftButton);
        QCOMPARE(w().screenMode(), window::kScreenWaveform);
        QVERIFY(w().openScreen());
        QCOMPARE(opened, 1);
        QTest::mouseClick(get<QToolButton>("SpeedButton1"), Qt::LeftButton); // "Close" offline
        QCOMPARE(w().screenMode(), window::kScreenNone);
        QVERIFY(!w().openScreen());

        QTest::mouseClick(get<QToolButton>("SpeedButton3"), Qt::LeftButton); // not registered: mode only
        QCOMPARE(w().screenMode(), window::kScreenBuffering);
        QVERIFY(!get<RadioGroup>("TRGRadioG")->isEnabled());
        QTest::mouseClick(get<QToolButton>("SpeedButton2"), Qt::LeftButton);

        // Online the buffering screen needs its triggers: trigger "None" refuses.
        goOnline();
        QCOMPARE(opened, 3); // the waveform screen was opened anew
        f->messages.clear();
        QTest::mouseClick(get<QToolButton>("SpeedButton3"), Qt::LeftButton);
        QCOMPARE(f->messages, QStringList{text(shell::Msg::LoggingTriggerNotAllowed)});
        QCOMPARE(w().screenMode(), window::kScreenWaveform);
        QVERIFY(get<QToolButton>("SpeedButton2")->isChecked());
        registerScreen(window::kScreenWaveform, {});
    }

    void calculationDialogOpensOnlyWhenAllowedAndAFailureEndsTheProgram()
    {
        f->open({0, 1});
        int runs = 0;
        registerDialog("TForm7", [&](TForm1&) {
            ++runs;
            throw std::runtime_error("broken dialog");
        });
        w().BitBtn3Click(); // offline
        QCOMPARE(f->messages, QStringList{text(shell::Msg::DoItOnline)});
        goOnline();
        f->sim->withController(1, [](sim::ControllerState& c) { c.memory().holdMode = 1; });
        f->messages.clear();
        w().BitBtn3Click();
        QCOMPARE(f->messages, QStringList{text(shell::Msg::CalculationNotAllowed)});
        QCOMPARE(runs, 0);
        f->sim->withController(1, [](sim::ControllerState& c) { c.memory().holdMode = 0; });
        f->messages.clear();
        w().BitBtn3Click();
        QCOMPARE(runs, 1);
        QCOMPARE(f->messages, QStringList{text(shell::Msg::ProgramError)});
        QVERIFY(w().fatalEnded());
        QVERIFY(!f->session->workerRunning());
        registerDialog("TForm7", {});
    }

    void helpWithoutAFileGivesTheMessage()
    {
        f->open();
        get<QAction>("Help2")->trigger();
        QCOMPARE(f->messages, QStringList{text(shell::Msg::HelpUnavailable)});
        QVERIFY(w().isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
