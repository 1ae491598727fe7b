// TForm20, the progress window: a bar the caller drives while it works on
// the user-interface thread. It stays on top, centred, without title-bar
// buttons; the caller sets the cursor and destroys it.
#pragma once

#include <QDialog>

class QProgressBar;

namespace tavimo::ui {

class TForm20 : public QDialog {
    Q_OBJECT
public:
    explicit TForm20(QWidget* parent = nullptr);

    QProgressBar* bar() const { return bar_; }
    void setRange(int minimum, int maximum);
    void setStep(int step) { step_ = step; }
    void setPosition(int position);
    void stepIt();
    // Shows without blocking and paints at once.
    void showNow();

protected:
    void closeEvent(QCloseEvent* event) override; // only the caller closes it
    void keyPressEvent(QKeyEvent* event) override;

private:
    QProgressBar* bar_;
    int step_ = 4;
};

} // namespace tavimo::ui
