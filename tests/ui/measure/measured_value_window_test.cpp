// TForm2 against the simulator: the panels of the connected controllers,
// the live display and the actions on the checked controllers.
#include "measure_windows_fixture.h"

#include "ui/measure/measured_value_window.h"
#include "ui/measure/value_panel.h"

#include <QGroupBox>
#include <QLabel>

using namespace tavimo;
using namespace tavimo::ui;

class MeasuredValueWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<testkit::MeasureWindowsFixture> f;

    TForm2* screen() { return qobject_cast<TForm2*>(f->window->openScreen()); }
    QPushButton* button(const char* name) { return screen()->findChild<QPushButton*>(name); }
    QString value(int id) { return screen()->panel(id)->value()->text(); }
    bool anyLampLit(int id)
    {
        for (const char* l : {"Hi", "Go", "Lo", "Zero"})
            if (screen()->panel(id)->lampLit(l)) return true;
        return false;
    }

private Q_SLOTS:
    void init() { f = std::make_unique<testkit::MeasureWindowsFixture>(); }
    void cleanup() { f.reset(); }

    void panelsOfTheConnectedControllersAreStackedWithTheirTexts()
    {
        f->openOnline({0, 3, 5}, true);
        QVERIFY(screen());
        QCOMPARE(screen()->windowTitle(), QString("Displayed controller value"));
        QCOMPARE(button("DispVoltButton")->text(), QString("Voltage"));
        QCOMPARE(screen()->findChild<QLabel*>("Label4")->text(), QString(" ID 3"));
        const int expectedY[8] = {8, -1, -1, 40, -1, 72, -1, -1};
        for (int id = 0; id < 8; ++id) {
            QCOMPARE(screen()->panel(id)->isVisibleTo(screen()), expectedY[id] >= 0);
            if (expectedY[id] >= 0) QCOMPARE(screen()->panel(id)->y(), expectedY[id] * kPanelScale);
        }
        QCOMPARE(screen()->buttonGroup()->y(), 106 * kPanelScale);
        QVERIFY(screen()->height() > screen()->buttonGroup()->geometry().bottom());
        QVERIFY(screen()->timer().isActive());
    }

    void thePositionIsKeptAcrossOpenings()
    {
        f->openOnline({0});
        screen()->move(200, 150);
        const QPoint at = screen()->pos();
        QTest::mouseClick(f->window->findChild<QPushButton*>("OnlineButton"), Qt::LeftButton); // offline: closed
        QVERIFY(!screen());
        QCOMPARE(QPoint(f->session->config.environment.MESUREDISP_LEFT, f->session->config.environment.MESUREDISP_TOP),
                 at);
        QTest::mouseClick(f->window->findChild<QPushButton*>("OnlineButton"), Qt::LeftButton);
        QVERIFY(screen());
        QCOMPARE(screen()->pos(), at);
    }

    void liveValuesAndAControllerThatStopsAnswering()
    {
        f->openOnline({0, 3, 5});
        f->sim->withController(5, [](sim::ControllerState& c) {
            c.signal.frozen = 0.25;
            c.displayUnit = 1;
        });
        QTRY_VERIFY_WITH_TIMEOUT(value(5) != "0.0000" && anyLampLit(5) &&
                                     screen()->panel(5)->volt()->text() == "V", 10000);
        sim::Fault silent;
        silent.id = 5;
        f->sim->addFault(silent);
        QTRY_VERIFY_WITH_TIMEOUT(value(5) == "0.0000" && !anyLampLit(5) && screen()->panel(5)->volt()->text().isEmpty(),
                                 10000);
        QVERIFY(screen()->panel(5)->isVisibleTo(screen()));
        QTRY_VERIFY_WITH_TIMEOUT(value(0) != "0.0000", 10000); // the others go on
    }

    void noToTheVoltageQuestionSendsNothing()
    {
        f->openOnline({0, 3});
        f->sim->clearLog();
        QList<QuestionKind> kinds;
        f->op.setMessageHook([&](QuestionKind kind, const QString& text) -> std::optional<shell::Answer> {
            f->messages << text;
            kinds << kind;
            return shell::Answer::No;
        });
        QTest::mouseClick(button("DispVoltButton"), Qt::LeftButton);
        QCOMPARE(kinds, QList<QuestionKind>{QuestionKind::YesNoDefaultNo}); // No preselected
        QCOMPARE(f->messages, QStringList{f->text(shell::Msg::ConfirmDisplayScaleChange)});
        QVERIFY(f->frames("WUT").empty());
        QVERIFY(button("DispVoltButton")->isEnabled());
        QVERIFY(f->nothingLeftBusy());

        f->op.setMessageHook([](QuestionKind, const QString&) { return std::optional{shell::Answer::Yes}; });
        QTest::mouseClick(button("DispVoltButton"), Qt::LeftButton);
        QCOMPARE(f->frames("WUT"), (std::vector<std::string>{"0:WUT1", "3:WUT1"}));
    }

    void actionsReachOnlyTheCheckedControllers()
    {
        f->openOnline({0, 3, 5});
        for (int id = 0; id < 8; ++id) f->setCheck(id, false);
        QVERIFY(!screen()->panel(3)->value()->isEnabled()); // greyed, still live
        f->sim->clearLog();
        QTest::mouseClick(button("ZeroSetButton"), Qt::LeftButton);
        QVERIFY(f->frames("WZS").empty());
        QVERIFY(f->messages.isEmpty());
        QVERIFY(f->nothingLeftBusy());
        QVERIFY(f->workerPollsAgain());

        // A failing controller is reported and skipped; the next one still gets it.
        f->setCheck(3, true);
        f->setCheck(5, true);
        QVERIFY(screen()->panel(3)->value()->isEnabled());
        sim::Fault fails;
        fails.id = 3;
        fails.command = "WZS"; // silent to the write only
        f->sim->addFault(fails);
        f->sim->clearLog();
        // While the worker is paused nothing else may be started: the main
        // window waits, and so do the six buttons.
        bool mainWaited = false, buttonsWaited = false;
        f->op.setMessageHook([&](QuestionKind, const QString& text) -> std::optional<shell::Answer> {
            f->messages << text;
            mainWaited = !f->window->isEnabled();
            buttonsWaited = !button("ZeroSetButton")->isEnabled();
            return std::nullopt;
        });
        QTest::mouseClick(button("ZeroCancelButton"), Qt::LeftButton);
        f->sim->clearFaults();
        QVERIFY(mainWaited && buttonsWaited);
        QCOMPARE(f->messages, QStringList{QString("ID3\n") + f->text(shell::Msg::ErrorSkipController)});
        QCOMPARE(f->frames("WZS").back(), std::string("5:WZS1"));
        for (const auto& frame : f->frames("WZS")) QVERIFY(frame[0] != '0');
        QVERIFY(button("ZeroCancelButton")->isEnabled());
        QVERIFY(f->window->isEnabled());
        QVERIFY(f->nothingLeftBusy());
    }
};

QTEST_MAIN(MeasuredValueWindowTest)
#include "measured_value_window_test.moc"
