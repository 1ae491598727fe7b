#include "ui/measure/calibration_dialog.h"

#include "calibration/calibration_position.h"
#include "ui/gui_operator.h"
#include "shell/screen_keys.h"
#include "ui/main_window.h"
#include "ui/radio_group.h"
#include "ui/screen_texts.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace tavimo::ui {

using calibration::CalibrationButton;

namespace {

constexpr CalibrationButton kOrder[] = {CalibrationButton::Start, CalibrationButton::Zero, CalibrationButton::Half,
                                        CalibrationButton::Full,  CalibrationButton::End,  CalibrationButton::Cancel};

const std::filesystem::path& configPath(TForm1& main) { return main.session().options().configPath; }

} // namespace

TForm5::TForm5(TForm1& main)
    : QDialog(&main, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      main_(main), ctx_(main.session().operationContext(main.op())),
      procedure_(ctx_, main.state().controller()), target_(new RadioGroup("RadioGroup1", 2, this))
{
    setObjectName("TForm5");
    setModal(true);
    prepareWindow(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(target_);
    for (int i = 0; i < 6; ++i) {
        auto* b = new QPushButton(this);
        b->setObjectName(QStringLiteral("Button%1").arg(i + 1));
        b->setAutoDefault(false);
        b->setMinimumHeight(b->sizeHint().height() * 3 / 2);
        const CalibrationButton which = kOrder[i];
        connect(b, &QPushButton::clicked, this, [this, which] { press(which); });
        if (which == CalibrationButton::Cancel) layout->addSpacing(8);
        layout->addWidget(b);
        buttons_[static_cast<std::size_t>(which)] = b;
    }
    applyScreenTexts(this, shell::form::kCalibration);
    target_->setItemIndex(static_cast<int>(procedure_.target()));
    connect(target_, &RadioGroup::itemClicked, this,
            [this](int i) { procedure_.setTarget(static_cast<calibration::CalibrationTarget>(i)); });
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const auto at = calibration::loadCalibrationPosition(configPath(main_));
    const QPoint kept(at.FORM_LEFT, at.FORM_TOP);
    for (const QScreen* s : QGuiApplication::screens())
        if ((at.FORM_LEFT != 0 || at.FORM_TOP != 0) && s->availableGeometry().contains(kept)) move(kept);
    closedAt_ = pos();
    render();
}

TForm5::~TForm5()
{
    // A position that cannot be saved is not worth a message.
    calibration::saveCalibrationPosition(configPath(main_), {closedAt_.y(), closedAt_.x()});
}

void TForm5::render()
{
    target_->setEnabled(procedure_.targetEnabled());
    target_->setItemIndex(static_cast<int>(procedure_.target()));
    for (CalibrationButton b : kOrder) button(b)->setEnabled(!busy_ && procedure_.enabled(b));
}

void TForm5::press(CalibrationButton b)
{
    if (busy_ || procedure_.closed()) return;
    if (b == CalibrationButton::Start) procedure_.setTarget(static_cast<calibration::CalibrationTarget>(target_->itemIndex()));
    busy_ = true;
    render();
    const bool open = procedure_.press(b);
    busy_ = false;
    render();
    if (!open) reject();
}

void TForm5::closeEvent(QCloseEvent* event)
{
    // The close box ends the calibration without a command; not while a
    // step is on the line.
    if (busy_) return event->ignore();
    QDialog::closeEvent(event);
}

void TForm5::hideEvent(QHideEvent* event)
{
    // Taken while the window is still placed: a hidden window's frame
    // position is not reliable.
    closedAt_ = pos();
    QDialog::hideEvent(event);
}

void TForm5::keyPressEvent(QKeyEvent* event)
{
    if (busy_ && event->key() == Qt::Key_Escape) return;
    QDialog::keyPressEvent(event);
}

void runCalibrationDialog(TForm1& main)
{
    TForm5 dialog(main);
    dialog.exec();
}

} // namespace tavimo::ui
