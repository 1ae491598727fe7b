// TForm5 against the simulator: one CG per button in order, the enabling
// per step, a failing step, Cancel and the remembered position.
#include "measure_windows_fixture.h"

#include "calibration/calibration_position.h"
#include "ui/measure/calibration_dialog.h"
#include "ui/radio_group.h"

#include <QTabBar>

using namespace tavimo;
using namespace tavimo::ui;
using calibration::CalibrationButton;

class CalibrationDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<testkit::MeasureWindowsFixture> f;

    // Controller 2 selected in the main window.
    void openOnController2()
    {
        f->openOnline({0, 2});
        f->window->findChild<QTabBar*>("ControlerTab")->setCurrentIndex(2);
        QCOMPARE(f->window->state().controller(), 2);
        f->sim->clearLog();
    }
    static void click(TForm5& d, CalibrationButton b) { QTest::mouseClick(d.button(b), Qt::LeftButton); }
    // Which of Button1..Button6 are enabled, as "100001".
    static QString enabling(TForm5& d)
    {
        QString s;
        for (auto b : {CalibrationButton::Start, CalibrationButton::Zero, CalibrationButton::Half,
                       CalibrationButton::Full, CalibrationButton::End, CalibrationButton::Cancel})
            s += d.button(b)->isEnabled() ? '1' : '0';
        return s;
    }

private Q_SLOTS:
    void init() { f = std::make_unique<testkit::MeasureWindowsFixture>(); }
    void cleanup() { f.reset(); }

    void theCalibrationButtonOpensItModally()
    {
        openOnController2();
        bool seen = false;
        f->whenModal<TForm5>([&](TForm5& d) {
            seen = d.procedure().controllerId() == 2;
            click(d, CalibrationButton::Cancel);
        });
        f->window->CLBButtonClick();
        QVERIFY(seen);
        QVERIFY(f->frames("WCG").empty());
    }

    void oneCgPerButtonInOrderWithTheEnablingOfEachStep()
    {
        openOnController2();
        TForm5 d(*f->window);
        d.show();
        QCOMPARE(d.button(CalibrationButton::Start)->text(), qs("キャリブレーション開始"));
        QCOMPARE(enabling(d), QString("100001"));
        QVERIFY(d.targetGroup()->isEnabled());
        QTest::mouseClick(d.targetGroup()->findChildren<QAbstractButton*>().value(1), Qt::LeftButton); // "Current"
        const struct {
            CalibrationButton button;
            const char* after;
        } steps[] = {{CalibrationButton::Start, "010001"},
                     {CalibrationButton::Zero, "001001"},
                     {CalibrationButton::Half, "000101"},
                     {CalibrationButton::Full, "000011"}};
        for (const auto& s : steps) {
            click(d, s.button);
            QCOMPARE(enabling(d), QString(s.after));
            QVERIFY(!d.targetGroup()->isEnabled());
            QVERIFY(d.isVisible());
        }
        click(d, CalibrationButton::End);
        QCOMPARE(f->frames("WCG"), (std::vector<std::string>{"2:WCG9", "2:WCG1", "2:WCG2", "2:WCG3", "2:WCG4"}));
        QCOMPARE(f->messages, QStringList{f->text(shell::Msg::CalibrationFinished)});
        QVERIFY(!d.isVisible());
        QVERIFY(f->nothingLeftBusy());
    }

    void aFailedStepClosesSendsNothingMoreAndTheWorkerRunsAgain()
    {
        openOnController2();
        TForm5 d(*f->window);
        d.show();
        click(d, CalibrationButton::Start);
        sim::Fault fails;
        fails.kind = sim::FaultKind::Alarm;
        fails.command = "CG";
        f->sim->addFault(fails);
        click(d, CalibrationButton::Zero);
        QCOMPARE(f->messages, QStringList{f->text(shell::Msg::CommunicationErrorStop)});
        QVERIFY(!d.isVisible());
        QCOMPARE(enabling(d), QString("000000"));
        f->sim->clearFaults();
        const auto sent = f->frames("WCG");
        click(d, CalibrationButton::Half); // nothing is offered any more
        QCOMPARE(f->frames("WCG"), sent);
        QVERIFY(f->nothingLeftBusy());
        QVERIFY(!f->window->fatalEnded());
        QVERIFY(f->workerPollsAgain());
    }

    void cancelSendsNothingAndThePositionIsKept()
    {
        openOnController2();
        QPoint at;
        {
            TForm5 d(*f->window);
            d.show();
            d.move(120, 90);
            at = d.pos();
            click(d, CalibrationButton::Start);
            f->sim->clearLog();
            click(d, CalibrationButton::Cancel);
            QCOMPARE(f->messages, QStringList{f->text(shell::Msg::CalibrationStopped)});
            QVERIFY(f->frames("WCG").empty());
            QVERIFY(!d.isVisible());
        }
        const auto kept = calibration::loadCalibrationPosition(f->configPath());
        QCOMPARE(QPoint(kept.FORM_LEFT, kept.FORM_TOP), at);
        TForm5 again(*f->window);
        again.show();
        QCOMPARE(again.pos(), at);
    }
};

QTEST_MAIN(CalibrationDialogTest)
#include "calibration_dialog_test.moc"
