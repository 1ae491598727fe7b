// Where the screen windows open: the remembered position when it is on a
// screen, else beside the main window where the window fits.
#include "ui/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

using tavimo::ui::placeScreenWindow;

class WindowPlacementTest : public QObject {
    Q_OBJECT

    QRect area() const { return QGuiApplication::primaryScreen()->availableGeometry(); }

private Q_SLOTS:
    void placement_data()
    {
        QTest::addColumn<QSize>("mainSize");
        QTest::addColumn<QPoint>("remembered");
        QTest::addColumn<QString>("expected"); // "remembered", "right", "below", "corner", "unchanged"
        const QSize small(300, 200);
        QTest::newRow("remembered on the screen") << small << QPoint(40, 30) << "remembered";
        QTest::newRow("none remembered: right of the main window") << small << QPoint(0, 0) << "right";
        QTest::newRow("remembered on a screen that is gone") << small << QPoint(100000, 100000) << "right";
        QTest::newRow("too wide beside it: below") << QSize(area().width() - 100, 200) << QPoint(0, 0) << "below";
        QTest::newRow("fits on neither side: the far corner")
            << QSize(area().width() - 100, area().height() - 50) << QPoint(0, 0) << "corner";
        QTest::newRow("larger than the screen: left to the window manager") << small << QPoint(0, 0) << "unchanged";
    }

    void placement()
    {
        QFETCH(QSize, mainSize);
        QFETCH(QPoint, remembered);
        QFETCH(QString, expected);
        QWidget main;
        main.setGeometry(QRect(area().topLeft(), mainSize));
        QWidget window;
        window.resize(expected == "unchanged" ? area().size() + QSize(10, 10) : QSize(200, 120));
        window.move(area().topLeft() + QPoint(7, 9));
        const QPoint before = window.pos();
        placeScreenWindow(window, main, remembered.x(), remembered.y());
        const QRect m = main.frameGeometry();
        if (expected == "remembered") QCOMPARE(window.pos(), remembered);
        if (expected == "right") QCOMPARE(window.pos(), QPoint(m.right() + 1, m.top()));
        if (expected == "below") QCOMPARE(window.pos(), QPoint(m.left(), m.bottom() + 1));
        if (expected == "corner") QCOMPARE(QRect(window.pos(), window.size()).bottomRight(), area().bottomRight());
        if (expected == "unchanged") QCOMPARE(window.pos(), before);
    }
};

QTEST_MAIN(WindowPlacementTest)
#include "window_placement_test.moc"
