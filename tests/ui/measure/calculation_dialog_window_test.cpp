// TForm7 against the simulator: the usable rows, a repeated ID moved with
// its message, the clear pass then the write pass, the stored table, and a
// failure that leaves the dialog open for another try.
#include "measure_windows_fixture.h"

#include "ui/measure/calculation_dialog_window.h"
#include "ui/radio_group.h"

#include <QComboBox>

using namespace tavimo;
using namespace tavimo::ui;

class CalculationDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<testkit::MeasureWindowsFixture> f;

    static void pickType(TForm7& d, int row, int mode)
    {
        QTest::mouseClick(d.typeGroup(row)->findChildren<QAbstractButton*>().value(mode), Qt::LeftButton);
    }
    static void pick(QComboBox* list, int id)
    {
        list->setCurrentIndex(id);
        Q_EMIT list->activated(id);
    }
    QPushButton* send(TForm7& d) { return d.findChild<QPushButton*>("BitBtn1"); }

private Q_SLOTS:
    void init() { f = std::make_unique<testkit::MeasureWindowsFixture>(); }
    void cleanup() { f.reset(); }

    void theCalculationButtonOpensItModallyAndCancelSendsNothing()
    {
        f->openOnline({0, 1});
        const auto before = f->session->model.calculations;
        bool seen = false;
        f->whenModal<TForm7>([&](TForm7& d) {
            seen = true;
            pickType(d, 0, 2);
            QTest::mouseClick(d.findChild<QPushButton*>("BitBtn2"), Qt::LeftButton);
        });
        f->sim->clearLog();
        f->window->BitBtn3Click();
        QVERIFY(seen);
        QVERIFY(f->frames("WUC").empty());
        QVERIFY(f->session->model.calculations == before);
    }

    void repeatedIdsAreMovedThenSendClearsAndWritesAndStoresTheTable()
    {
        f->openOnline({0, 1, 2, 3, 5});
        f->sim->withController(5, [](sim::ControllerState& c) {
            c.calcMode = 2;
            c.calcPartner = 3;
        });
        TForm7 d(*f->window);
        d.show();
        // Five controllers: rows 1 and 2.
        for (int r = 0; r < 4; ++r) QCOMPARE(d.typeGroup(r)->isEnabled(), r < 2);
        QVERIFY(send(d)->isEnabled());
        QVERIFY(!d.listA(0)->isEnabled()); // type "NONE"

        pickType(d, 0, 1); // A+B
        QVERIFY(d.listA(0)->isEnabled());
        pick(d.listB(0), 0); // repeats A (0): B moves to the highest free ID
        QCOMPARE(f->messages, QStringList{f->text(shell::Msg::DuplicateId)});
        QCOMPARE(d.listA(0)->currentIndex(), 0);
        QCOMPARE(d.listB(0)->currentIndex(), 7);
        pick(d.listA(0), 1);
        pick(d.listB(0), 5);
        QCOMPARE(f->messages.size(), 1);
        pickType(d, 1, 2); // A-B on row 2 (A 2, B 3 from the table)

        f->sim->clearLog();
        f->messages.clear();
        QTest::mouseClick(send(d), Qt::LeftButton);
        QVERIFY(f->messages.isEmpty());
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(f->frames("WUC"), (std::vector<std::string>{"5:WUC00", "1:WUC15", "2:WUC23"}));
        const auto& table = f->session->model.calculations;
        QCOMPARE(table[0].MODE, 1);
        QCOMPARE(table[0].ID_A, 1);
        QCOMPARE(table[0].ID_B, 5);
        QVERIFY(table[1].ENABLED && table[1].MODE == 2);
        QVERIFY(!table[2].ENABLED);
        QVERIFY(f->nothingLeftBusy());
    }

    void aFailureInTheMiddleGivesTheMessageAndTheDialogStaysUsable()
    {
        f->openOnline({0, 1});
        TForm7 d(*f->window);
        d.show();
        pickType(d, 0, 1);
        sim::Fault fails;
        fails.command = "WUC"; // silent to the write pass
        f->sim->addFault(fails);
        f->sim->clearLog();
        QTest::mouseClick(send(d), Qt::LeftButton);
        f->sim->clearFaults();
        QCOMPARE(f->frames("RUC"), (std::vector<std::string>{"0:RUC0", "1:RUC0"})); // the clear pass came first
        QCOMPARE(f->messages, QStringList{f->text(shell::Msg::SettingSendFailed)});
        QVERIFY(d.isVisible());
        QVERIFY(d.isEnabled());
        QVERIFY(send(d)->isEnabled());
        QVERIFY(d.typeGroup(0)->isEnabled());
        QVERIFY(f->nothingLeftBusy());
        QVERIFY(!f->window->fatalEnded());
        QVERIFY(f->workerPollsAgain());

        f->messages.clear();
        QTest::mouseClick(send(d), Qt::LeftButton); // the second try goes through
        QVERIFY(f->messages.isEmpty());
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(f->frames("WUC").back(), std::string("0:WUC11"));
    }
};

QTEST_MAIN(CalculationDialogTest)
#include "calculation_dialog_window_test.moc"
