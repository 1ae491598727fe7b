#include "ui/progress_dialog.h"

#include "shell/screen_keys.h"
#include "ui/screen_texts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QProgressBar>
#include <QVBoxLayout>

#include <algorithm>

namespace tavimo::ui {

TForm20::TForm20(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      bar_(new QProgressBar(this))
{
    setObjectName("TForm20");
    prepareWindow(this);
    bar_->setObjectName("ProgressBar1");
    bar_->setRange(0, 24);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    bar_->setMinimumWidth(320);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bar_);
    setModal(false);
    applyScreenTexts(this, shell::form::kProgress);
}

void TForm20::setRange(int minimum, int maximum)
{
    bar_->setRange(minimum, maximum < minimum ? minimum : maximum);
    bar_->setValue(minimum);
}

void TForm20::setPosition(int position)
{
    bar_->setValue(std::clamp(position, bar_->minimum(), bar_->maximum()));
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TForm20::stepIt() { setPosition(bar_->value() + step_); }

void TForm20::showNow()
{
    show();
    raise();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TForm20::closeEvent(QCloseEvent* event) { event->ignore(); }

void TForm20::keyPressEvent(QKeyEvent* event)
{
    // Esc would reject the dialog; the caller ends it.
    if (event->key() == Qt::Key_Escape) return;
    QDialog::keyPressEvent(event);
}

} // namespace tavimo::ui
