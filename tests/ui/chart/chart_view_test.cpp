// ChartView and CursorChart offscreen: series fed from point lists, what a
// drawing reports, the gestures as requests, cursor dragging and the bars,
// and a chart without size.
#include "ui/chart/cursor_chart.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <vector>

using namespace tavimo;
using namespace tavimo::ui;
using waveform::AxisSpan;
using waveform::CursorLine;

Q_DECLARE_METATYPE(tavimo::waveform::AxisSpan)
Q_DECLARE_METATYPE(tavimo::waveform::PlotArea)
Q_DECLARE_METATYPE(tavimo::waveform::CursorLine)

namespace {

struct P {
    double x, y;
};

void mouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

void drag(QWidget* w, QPoint from, QPoint to)
{
    mouse(w, QEvent::MouseButtonPress, from, Qt::LeftButton);
    mouse(w, QEvent::MouseMove, to, Qt::LeftButton);
    mouse(w, QEvent::MouseButtonRelease, to, Qt::NoButton);
}

void wheel(QWidget* w, QPoint pos, int notches)
{
    QWheelEvent e(QPointF(pos), w->mapToGlobal(QPointF(pos)), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w, &e);
}

} // namespace

class ChartViewTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CursorChart> chart;
    ChartView* view() { return chart->view(); }
    QPoint centre() { return view()->axisRect()->rect().center(); }

private Q_SLOTS:
    void initTestCase()
    {
        qRegisterMetaType<AxisSpan>();
        qRegisterMetaType<waveform::PlotArea>();
        qRegisterMetaType<CursorLine>();
    }
    void init()
    {
        chart = std::make_unique<CursorChart>();
        chart->resize(640, 480);
        chart->show();
        view()->setAxes({0, 1000}, {0, 10});
        view()->redrawNow();
    }
    void cleanup() { chart.reset(); }

    void aGrowingListAddsOnlyItsTailAndAnotherListReplacesTheSeries()
    {
        const int s = view()->addSeries("Series1", "ID0", Qt::red);
        std::vector<P> points{{0, 1}, {10, 2}};
        view()->showPoints(s, points);
        QCOMPARE(view()->pointCount(s), 2);
        points.push_back({10, 3}); // a vertical step at the same x stays after its start
        points.push_back({20, 4});
        view()->showPoints(s, points);
        QCOMPARE(view()->pointCount(s), 4);
        const auto data = view()->series(s)->data();
        QCOMPARE(data->at(1)->value, 2.0);
        QCOMPARE(data->at(2)->value, 3.0);
        QCOMPARE(data->at(3)->key, 20.0);
        // A new capture: shorter, then one of the same length with other points.
        view()->showPoints(s, std::vector<P>{{0, 7}});
        QCOMPARE(view()->pointCount(s), 1);
        QCOMPARE(data->at(0)->value, 7.0);
        view()->showPoints(s, std::vector<P>{{5, 8}, {6, 9}});
        QCOMPARE(view()->pointCount(s), 2);
        QCOMPARE(data->at(0)->key, 5.0);
        view()->showPoints(s, std::vector<P>{});
        QCOMPARE(view()->pointCount(s), 0);
        QCOMPARE(view()->series(s)->objectName(), QString("Series1"));
        QCOMPARE(view()->series(s)->name(), QString("ID0"));
    }

    void aDrawingReportsItsPlotAreaAndAChartWithoutSizeReportsNothing()
    {
        QSignalSpy drawn(view(), &ChartView::drawn);
        view()->redrawNow();
        QCOMPARE(drawn.count(), 1);
        const auto area = drawn.at(0).at(0).value<waveform::PlotArea>();
        QVERIFY(area.width > 0 && area.height > 0);
        QVERIFY(area.right() <= view()->width() && area.bottom() <= view()->height());

        // Minimised to nothing: no report, no gesture, no cursor drag.
        QSignalSpy zoom(view(), &ChartView::zoomRequested);
        QSignalSpy pan(view(), &ChartView::panRequested);
        QSignalSpy moved(chart.get(), &CursorChart::cursorMoved);
        view()->setCursorDragEnabled(true, true);
        view()->setCursors({10, 20, 30, 40}, true, true);
        chart->resize(0, 0);
        view()->resize(0, 0);
        const int before = drawn.count();
        view()->redrawNow();
        QCOMPARE(drawn.count(), before);
        QVERIFY(!view()->hasPlotArea());
        wheel(view(), {0, 0}, 1);
        drag(view(), {0, 0}, {5, 5});
        QCOMPARE(zoom.count() + pan.count() + moved.count(), 0);
    }

    void wheelAndDragAreReportedAsTheAxesTheyWouldGive()
    {
        QSignalSpy zoom(view(), &ChartView::zoomRequested);
        QSignalSpy pan(view(), &ChartView::panRequested);
        wheel(view(), centre(), 1);
        QCOMPARE(zoom.count(), 1);
        const auto t = zoom.at(0).at(0).value<AxisSpan>();
        const auto v = zoom.at(0).at(1).value<AxisSpan>();
        QVERIFY(std::abs(t.span() - 800) < 1e-6);
        QVERIFY(std::abs(v.span() - 8) < 1e-6);
        QVERIFY(t.min > 0 && t.max < 1000); // around the pointer
        // The chart shows what the screen answers, not the request.
        QCOMPARE(view()->timeAxis(), (AxisSpan{0, 1000}));

        const waveform::PlotArea a = view()->plotArea();
        drag(view(), centre(), centre() + QPoint(a.width / 10, -a.height / 10));
        QCOMPARE(pan.count(), 1);
        const auto pt = pan.at(0).at(0).value<AxisSpan>();
        const auto pv = pan.at(0).at(1).value<AxisSpan>();
        QVERIFY(std::abs(pt.min + 100) < 10 && std::abs(pt.span() - 1000) < 1e-6); // dragged right: earlier times
        QVERIFY(std::abs(pv.min + 1) < 0.2 && std::abs(pv.span() - 10) < 1e-6);    // dragged up: lower values

        view()->setGesturesEnabled(false);
        wheel(view(), centre(), 1);
        drag(view(), centre(), centre() + QPoint(20, 20));
        QCOMPARE(zoom.count(), 1);
        QCOMPARE(pan.count(), 1);
    }

    void cursorLinesAreDraggedWhileShownAndEnabledAndTheBarsFollowThePositions()
    {
        QSignalSpy moved(chart.get(), &CursorChart::cursorMoved);
        QSignalSpy pan(view(), &ChartView::panRequested);
        const waveform::PlotArea a = view()->plotArea();
        const waveform::CursorPositions c{a.top + 50, a.top + 100, a.left + 200, a.left + 100};
        chart->showCursors(c, true, false);
        chart->setCursorControlsEnabled(true, true);
        QCOMPARE(moved.count(), 0);
        QCOMPARE(chart->bar(CursorLine::L1)->value(), c.L1 - 1);
        QCOMPARE(chart->bar(CursorLine::T2)->value(), c.T2 - 1);
        QCOMPARE(chart->bar(CursorLine::L1)->maximum(), view()->height());
        QCOMPARE(chart->bar(CursorLine::T1)->maximum(), view()->width());
        QCOMPARE(chart->bar(CursorLine::L1)->objectName(), QString("ScrollBar1"));

        drag(view(), {a.left + 300, c.L2 + 2}, {a.left + 300, c.L2 + 30});
        QCOMPARE(moved.count(), 1);
        QCOMPARE(moved.at(0).at(0).value<CursorLine>(), CursorLine::L2);
        QCOMPARE(moved.at(0).at(1).toInt(), c.L2 + 30 - 1);
        QCOMPARE(pan.count(), 0);

        // The time cursors are hidden: a press on T1 pans instead.
        drag(view(), {c.T1, a.top + 10}, {c.T1 + 5, a.top + 10});
        QCOMPARE(moved.count(), 1);
        QCOMPARE(pan.count(), 1);

        chart->bar(CursorLine::T1)->setValue(123);
        QCOMPARE(moved.count(), 2);
        QCOMPARE(moved.at(1).at(0).value<CursorLine>(), CursorLine::T1);
        QCOMPARE(moved.at(1).at(1).toInt(), 123);

        chart->setCursorControlsEnabled(false, false);
        QVERIFY(!chart->bar(CursorLine::L1)->isEnabled());
        drag(view(), {a.left + 300, c.L1}, {a.left + 300, c.L1 + 30});
        QCOMPARE(moved.count(), 2);
    }
};

QTEST_MAIN(ChartViewTest)
#include "chart_view_test.moc"
