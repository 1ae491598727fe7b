#include "ui/buffering/buffering_operator.h"

#include "ui/gui_operator.h"
#include "ui/progress_cancel_dialog.h"
#include "ui/qt_text.h"

#include <QApplication>
#include <QProgressBar>

namespace tavimo::ui {

namespace {
constexpr int kInputEvery = 100; // pending input is processed at multiples of this
}

BufferingOperator::BufferingOperator(GuiOperator& base, QWidget* owner) : base_(base), owner_(owner) {}

BufferingOperator::~BufferingOperator() = default;

void BufferingOperator::showMessage(const std::string& text) { base_.showMessage(text); }

// The screen's one question (a controller still running when it closes)
// has No preselected.
bool BufferingOperator::askYesNo(const std::string& text) { return base_.askDefaultNo(qs(text)); }

shell::Answer BufferingOperator::askYesNoCancel(const std::string& text) { return base_.askYesNoCancel(text); }

void BufferingOperator::progressBegin(int max)
{
    ++depth_;
    if (!cancellable_ || cancel_) return base_.progressBegin(max);
    cancel_ = std::make_unique<TForm23>(owner_);
    cancel_->setOwnerCode(kOwnerDataBuffering);
    cancel_->setWindowModality(Qt::ApplicationModal);
    cancel_->bar()->setRange(0, max);
    cancel_->bar()->setValue(0);
    cancel_->showNow();
}

void BufferingOperator::progressSet(int value)
{
    if (!cancel_ || depth_ > 1) return base_.progressSet(value);
    cancel_->bar()->setValue(std::min(value, cancel_->bar()->maximum()));
    // Only here may the operator's Cancel click get through.
    if (value % kInputEvery == 0 || value >= cancel_->bar()->maximum()) QApplication::processEvents();
}

void BufferingOperator::progressEnd()
{
    if (depth_ > 0) --depth_;
    if (cancel_ && depth_ == 0) {
        cancel_.reset();
        return;
    }
    base_.progressEnd();
}

bool BufferingOperator::cancelRequested() { return cancel_ && cancel_->cancelled(); }

void BufferingOperator::setBusy(bool busy) { base_.setBusy(busy); }

void BufferingOperator::requestTermination() { base_.requestTermination(); }

} // namespace tavimo::ui
