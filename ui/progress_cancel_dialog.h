// TForm23, the progress window with a Cancel button. Cancel (also Enter,
// Esc and the close box) only hides the window and sets the cancel flag;
// the owner, which still drives the bar, destroys it when it is done, so
// the window never disappears under its owner. The owner code 3 (the data
// buffering readout) is the only one whose cancel callback is called.
#pragma once

#include <QDialog>

#include <functional>

class QProgressBar;
class QPushButton;

namespace tavimo::ui {

inline constexpr int kOwnerDataBuffering = 3;

class TForm23 : public QDialog {
    Q_OBJECT
public:
    explicit TForm23(QWidget* parent = nullptr);

    QProgressBar* bar() const { return bar_; }
    QPushButton* cancelButton() const { return cancel_; }
    void setOwnerCode(int code) { ownerCode_ = code; }
    int ownerCode() const { return ownerCode_; }
    // Called on Cancel for owner code 3.
    void setCancelHandler(std::function<void()> handler) { onCancel_ = std::move(handler); }
    bool cancelled() const { return cancelled_; }
    void showNow();

public Q_SLOTS:
    void reject() override; // Esc: Cancel
    void cancel();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QProgressBar* bar_;
    QPushButton* cancel_;
    int ownerCode_ = 0;
    bool cancelled_ = false;
    std::function<void()> onCancel_;
};

} // namespace tavimo::ui
