#include "ui/progress_cancel_dialog.h"

#include "shell/screen_keys.h"
#include "ui/screen_texts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavimo::ui {

TForm23::TForm23(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      bar_(new QProgressBar(this)), cancel_(new QPushButton(this))
{
    setObjectName("TForm23");
    prepareWindow(this);
    bar_->setObjectName("ProgressBar1");
    bar_->setRange(0, 24);
    bar_->setTextVisible(false);
    bar_->setMinimumWidth(320);
    cancel_->setObjectName("BitBtn1");
    cancel_->setDefault(true); // Enter
    connect(cancel_, &QPushButton::clicked, this, &TForm23::cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bar_);
    layout->addWidget(cancel_, 0, Qt::AlignHCenter);
    applyScreenTexts(this, shell::form::kProgressWithCancel);
}

void TForm23::showNow()
{
    show();
    raise();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TForm23::cancel()
{
    if (!cancelled_) {
        cancelled_ = true;
        if (ownerCode_ == kOwnerDataBuffering && onCancel_) onCancel_();
    }
    hide();
}

void TForm23::reject() { cancel(); }

void TForm23::closeEvent(QCloseEvent* event)
{
    event->ignore();
    cancel();
}

} // namespace tavimo::ui
