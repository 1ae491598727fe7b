// TForm6 offscreen: its controls and texts, the fields and sliders kept
// equal, the predicted time, and what "Set" and "Cancel" leave in the
// shared record.
#include "../../core/buffering/lock_holder.h"

#include "buffering/buffering_state.h"
#include "measure/shared_data.h"
#include "shell/catalog.h"
#include "shell/screen_keys.h"
#include "ui/buffering/settings_dialog.h"
#include "ui/gui_operator.h"
#include "ui/number_edit.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"
#include "ui/screen_texts.h"

#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <memory>

using namespace tavimo;
using namespace tavimo::ui;

class SettingsDialogTest : public QObject {
    Q_OBJECT

    measure::SharedData shared;
    std::unique_ptr<buffering::BufferingRecord> record;
    GuiOperator op;
    QStringList messages;

    // The record as the screen leaves it: a controller of `maxPoints` points.
    void prepare(int maxPoints, int points, int rate, int trigger, int applicationMode = 0, int triggerType = 0)
    {
        record = std::make_unique<buffering::BufferingRecord>(shared);
        auto s = record->copy();
        QVERIFY(s);
        s->maxPoints = maxPoints;
        s->bufferPoints = points;
        s->bufferRate = rate;
        s->triggerPoint = trigger;
        s->applicationMode = applicationMode;
        s->triggerType = triggerType;
        QVERIFY(record->store(*s));
    }
    std::unique_ptr<TForm6> dialog()
    {
        auto form = buffering::BufferingSettingsForm::open(*record, op);
        return form ? std::make_unique<TForm6>(*form, *record, op) : nullptr;
    }
    template <class T>
    static T* get(QWidget* w, const char* name)
    {
        return w->findChild<T*>(QString::fromLatin1(name));
    }
    // A value typed into a field and passed on as the field's notification.
    static void enter(QWidget* w, const char* field, int value)
    {
        auto* e = get<UNumberEdit>(w, field);
        e->SetValue(value);
        Q_EMIT e->changed();
    }

private Q_SLOTS:
    void init()
    {
        messages.clear();
        op.setMessageHook([this](QuestionKind, const QString& text) -> std::optional<shell::Answer> {
            messages << text;
            return std::nullopt;
        });
    }
    void cleanup() { shell::Catalog::instance().setLanguage(shell::Language::Japanese); }

    void controlsAndTextsInBothLanguages()
    {
        prepare(50000, 10000, 4, 1);
        for (auto lang : {shell::Language::English, shell::Language::Japanese}) {
            shell::Catalog::instance().setLanguage(lang);
            auto d = dialog();
            QVERIFY(d);
            const QStringList missing = applyScreenTexts(d.get(), shell::form::kBufferingSettings);
            QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
            const bool en = lang == shell::Language::English;
            QCOMPARE(d->windowTitle(), en ? QString("Data buffering setting") : qs("データバッファリング設定"));
            QCOMPARE(get<QPushButton>(d.get(), "BitBtn1")->text(), en ? QString("Set") : qs("設　定"));
            QCOMPARE(get<RadioGroup>(d.get(), "RadioGroup1")->items().value(1),
                     en ? QString("Internal trigger") : qs("内部トリガ"));
            QCOMPARE(get<QLabel>(d.get(), "Label2")->toolTip(),
                     en ? QString("Prediction time of buffering") : qs("予測バッファリング時間です"));
        }
    }

    void opensWithTheRecordAndPredictsTheTime()
    {
        prepare(50000, 10000, 4, 1);
        auto d = dialog();
        QCOMPARE(get<QSlider>(d.get(), "TrackBar3")->maximum(), 50000);
        QCOMPARE(get<QSlider>(d.get(), "TrackBar3")->value(), 10000);
        QCOMPARE(get<UNumberEdit>(d.get(), "UNumberEdit3")->text(), QString("10000"));
        QCOMPARE(get<QSlider>(d.get(), "TrackBar1")->value(), 4);
        QCOMPARE(get<QSlider>(d.get(), "TrackBar2")->maximum(), 10000);
        QCOMPARE(get<QLabel>(d.get(), "Label2")->text(), QString("1000"));
        QCOMPARE(get<RadioGroup>(d.get(), "RadioGroup1")->itemIndex(), 0);
        QVERIFY(!get<RadioGroup>(d.get(), "RadioGroup1")->isEnabled());

        enter(d.get(), "UNumberEdit3", 1);
        enter(d.get(), "UNumberEdit1", 1);
        QCOMPARE(get<QLabel>(d.get(), "Label2")->text(), QString("?"));
        QCOMPARE(get<QSlider>(d.get(), "TrackBar3")->value(), 1);
    }

    void capacityAndRotationModeShapeTheControls()
    {
        prepare(5000, 10000, 4, 1, 2, 0);
        auto d = dialog();
        QCOMPARE(get<QSlider>(d.get(), "TrackBar3")->maximum(), 5000);
        QCOMPARE(get<QSlider>(d.get(), "TrackBar3")->value(), 5000);
        QCOMPARE(get<UNumberEdit>(d.get(), "UNumberEdit3")->spec().max, 5000.0);
        QCOMPARE(get<RadioGroup>(d.get(), "RadioGroup1")->itemIndex(), 1); // internal in rotation mode
        QTest::mouseClick(get<QPushButton>(d.get(), "BitBtn1"), Qt::LeftButton);
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QCOMPARE(record->copy()->triggerType, 1);
        QCOMPARE(record->copy()->bufferPoints, 5000);
    }

    void fewerPointsClampTheTriggerPointInBothControls()
    {
        prepare(50000, 100, 4, 80);
        auto d = dialog();
        QCOMPARE(get<QSlider>(d.get(), "TrackBar2")->value(), 80);
        get<QSlider>(d.get(), "TrackBar3")->setValue(50); // the slider moves its field
        QCOMPARE(get<UNumberEdit>(d.get(), "UNumberEdit3")->text(), QString("50"));
        QCOMPARE(get<QSlider>(d.get(), "TrackBar2")->maximum(), 50);
        QCOMPARE(get<QSlider>(d.get(), "TrackBar2")->value(), 50);
        QCOMPARE(get<UNumberEdit>(d.get(), "UNumberEdit2")->text(), QString("50"));
        QCOMPARE(get<UNumberEdit>(d.get(), "UNumberEdit2")->spec().max, 50.0);
        QCOMPARE(get<QLabel>(d.get(), "Label2")->text(), QString("5"));
    }

    void setStoresTheSlidersCancelStoresNothing()
    {
        prepare(50000, 10000, 4, 1);
        const auto before = record->copy();
        // The same changes, closed with `button`.
        const auto editAndClose = [this](const char* button) {
            auto d = dialog();
            enter(d.get(), "UNumberEdit3", 2000);
            enter(d.get(), "UNumberEdit1", 8);
            get<QSlider>(d.get(), "TrackBar2")->setValue(300);
            QTest::mouseClick(get<QPushButton>(d.get(), button), Qt::LeftButton);
            return d->result();
        };
        QCOMPARE(editAndClose("BitBtn2"), int(QDialog::Rejected));
        QCOMPARE(record->copy()->parameters(), before->parameters());
        QCOMPARE(editAndClose("BitBtn1"), int(QDialog::Accepted));
        const auto after = record->copy();
        QCOMPARE(after->bufferPoints, 2000);
        QCOMPARE(after->bufferRate, 8);
        QCOMPARE(after->triggerPoint, 300);
        QCOMPARE(after->triggerType, 0);
        QVERIFY(messages.isEmpty());
    }

    void setWithoutTheLockClosesAsCancelled()
    {
        prepare(50000, 10000, 4, 1);
        const auto before = record->copy();
        auto d = dialog();
        enter(d.get(), "UNumberEdit3", 2000);
        {
            bufferingtest::LockHolder held(shared.bufferLock);
            QTest::mouseClick(get<QPushButton>(d.get(), "BitBtn1"), Qt::LeftButton);
        }
        QCOMPARE(d->result(), int(QDialog::Rejected));
        QCOMPARE(messages.size(), 1);
        QCOMPARE(record->copy()->parameters(), before->parameters());
    }
};

QTEST_MAIN(SettingsDialogTest)
#include "settings_dialog_test.moc"
