// The numeric entry field as a widget: keys, colour, leaving, paste, and the
// settled change notification.
#include "ui/number_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using tavimo::ui::UNumberEdit;

class NumberEditTest : public QObject {
    Q_OBJECT

    QWidget* window = nullptr;
    UNumberEdit* field = nullptr;
    QLineEdit* next = nullptr;

    bool red() const { return field->palette().color(QPalette::Text) == QColor(0xFF, 0, 0); }
    void focusField()
    {
        field->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(field->hasFocus());
        QCoreApplication::processEvents(); // the select-all of the focus
        field->selectAll();
    }

private Q_SLOTS:
    void init()
    {
        window = new QWidget;
        auto* layout = new QVBoxLayout(window);
        field = new UNumberEdit(window, "Field");
        next = new QLineEdit(window);
        layout->addWidget(field);
        layout->addWidget(next);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }
    void cleanup() { delete window; }

    void integerFieldMarksAndFallsBack()
    {
        field->setInteger(true);
        field->setFigure("0");
        field->SetMinMaxDef(100, 500, 250);
        focusField();
        QTest::keyClicks(field, "50");
        QCOMPARE(field->text(), QString("50"));
        QVERIFY(red());
        QSignalSpy errors(field, &UNumberEdit::errRange);
        next->setFocus(Qt::TabFocusReason);
        QCOMPARE(field->text(), QString("250"));
        QCOMPARE(errors.count(), 1);
        QTRY_VERIFY(field->hasFocus()); // the focus is put back
        QVERIFY(!red());

        field->selectAll();
        QTest::keyClicks(field, "300");
        QSignalSpy changes(field, &UNumberEdit::changed);
        next->setFocus(Qt::TabFocusReason);
        QCOMPARE(field->text(), QString("300"));
        QCOMPARE(changes.count(), 1); // at once on leaving
        QVERIFY(next->hasFocus());
        QCOMPARE(field->GetValue(), 300.0);
    }

    void keyFilter()
    {
        field->setFigure("0.0000");
        field->SetMinMaxDef(-99.9999, 99.9999, 0);
        focusField();
        QTest::keyClicks(field, "1,5.a7-");
        QCOMPARE(field->text(), QString("1.57")); // comma as point, second point, letter and minus refused
        field->selectAll();
        QTest::keyClicks(field, "-2");
        QCOMPARE(field->text(), QString("-2"));
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(field->text(), QString("-"));
        QTest::keyClick(field, Qt::Key_Escape);
        QCOMPARE(field->text(), QString());
        next->setFocus(Qt::TabFocusReason);
        QCOMPARE(field->text(), QString("0.0000")); // empty takes the default
    }

    void enterMovesToTheNextControl()
    {
        field->setFigure("0.0000");
        field->SetMinMaxDef(0, 10, 1);
        focusField();
        QTest::keyClicks(field, "1.23456");
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(next->hasFocus());
        QCOMPARE(field->text(), QString("1.2346"));
    }

    void plusFieldAndPaste()
    {
        field->setPlus(true);
        field->setFigure("0.00");
        field->SetMinMaxDef(0, 10, 1);
        focusField();
        QTest::keyClicks(field, "-");
        QVERIFY(!field->text().contains('-'));
        QApplication::clipboard()->setText("-1");
        field->selectAll();
        QTest::keySequence(field, QKeySequence::Paste);
        QVERIFY(!field->text().contains('-'));
        QApplication::clipboard()->setText("abc");
        QTest::keySequence(field, QKeySequence::Paste);
        QVERIFY(!field->text().contains('a'));
        QApplication::clipboard()->setText("7,5");
        field->selectAll();
        QTest::keySequence(field, QKeySequence::Paste);
        QCOMPARE(field->text(), QString("7.5"));
        // Whatever way text arrives, it must read as a number text.
        field->selectAll();
        field->insert("1x");
        QCOMPARE(field->text(), QString("7.5"));
    }

    void changeIsReportedOnlyAfterTheInputSettles()
    {
        field->setFigure("0.0000");
        field->SetMinMaxDef(0, 10, 1);
        focusField();
        QSignalSpy changes(field, &UNumberEdit::changed);
        QTest::keyClicks(field, "4");
        QCOMPARE(changes.count(), 0);
        QVERIFY(changes.wait(3000));
        QCOMPARE(changes.count(), 1);
        QTest::keyClicks(field, "0"); // 40: out of range, nothing reported
        QVERIFY(!changes.wait(1500));
        QVERIFY(red());
    }

    void setMinMaxDefKeepsTheDefaultInside()
    {
        field->setFigure("0.0000");
        field->SetMinMaxDef(0, 10, 20);
        QCOMPARE(field->spec().defaultValue, 10.0);
        field->SetMinMaxDef(5, 1, 0);
        QCOMPARE(field->spec().max, 5.0);
        QCOMPARE(field->text(), QString("5.0000")); // the old value left the range
        field->SetValue(12);
        QCOMPARE(field->text(), QString("5.0000"));
    }
};

QTEST_MAIN(NumberEditTest)
#include "number_edit_test.moc"
