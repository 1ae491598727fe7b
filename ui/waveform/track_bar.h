// TrackBar1 of the waveform screen: a slider over the archive's 256 block
// places that also marks its selection (the archived blocks) along the
// groove.
#pragma once

#include <QSlider>

namespace tavimo::ui {

class TrackBar : public QSlider {
    Q_OBJECT
public:
    explicit TrackBar(QWidget* parent = nullptr);
    void setSelectionEnd(int end);
    int selectionEnd() const { return selectionEnd_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int selectionEnd_ = 0;
};

} // namespace tavimo::ui
