// The auxiliary dialogs, the operator of the windows, the busy guard, the
// help opener and the second-instance message.
#include "startup.h"

#include "shell/catalog.h"
#include "ui/about_dialog.h"
#include "ui/busy_guard.h"
#include "ui/comm_settings_dialog.h"
#include "ui/csv_settings_dialog.h"
#include "ui/gui_operator.h"
#include "ui/help_opener.h"
#include "ui/progress_cancel_dialog.h"
#include "ui/progress_dialog.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"
#include "ui/splash.h"

#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <stdexcept>

using namespace tavimo;
using namespace tavimo::ui;

namespace {

struct LanguageScope {
    explicit LanguageScope(shell::Language l) { shell::Catalog::instance().setLanguage(l); }
    ~LanguageScope() { shell::Catalog::instance().setLanguage(shell::Language::Japanese); }
};

void clickItem(RadioGroup* g, int index)
{
    QTest::mouseClick(g->findChild<QRadioButton*>(g->objectName() + QString::number(index)), Qt::LeftButton);
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void csvSettingsNeverLeaveCommaTwice()
    {
        TForm8 dialog({1, 1});
        dialog.show();
        clickItem(dialog.separatorGroup(), 0); // comma as separator: decimal moves to the period
        QCOMPARE(dialog.chosen(), (window::CsvChoice{0, 0}));
        QCOMPARE(dialog.decimalGroup()->itemIndex(), 0);
        clickItem(dialog.decimalGroup(), 1); // comma as decimal: separator moves to the semicolon
        QCOMPARE(dialog.chosen(), (window::CsvChoice{1, 1}));
        QCOMPARE(dialog.separatorGroup()->itemIndex(), 1);
        TForm8 stored({0, 1}); // a hand-edited pair opens with the period
        QCOMPARE(stored.chosen(), (window::CsvChoice{0, 0}));
    }

    void communicationSettingsOfferTheListsAndKeepIndexes()
    {
        files::PortConfig stored;
        stored.COM = 1;
        stored.SPEED = 4;
        stored.TIMEOUT = 6;
        TForm22 dialog({"/dev/ttyS0", "/dev/ttyUSB0"}, stored);
        auto* ports = dialog.findChild<QComboBox*>("ComboBox1");
        QCOMPARE(ports->count(), 2);
        QCOMPARE(ports->currentText(), QString("/dev/ttyUSB0"));
        QCOMPARE(dialog.findChild<QComboBox*>("ComboBox2")->currentText(), QString("115200"));
        QCOMPARE(dialog.findChild<QComboBox*>("ComboBox3")->count(), 3);
        QCOMPARE(dialog.findChild<QComboBox*>("ComboBox5")->currentText(), QString("10"));
        dialog.findChild<QComboBox*>("ComboBox3")->setCurrentIndex(0);
        QCOMPARE(dialog.chosen().PARITY, 0);
        QCOMPARE(dialog.chosen().COM, 1);
        TForm22 none({}, stored); // no port found: the stored index stays
        QCOMPARE(none.chosen().COM, 1);
    }

    void textsInBothLanguages()
    {
        {
            LanguageScope english(shell::Language::English);
            TForm22 comm({}, {});
            QCOMPARE(comm.windowTitle(), QString("Communication setting"));
            QCOMPARE(comm.findChild<QPushButton*>("OkButton")->text(), QString("Set"));
            QCOMPARE(comm.findChild<QComboBox*>("ComboBox4")->toolTip(), QString("Designate the stop bits."));
            TForm8 csv({});
            QCOMPARE(csv.findChild<QPushButton*>("BitBtn2")->text(), QString("CANCEL"));
            QCOMPARE(csv.separatorGroup()->items().value(2), QString("tab"));
            TForm21 about;
            QCOMPARE(about.windowTitle(), QString("About Tavimo"));
            QVERIFY(about.findChild<QLabel*>("Version")->text().startsWith("Version "));
            TForm20 progress;
            QCOMPARE(progress.windowTitle(), QString("Progress"));
        }
        TForm22 comm({}, {});
        QCOMPARE(comm.windowTitle(), qs("通信設定"));
        QCOMPARE(comm.findChild<QPushButton*>("CancelButton")->text(), qs("キャンセル"));
        TForm23 cancel;
        QCOMPARE(cancel.windowTitle(), qs("進捗状況"));
        QCOMPARE(cancel.cancelButton()->text(), qs("キャンセル"));
    }

    void progressWindowFollowsItsCaller()
    {
        TForm20 progress;
        QCOMPARE(progress.bar()->maximum(), 24);
        progress.setRange(0, 12);
        progress.showNow();
        progress.stepIt();
        progress.stepIt();
        QCOMPARE(progress.bar()->value(), 8);
        progress.setPosition(100);
        QCOMPARE(progress.bar()->value(), 12);
        progress.close(); // only the caller ends it
        QVERIFY(progress.isVisible());
    }

    void cancelHidesButNeverDestroysTheWindow()
    {
        auto* owned = new TForm23;
        QPointer<TForm23> alive(owned);
        int cancels = 0;
        owned->setOwnerCode(kOwnerDataBuffering);
        owned->setCancelHandler([&] { ++cancels; });
        owned->showNow();
        QTest::mouseClick(owned->cancelButton(), Qt::LeftButton);
        QCoreApplication::processEvents();
        QVERIFY(alive);
        QVERIFY(!owned->isVisible());
        QVERIFY(owned->cancelled());
        QCOMPARE(cancels, 1);
        owned->bar()->setValue(5); // the owner may still drive it
        delete owned;

        TForm23 other; // any other owner: Cancel only closes
        other.setOwnerCode(1);
        other.setCancelHandler([&] { ++cancels; });
        other.showNow();
        QTest::keyClick(&other, Qt::Key_Escape);
        QVERIFY(!other.isVisible());
        QCOMPARE(cancels, 1);
    }

    void splashClosesItself()
    {
        QPointer<Tsplash> splash(new Tsplash);
        splash->showNow();
        QCOMPARE(splash->size(), QSize(480, 320));
        QTRY_VERIFY_WITH_TIMEOUT(splash.isNull(), 5000);
    }

    void missingHelpFileGivesTheMessageAndGoesOn()
    {
        QStringList shown;
        int opened = 0;
        HelpOpener missing("/nonexistent/TAVIMO_J.chm", [&](const QString&) { return ++opened, true; });
        QVERIFY(!missing.showContents([&](const QString& m) { shown << m; }));
        QCOMPARE(shown, QStringList{msgText(shell::Msg::HelpUnavailable)});
        QCOMPARE(opened, 0);

        QTemporaryDir dir;
        const QString file = dir.filePath("TAVIMO_E.chm");
        std::ofstream(file.toStdString()) << "help";
        HelpOpener present(HelpOpener::helpFilePath(dir.path(), "TAVIMO_E.chm"), [&](const QString&) {
            return ++opened, true;
        });
        QCOMPARE(present.path(), file);
        QVERIFY(present.showContents([&](const QString& m) { shown << m; }));
        QCOMPARE(opened, 1);
        HelpOpener refused(file, [](const QString&) { return false; }); // no handler for the type
        QVERIFY(!refused.showContents([&](const QString& m) { shown << m; }));
        QCOMPARE(shown.size(), 2);
    }

    void operatorShowsNothingAfterTermination()
    {
        GuiOperator op;
        QStringList shown;
        op.setMessageHook([&](QuestionKind, const QString& t) -> std::optional<shell::Answer> {
            shown << t;
            return shell::Answer::Yes;
        });
        int terminations = 0;
        op.setTerminationHandler([&] { ++terminations; });
        op.showMessage("first");
        QVERIFY(op.askYesNo("ask"));
        op.requestTermination();
        op.requestTermination();
        op.showMessage("after");
        QVERIFY(!op.askYesNo("after"));
        QCOMPARE(shown, (QStringList{"first", "ask"}));
        QCOMPARE(terminations, 1);
        op.showLinkMessage(link::LinkMessage::AlarmNotCleared);
        QCOMPARE(shown.size(), 2);
    }

    void operatorProgressAndCursorNest()
    {
        GuiOperator op;
        op.progressBegin(8);
        op.progressBegin(4);
        QCOMPARE(op.progressDepth(), 2);
        op.progressSet(3);
        op.progressEnd();
        op.progressEnd();
        op.progressEnd(); // one too many is harmless
        QCOMPARE(op.progressDepth(), 0);
        op.setBusy(true);
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        op.setBusy(false);
        op.setBusy(false);
        QVERIFY(!QApplication::overrideCursor());
    }

    void busyGuardRestoresOnEveryPath()
    {
        QWidget window;
        QWidget other;
        other.setEnabled(false); // already disabled: left as it is
        int rules = 0;
        try {
            BusyGuard busy({&window, &other, nullptr}, [&] { ++rules; });
            QVERIFY(!window.isEnabled());
            QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
            throw std::runtime_error("failure in the middle");
        } catch (const std::runtime_error&) {
        }
        QVERIFY(window.isEnabled());
        QVERIFY(!other.isEnabled());
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(rules, 1);
    }

    void secondInstanceMessageInTheConfiguredLanguage()
    {
        QTemporaryDir dir;
        const std::filesystem::path config = dir.filePath("Tavimo.INI").toStdString();
        QCOMPARE(gui::secondInstanceMessage(config), qs("アプリケーションは既に起動しています"));
        std::ofstream(config) << "[ENVIRONMENT]\r\nLANGUAGE=2\r\n";
        QCOMPARE(gui::secondInstanceMessage(config), QString("Application is active."));
        QCOMPARE(gui::configPathFor("/usr/bin/Tavimo").filename().string(), std::string("Tavimo.INI"));
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
