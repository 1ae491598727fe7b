// TForm4 offscreen against the simulator on a real pty: the controls and
// texts, Start's frames, the automatic end and the readout into grid and
// chart, the readout's Cancel and its modality, the controller selection
// locked while a run is pending, the question when the screen closes over a
// running controller, and a malformed CSV refused with the data kept.
#include "main_window_fixture.h"

#include "buffering/buffered_data.h"
#include "shell/catalog.h"
#include "shell/screen_keys.h"
#include "ui/buffering/buffering_plot.h"
#include "ui/buffering/buffering_window.h"
#include "ui/progress_cancel_dialog.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"
#include "ui/register_screens.h"
#include "ui/screen_texts.h"
#include "window/screen_switch.h"

#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QSlider>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <fstream>

using namespace tavimo;
using namespace tavimo::ui;

namespace {

constexpr int kWaitMs = 20000; // generous: the run, its end and the status ticks

// The request command fields ("WBT", "RBN", ...) sent to controller `id`.
QStringList commandsTo(const sim::Simulator& sim, int id)
{
    QStringList out;
    for (const std::string& f : sim.requestFrames())
        if (f.size() > 8 && f[7] == static_cast<char>('0' + id)) out << QString::fromStdString(f.substr(4, 3));
    return out;
}

} // namespace

class BufferingScreenTest : public QObject {
    Q_OBJECT

    std::unique_ptr<testkit::MainWindowFixture> f;

    TForm1& w() { return *f->window; }
    TForm4* screen() { return qobject_cast<TForm4*>(w().openScreen()); }
    template <class T>
    T* get(const char* name)
    {
        return screen() ? screen()->findChild<T*>(QString::fromLatin1(name)) : nullptr;
    }
    bool enabled(const char* name) { return get<QWidget>(name) && get<QWidget>(name)->isEnabled(); }
    void click(const char* name) { QTest::mouseClick(get<QPushButton>(name), Qt::LeftButton); }

    // The simulator with `ids`, each with an internal trigger (the entry
    // check refuses a controller whose trigger is "None"), online, the
    // buffering screen open.
    void openOnline(std::vector<int> ids, const std::string& config = {})
    {
        if (!config.empty()) f->writeConfig(config);
        f->open(ids);
        QVERIFY(f->sim);
        for (int id : ids)
            f->sim->withController(id, [](sim::ControllerState& c) {
                for (auto& m : c.memories) m.triggerMode = 2;
            });
        w().OnlineButtonClick();
        QVERIFY(f->session->active.online());
        w().switchScreenTo(window::kScreenBuffering);
        QVERIFY(screen());
    }
    void waitReadable()
    {
        QTRY_VERIFY_WITH_TIMEOUT(enabled("Button2") && !screen()->screen().monitor().pending(), kWaitMs);
    }
    QString gridCell(int row, int column)
    {
        auto* g = screen()->grid();
        return g->model()->data(g->model()->index(row, column)).toString();
    }

private Q_SLOTS:
    void initTestCase() { registerScreens(); }
    void init() { f = std::make_unique<testkit::MainWindowFixture>(); }
    void cleanup() { f.reset(); }

    void offlineControlsAndEnglishTexts()
    {
        f->writeConfig("[ENVIRONMENT]\r\nLANGUAGE=1\r\n");
        f->open();
        w().switchScreenTo(window::kScreenBuffering);
        QVERIFY(screen());
        const QStringList missing = applyScreenTexts(screen(), shell::form::kDataBuffering);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
        QCOMPARE(screen()->windowTitle(), QString("Data buffering"));
        QCOMPARE(get<QPushButton>("Button1")->text(), QString("Execute"));
        QCOMPARE(get<QLabel>("Label20")->text(), QString("Unknown"));
        QCOMPARE(get<QLabel>("Label14")->text(), QString("00 ms"));
        QCOMPARE(screenProperty(screen()->findChild<QObject*>("OpenDialog1"), "Filter"),
                 QString("Measurement data CSV file(*.CSV)|*.CSV"));
        // Offline: no run, no readout, no settings; the file and view controls work.
        for (const char* off : {"Button1", "Button2", "BitBtn2", "RadioGroup1", "Button4"}) QVERIFY2(!enabled(off), off);
        for (const char* on : {"Button3", "BitBtn1", "XWidthEdit", "CheckBox9"}) QVERIFY2(enabled(on), on);
        // The display switch hides the grid and shows it again.
        QVERIFY(screen()->grid()->isVisible());
        click("BitBtn1");
        QVERIFY(!screen()->grid()->isVisible());
        click("BitBtn1");
        QVERIFY(screen()->grid()->isVisible());
        QVERIFY(f->messages.isEmpty());
    }

    void startSendsTheStartFramesInOrder()
    {
        openOnline({0});
        QVERIFY(enabled("Button1"));
        f->sim->clearLog();
        click("Button1");
        const QStringList sent = commandsTo(*f->sim, 0);
        QStringList writes;
        for (const QString& c : sent)
            if (c == "WBT" || c == "WBM" || c == "WBP" || c == "WBR") writes << c;
        QCOMPARE(writes, QStringList({"WBT", "WBM", "WBP", "WBR"}));
        f->sim->withController(0, [](sim::ControllerState& c) {
            QCOMPARE(c.buffering.enabled, 1);
            QCOMPARE(c.buffering.rate, 4); // RATE's default
        });
        QTRY_COMPARE_WITH_TIMEOUT(get<QPushButton>("Button1")->text(), msgText(shell::Msg::Stop), kWaitMs);
        QVERIFY(!enabled("BitBtn2")); // no settings while running
        QVERIFY(f->messages.isEmpty());
    }

    void completionEndsTheRunAndTheReadoutFillsGridAndChart()
    {
        // 5000 points at 0.1 ms: the completion timer ends the run after 500 ms.
        openOnline({0}, "[DATABUFF]\r\nAMOUNT_N=5000\r\nRATE=4\r\nTRIG_POINT=1\r\n");
        click("Button1");
        waitReadable();
        QCOMPARE(commandsTo(*f->sim, 0).count("WBR"), 2); // the start and the automatic end
        QCOMPARE(get<QLabel>("Label20")->text(), msgText(shell::Msg::Stopping));

        click("Button2");
        QVERIFY(f->messages.isEmpty());
        const buffering::BufferedData& data = screen()->screen().data();
        QCOMPARE(int(data.size()), 5000);
        QCOMPARE(screen()->plot().pointCount(), 5000);
        QCOMPARE(screen()->grid()->model()->rowCount(), 5000);
        QCOMPARE(gridCell(0, 0), QString("1"));
        QCOMPARE(gridCell(4999, 1), qs(buffering::valueText(data[4999].value)));
        QVERIFY(std::abs(data[0].position - 0.1) < 1e-9); // one interval at rate 4
        QVERIFY(enabled("Button4"));
        QVERIFY(w().isEnabled());
        QVERIFY(!screen()->op().cancelWindow());

        // A grid row marks its point; the value cursor reads the drawn chart.
        QVERIFY(!screen()->plot().markShown());
        screen()->grid()->setCurrentIndex(screen()->grid()->model()->index(9, 1));
        QVERIFY(screen()->plot().markShown());
        QCOMPARE(get<QSlider>("TrackBar1")->value(), 9);
        get<QCheckBox>("CheckBox9")->setChecked(true);
        QVERIFY(enabled("ScrollBar1"));
        QTRY_VERIFY(get<QLabel>("StaticText1")->text() != QString("0.0000"));
    }

    void theReadoutIsModalAndCancelClearsTheDisplay()
    {
        openOnline({0}, "[DATABUFF]\r\nAMOUNT_N=5000\r\nRATE=4\r\nTRIG_POINT=1\r\n");
        click("Button1");
        waitReadable();
        bool seen = false, busy = false, mainDisabled = false, stayed = false, stillOnline = false, kept = false;
        QTimer::singleShot(0, this, [&] {
            TForm23* cancel = screen()->op().cancelWindow();
            seen = cancel != nullptr;
            busy = screen()->screenBusy();
            mainDisabled = !w().isEnabled();
            QWidget* open = w().openScreen();
            w().switchScreenTo(window::kScreenNone);
            stayed = w().openScreen() == open && w().screenMode() == window::kScreenBuffering;
            w().OnlineButtonClick();
            stillOnline = f->session->active.online();
            kept = !w().close() && w().isVisible();
            if (cancel) QTest::mouseClick(cancel->cancelButton(), Qt::LeftButton);
        });
        click("Button2");
        QVERIFY(seen);
        QVERIFY(busy);
        QVERIFY(mainDisabled);
        QVERIFY(stayed);
        QVERIFY(stillOnline);
        QVERIFY(kept); // the main window does not close under the readout
        QCOMPARE(f->messages, QStringList({msgText(shell::Msg::DataReceiveStopped)}));
        QVERIFY(screen()->screen().data().empty());
        QCOMPARE(screen()->plot().pointCount(), 0);
        QCOMPARE(gridCell(0, 1), QString());
        QVERIFY(w().isEnabled());
        QVERIFY(!screen()->screenBusy());
        QVERIFY(enabled("Button2")); // the points can be read again
    }

    void aFailedStartReleasesTheLockAndResumesTheWorker()
    {
        openOnline({0});
        f->sim->addFault({sim::FaultKind::ShortAnswer, 0, "WBM", -1}); // every retry too
        click("Button1");
        f->sim->clearFaults();
        QVERIFY(f->messages.contains(msgText(shell::Msg::SettingSendFailed)));
        QVERIFY(!w().fatalEnded());
        QVERIFY(screen()->record().copy()); // the lock is free again
        QVERIFY(!screen()->screen().monitor().pending());
        QVERIFY(enabled("Button1"));
        QVERIFY(enabled("RadioGroup1"));
        // The worker polls the status again.
        f->sim->clearLog();
        QTRY_VERIFY_WITH_TIMEOUT(commandsTo(*f->sim, 0).contains("RBR"), kWaitMs);
    }

    void theSettingScreenRunsWithTheWorkerPaused()
    {
        openOnline({0});
        QTRY_VERIFY_WITH_TIMEOUT(enabled("BitBtn2"), kWaitMs);
        int shown = 0;
        std::size_t polled = 1;
        screen()->setSettingsDialog([&] {
            ++shown;
            f->sim->clearLog();
            QTest::qWait(600); // three status periods: a running worker would have polled
            polled = f->sim->requestCount();
        });
        click("BitBtn2");
        QCOMPARE(shown, 1);
        QCOMPARE(polled, std::size_t(0));
        QVERIFY(f->messages.isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(commandsTo(*f->sim, 0).contains("RBR"), kWaitMs);
    }

    void aBatchSendSelectsTheControllerAgain()
    {
        openOnline({0, 1});
        screen()->RadioGroup1Click(1);
        QCOMPARE(screen()->record().copy()->controllerId, 1);
        f->sim->clearLog();
        Q_EMIT w().batchSendFinished();
        const QStringList sent = commandsTo(*f->sim, 1);
        for (const char* read : {"RTG", "RBT", "RBP", "RAP", "RHM"}) QVERIFY2(sent.contains(read), read);
        QCOMPARE(screen()->record().copy()->controllerId, 1);
    }

    void anotherControllerCannotBeChosenWhileARunIsPending()
    {
        // 50000 points at 2.5 ms: the run outlasts the test.
        openOnline({0, 1}, "[DATABUFF]\r\nAMOUNT_N=50000\r\nRATE=100\r\nTRIG_POINT=1\r\n");
        QCOMPARE(get<RadioGroup>("RadioGroup1")->items().size(), 2);
        click("Button1");
        QVERIFY(!enabled("RadioGroup1"));
        f->sim->clearLog();
        screen()->RadioGroup1Click(1);
        QCOMPARE(screen()->record().copy()->controllerId, 0);
        QCOMPARE(get<RadioGroup>("RadioGroup1")->itemIndex(), 0);
        QVERIFY(commandsTo(*f->sim, 1).isEmpty());
        f->answers = {false}; // the close stops it
    }

    void closingOverARunningControllerAsks()
    {
        struct Case {
            bool leaveRunning;
        };
        for (const Case c : {Case{true}, Case{false}}) {
            init();
            openOnline({0}, "[DATABUFF]\r\nAMOUNT_N=50000\r\nRATE=100\r\nTRIG_POINT=1\r\n");
            click("Button1");
            QTRY_COMPARE_WITH_TIMEOUT(get<QPushButton>("Button1")->text(), msgText(shell::Msg::Stop), kWaitMs);
            QList<QuestionKind> kinds;
            f->op.setMessageHook([&](QuestionKind kind, const QString& text) -> std::optional<shell::Answer> {
                f->messages << text;
                kinds << kind;
                return c.leaveRunning ? shell::Answer::Yes : shell::Answer::No;
            });
            QPointer<TForm4> closing = screen();
            w().switchScreenTo(window::kScreenMeasuredValues);
            QVERIFY(closing && closing->screen().closed());
            QVERIFY(!closing->completionTimerActive() && !closing->screen().completionDueAt());
            QVERIFY(!w().openScreen() || !qobject_cast<TForm4*>(w().openScreen()));
            QCOMPARE(f->messages.size(), 1);
            QVERIFY(f->messages[0].startsWith(qs(" ID 0\n")));
            QVERIFY(f->messages[0].endsWith(msgText(shell::Msg::ConfirmCloseWhileBuffering)));
            QCOMPARE(kinds, QList<QuestionKind>({QuestionKind::YesNoDefaultNo}));
            f->sim->withController(0, [&](sim::ControllerState& s) {
                QCOMPARE(s.buffering.enabled, c.leaveRunning ? 1 : 0);
                QCOMPARE(s.run.running(sim::Clock::now()), c.leaveRunning);
            });
            cleanup();
        }
    }

    void aMalformedCsvIsRefusedAndTheDataStays()
    {
        f->open();
        w().switchScreenTo(window::kScreenBuffering);
        QVERIFY(screen());
        const std::string good = f->dir.path().toStdString() + "/good.CSV";
        const std::string bad = f->dir.path().toStdString() + "/bad.CSV";
        std::ofstream(good, std::ios::binary) << "Line number, Measured value 1, Sampling rate\r\n"
                                                 "1, 0.1000, 4\r\n2, 0.2000, 4\r\n3, 0.3000, 4\r\n";
        std::ofstream(bad, std::ios::binary) << "Line number, Measured value 1, Sampling rate\r\n"
                                                "1, 0.5000, 4\r\n2, garbage, 4\r\n";
        QString next = QString::fromStdString(good);
        screen()->setFileChooser([&](BufferingFileKind, const QString&) { return next; });
        click("Button3");
        QVERIFY(f->messages.isEmpty());
        QCOMPARE(screen()->plot().pointCount(), 3);
        QCOMPARE(gridCell(2, 1), QString("0.3000"));

        next = QString::fromStdString(bad);
        click("Button3");
        QCOMPARE(f->messages, QStringList({msgText(shell::Msg::FileReadFailed)}));
        QCOMPARE(int(screen()->screen().data().size()), 3);
        QCOMPARE(screen()->plot().pointCount(), 3);
        QCOMPARE(screen()->grid()->model()->rowCount(), 3);
        QCOMPARE(gridCell(0, 1), QString("0.1000"));
        QVERIFY(enabled("Button4"));
    }
};

QTEST_MAIN(BufferingScreenTest)
#include "buffering_screen_test.moc"
