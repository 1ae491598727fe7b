// TForm3 in the main window offscreen, against the simulator on a real pty:
// how the screen opens, capture through the display timer, the files
// through the window, the cursors and their read-outs, and the screen's
// configuration keys. The acquisition itself is tested in tests/core/waveform.
#include "chart/chart_events.h"
#include "main_window_fixture.h"

#include "files/app_config.h"
#include "shell/catalog.h"
#include "shell/screen_keys.h"
#include "ui/chart/cursor_chart.h"
#include "ui/number_edit.h"
#include "ui/qt_text.h"
#include "ui/screen_texts.h"
#include "ui/waveform/waveform_screen.h"
#include "waveform/tmd_file.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <fstream>
#include <iterator>

using namespace tavimo;
using namespace tavimo::ui;
using waveform::CursorLine;

namespace {

std::string fileBytes(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A small capture of controllers 0 and 3, as a file of two blocks.
waveform::WaveArchive sampleArchive()
{
    waveform::WaveArchive a;
    a.header().captureInterval = 200;
    std::uint32_t tick = 1000;
    for (int k = 0; k < 2; ++k) {
        measure::WaveBlock b;
        for (int i = 0; i < 10; ++i) {
            auto& r = b.records[static_cast<std::size_t>(i)];
            r.tick = tick;
            tick += 20;
            for (int id : {0, 3}) {
                auto& s = r.slot[static_cast<std::size_t>(id)];
                s.valid = 1;
                s.value = 1.0 + id + 0.1 * i;
                s.upper = 4;
                s.lower = 1;
                s.go = 1;
            }
        }
        a.archive(b, 10);
    }
    return a;
}

} // namespace

class WaveformScreenTest : public QObject {
    Q_OBJECT

    std::unique_ptr<testkit::MainWindowFixture> f;
    std::filesystem::path folder() const { return f->dir.path().toStdString(); }

    TForm1& w() { return *f->window; }
    TForm3* screen() { return qobject_cast<TForm3*>(w().openScreen()); }
    template <class T>
    T* get(const char* name)
    {
        T* c = screen()->findChild<T*>(QString::fromLatin1(name));
        if (!c) qWarning() << "no control" << name;
        return c;
    }
    QString text(shell::Msg m) const { return msgText(m); }

    void openWaveform(std::vector<int> ids)
    {
        const bool online = !ids.empty();
        f->open(std::move(ids));
        if (online) {
            QTest::mouseClick(w().findChild<QPushButton*>("OnlineButton"), Qt::LeftButton);
            QVERIFY(f->session->active.online());
        }
        QTest::mouseClick(w().findChild<QToolButton*>("SpeedButton2"), Qt::LeftButton);
        QVERIFY(screen());
        QCOMPARE(w().screenMode(), window::kScreenWaveform);
    }
    // Ticks of the display timer until the chart holds points of `id`.
    void collectUntilPlotted(int id)
    {
        QTest::mouseClick(get<QPushButton>("Button1"), Qt::LeftButton);
        QCOMPARE(screen()->acquisition().state(), waveform::AcquisitionState::Collecting);
        QVERIFY(screen()->timer1().isActive());
        const int s = screen()->seriesOf(id);
        QTRY_VERIFY_WITH_TIMEOUT(screen()->chart()->view()->pointCount(s) >= 10, 20000);
        QTest::mouseClick(get<QPushButton>("Button1"), Qt::LeftButton);
        QCOMPARE(screen()->acquisition().state(), waveform::AcquisitionState::Idle);
    }
    // The file dialogs answer with these paths.
    void chooseFiles(const std::filesystem::path& load, const std::filesystem::path& save, int saveFilter = 0)
    {
        screen()->setFileChooser([=](WaveDialog d, const QString&) {
            return d == WaveDialog::Load ? ChosenFile{qs(load.string()), 0} : ChosenFile{qs(save.string()), saveFilter};
        });
    }

private Q_SLOTS:
    void initTestCase() { registerWaveformScreen(); }
    void init() { f = std::make_unique<testkit::MainWindowFixture>(); }
    void cleanup() { f.reset(); }

    void opensOnlineWithOneSeriesPerConnectedControllerAndItsTexts()
    {
        openWaveform({0, 2, 5});
        const QStringList missing = applyScreenTexts(screen(), shell::form::kWaveform);
        // The series of controllers that are not connected are not made.
        QCOMPARE(missing, (QStringList{"Series2", "Series4", "Series5", "Series7", "Series8"}));
        ChartView* view = screen()->chart()->view();
        QCOMPARE(view->seriesCount(), 3 + 2); // and the two limit lines
        QCOMPARE(screen()->seriesOf(0), 0);
        QCOMPARE(screen()->seriesOf(2), 1);
        QCOMPARE(screen()->seriesOf(5), 2);
        QCOMPARE(screen()->seriesOf(1), -1);
        QCOMPARE(view->series(2)->name(), QString("ID5"));
        QCOMPARE(get<QPushButton>("Button1")->text(), qs("取　得"));
        QVERIFY(get<QPushButton>("Button1")->isEnabled());
        QVERIFY(!get<QPushButton>("Button2")->isEnabled()); // nothing archived
        QVERIFY(!get<QPushButton>("Button4")->isEnabled());
        QCOMPARE(screen()->windowTitle(), qs("測定値波形表示"));
        QCOMPARE(view->yAxis->label(), QString("mm(V)"));
        QCOMPARE(view->xAxis->label(), QString("ms"));
        // The cursors were placed from the chart's size at creation.
        QVERIFY(view->height() > 200);
        QCOMPARE(screen()->cursors().positions(), waveform::initialCursorPositions(view->width(), view->height()));
    }

    void collectPlotsTheSampledPointsAndStopRestoresTheControls()
    {
        openWaveform({0, 2, 5});
        QTest::mouseClick(get<QPushButton>("Button1"), Qt::LeftButton);
        QCOMPARE(get<QPushButton>("Button1")->text(), text(shell::Msg::Stop));
        QVERIFY(!get<QPushButton>("Button2")->isEnabled());
        QVERIFY(!get<QPushButton>("Button3")->isEnabled());
        QVERIFY(!get<UNumberEdit>("XWidthEdit")->isEnabled());
        QVERIFY(!screen()->chart()->view()->gesturesEnabled());
        QTest::mouseClick(get<QPushButton>("Button1"), Qt::LeftButton);

        collectUntilPlotted(0);
        const waveform::WavePlot& plot = screen()->acquisition().plot();
        ChartView* view = screen()->chart()->view();
        for (int id : {0, 2, 5}) {
            const int s = screen()->seriesOf(id);
            QCOMPARE(view->pointCount(s), static_cast<int>(plot.controllers[static_cast<std::size_t>(id)].size()));
            QCOMPARE(view->series(s)->data()->at(0)->key, plot.controllers[static_cast<std::size_t>(id)][0].x);
        }
        QCOMPARE(view->timeAxis(), screen()->acquisition().axes().time);
        QVERIFY(!screen()->timer1().isActive());
        QCOMPARE(get<QPushButton>("Button1")->text(), qs("取　得"));
        QVERIFY(get<QPushButton>("Button2")->isEnabled());
        QVERIFY(get<QPushButton>("Button4")->isEnabled());
        QVERIFY(screen()->chart()->view()->gesturesEnabled());
    }

    void aBadFileShowsTheReadFailureAndKeepsTheShownCapture()
    {
        openWaveform({}); // offline: load and replay work
        const auto good = folder() / "good.TMD";
        QCOMPARE(waveform::saveTmdFile(good, sampleArchive()), waveform::WaveFileError::None);
        std::string bytes = fileBytes(good);
        const auto bad = folder() / "bad.TMD";
        std::ofstream(bad, std::ios::binary) << bytes.substr(0, bytes.size() - 100); // a block cut short

        chooseFiles(good, {});
        screen()->Button3Click();
        QVERIFY(f->messages.isEmpty());
        QCOMPARE(screen()->acquisition().archive().size(), std::size_t{2});
        QTest::mouseClick(get<QPushButton>("Button2"), Qt::LeftButton); // replay
        QCOMPARE(screen()->timer1().interval(), 200);                   // the file's capture interval
        QTRY_COMPARE_WITH_TIMEOUT(screen()->acquisition().state(), waveform::AcquisitionState::Idle, 10000);
        ChartView* view = screen()->chart()->view();
        const int shown = view->pointCount(screen()->seriesOf(3));
        QCOMPARE(shown, 20);

        chooseFiles(bad, {});
        screen()->Button3Click();
        QCOMPARE(f->messages, QStringList{text(shell::Msg::FileReadFailed)});
        QCOMPARE(screen()->acquisition().archive().size(), std::size_t{2});
        QCOMPARE(waveform::tmdBytes(screen()->acquisition().archive()), bytes);
        QCOMPARE(view->pointCount(screen()->seriesOf(3)), shown);
        QVERIFY(get<QPushButton>("Button2")->isEnabled());
    }

    void aCaptureSavedThroughTheWindowLoadsBackAndCsvFollowsTheFilter()
    {
        openWaveform({1, 4});
        collectUntilPlotted(1);
        const std::string captured = waveform::tmdBytes(screen()->acquisition().archive());
        const auto tmd = folder() / "capture.TMD";
        chooseFiles(tmd, tmd, 0);
        QTest::mouseClick(get<QPushButton>("Button4"), Qt::LeftButton);
        QVERIFY(f->messages.isEmpty());
        QCOMPARE(fileBytes(tmd), captured);

        // The CSV filter writes CSV, whatever the name says.
        const auto csv = folder() / "capture-as-csv.TMD";
        chooseFiles(tmd, csv, 1);
        QTest::mouseClick(get<QPushButton>("Button4"), Qt::LeftButton);
        const std::string text = fileBytes(csv);
        QVERIFY(text.find("\r\n1, ") != std::string::npos);

        // Loaded again: the same archive, the chart emptied until a replay.
        QTest::mouseClick(get<QPushButton>("Button3"), Qt::LeftButton);
        QVERIFY(f->messages.isEmpty());
        QCOMPARE(waveform::tmdBytes(screen()->acquisition().archive()), captured);
        QCOMPARE(screen()->chart()->view()->pointCount(screen()->seriesOf(1)), 0);
        QCOMPARE(screen()->acquisition().trackBar().selectionEnd,
                 static_cast<int>(screen()->acquisition().archive().size()));
    }

    void zoomAndPanKeepToTheAcquisitionsLimits()
    {
        openWaveform({});
        ChartView* view = screen()->chart()->view();
        QTRY_VERIFY(view->hasPlotArea());
        const QPoint centre = view->axisRect()->rect().center();
        testkit::wheel(view, centre, 20); // far below the smallest spans
        QCOMPARE(view->timeAxis().span(), waveform::kMinZoomTimeSpanMs);
        QCOMPARE(view->valueAxis().span(), waveform::kMinZoomValueSpan);
        QCOMPARE(view->timeAxis(), screen()->acquisition().axes().time);

        // A drag that would leave the panning range is refused; a small one moves.
        const waveform::AxisSpan zoomed = view->timeAxis();
        const waveform::PlotArea a = view->plotArea();
        testkit::drag(view, centre, centre + QPoint(a.width / 2 - 2, 0)); // 50 ms earlier
        QVERIFY(std::abs(view->timeAxis().min - (zoomed.min - 50)) < 1);
        testkit::drag(view, centre, centre + QPoint(a.width * 200, 0)); // before 0
        QVERIFY(view->timeAxis().min >= 0);
        QVERIFY(std::abs(view->timeAxis().min - (zoomed.min - 50)) < 1);
        QCOMPARE(view->timeAxis(), screen()->acquisition().axes().time);
    }

    void theCursorReadOutsFollowTheBarsAndTheBoxes()
    {
        openWaveform({0});
        QTRY_VERIFY(screen()->cursors().scale().valid); // the chart has been drawn
        QVERIFY(!get<QScrollBar>("ScrollBar1")->isEnabled());
        QCOMPARE(get<QLabel>("StaticText1")->text(), QString("0.0000"));

        get<QCheckBox>("CheckBox9")->click();
        QVERIFY(get<QScrollBar>("ScrollBar1")->isEnabled());
        QVERIFY(!get<QScrollBar>("ScrollBar3")->isEnabled());
        get<QScrollBar>("ScrollBar1")->setValue(screen()->cursors().scale().plotTop + 9);
        get<QScrollBar>("ScrollBar2")->setValue(screen()->cursors().scale().plotTop + 99);
        const auto expected = [&] {
            const auto& f3 = screen()->acquisition().fields();
            return screen()->cursors().readouts(screen()->acquisition().axes(), f3.MEASURE_CURSOR, f3.TIME_CURSOR);
        };
        QCOMPARE(screen()->cursors().positions().L1, screen()->cursors().scale().plotTop + 10);
        QCOMPARE(get<QLabel>("StaticText1")->text(), qs(expected().L1));
        QCOMPARE(get<QLabel>("StaticText3")->text(), qs(expected().PP));
        QVERIFY(get<QLabel>("StaticText3")->text() != QString("0.0000"));
        QCOMPARE(get<QLabel>("StaticText4")->text(), QString("0.00"));

        get<QCheckBox>("CheckBox10")->click();
        get<QScrollBar>("ScrollBar3")->setValue(screen()->cursors().scale().plotLeft + 49);
        QCOMPARE(get<QLabel>("StaticText4")->text(), qs(expected().T1));
        QVERIFY(get<QLabel>("StaticText6")->text() != QString("0.00"));
        QCOMPARE(screen()->chart()->view()->cursors(), screen()->cursors().positions());

        get<QCheckBox>("CheckBox9")->click(); // off: zero texts
        QCOMPARE(get<QLabel>("StaticText1")->text(), QString("0.0000"));
    }

    void cursorMovesOnAnEmptyOrMinimisedChartDoNothingHarmful()
    {
        openWaveform({});
        screen()->showMinimized();
        ChartView* view = screen()->chart()->view();
        view->resize(0, 0);
        view->redrawNow();
        get<QCheckBox>("CheckBox9")->click();
        get<QCheckBox>("CheckBox10")->click();
        const waveform::CursorPositions before = screen()->cursors().positions();
        for (const char* bar : {"ScrollBar1", "ScrollBar2", "ScrollBar3", "ScrollBar4"}) {
            get<QScrollBar>(bar)->setValue(0);
            get<QScrollBar>(bar)->setValue(get<QScrollBar>(bar)->maximum());
        }
        QTest::qWait(50);
        for (const char* t : {"StaticText1", "StaticText2", "StaticText3", "StaticText4", "StaticText5", "StaticText6"}) {
            bool ok = false;
            QVERIFY(std::isfinite(get<QLabel>(t)->text().toDouble(&ok)));
            QVERIFY(ok);
        }
        if (!screen()->cursors().scale().valid) QCOMPARE(screen()->cursors().positions(), before);
    }

    void aFieldShowsTheValueTheAcquisitionKeeps()
    {
        openWaveform({});
        const auto enter = [&](const char* name, const QString& text) {
            UNumberEdit* e = get<UNumberEdit>(name);
            e->setText(text);
            Q_EMIT e->changed();
        };
        // Every field shows its figure from the start, a zero included.
        QCOMPARE(get<UNumberEdit>("UNumberEdit2")->text(), QString("5.00"));
        QCOMPARE(get<UNumberEdit>("UNumberEdit3")->text(), QString("0.00"));
        enter("UNumberEdit2", "2.00");
        QCOMPARE(screen()->chart()->view()->valueAxis(), (waveform::AxisSpan{0, 2}));
        enter("UNumberEdit3", "3.00"); // not below the maximum: the minimum goes to its own lowest
        QCOMPARE(get<UNumberEdit>("UNumberEdit3")->text(), QString("-1000.00"));
        QCOMPARE(screen()->chart()->view()->valueAxis(), (waveform::AxisSpan{-1000, 2}));
        get<QToolButton>("SpeedButton1")->click();
        QCOMPARE(get<UNumberEdit>("UNumberEdit2")->text(), QString("5.00"));
        QCOMPARE(get<UNumberEdit>("UNumberEdit3")->text(), QString("0.00"));
        enter("XWidthEdit", "7");
        QCOMPARE(screen()->chart()->view()->timeAxis(), (waveform::AxisSpan{0, 700}));
    }

    void theScreensKeysAreReadAtCreationAndWrittenWhenItCloses()
    {
        f->writeConfig("[MEASUREWAVE]\nHORIZONTAL=20\nTHRESHOLD=1\nSELECT_ID=3\nOUT_POSITION=-2\n");
        openWaveform({});
        QCOMPARE(get<UNumberEdit>("XWidthEdit")->text(), QString("20"));
        QCOMPARE(get<UNumberEdit>("OutputPositionEdit")->text(), QString("-2"));
        QVERIFY(get<QCheckBox>("CheckBox11")->isChecked());
        QCOMPARE(screen()->chart()->view()->timeAxis(), (waveform::AxisSpan{0, 2000}));
        get<QCheckBox>("CheckBox12")->click();
        QVERIFY(get<UNumberEdit>("OutputPositionEdit")->isEnabled());
        get<QToolButton>("SpeedButton2")->click(); // width back to 50

        QTest::mouseClick(get<QPushButton>("Button5"), Qt::LeftButton); // close
        QVERIFY(!w().openScreen());
        QTest::qWait(0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const waveform::WaveScreenConfig keys = waveform::loadWaveConfig(f->configPath());
        QCOMPARE(keys.HORIZONTAL, 50);
        QVERIFY(keys.THRESHOLD);
        QVERIFY(keys.HI_PASS_LO);
        QCOMPARE(keys.SELECT_ID, 3);
        QCOMPARE(keys.OUT_POSITION, -2);
    }
};

QTEST_MAIN(WaveformScreenTest)
#include "waveform_screen_test.moc"
