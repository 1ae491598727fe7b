#include "ui/waveform/track_bar.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

namespace tavimo::ui {

TrackBar::TrackBar(QWidget* parent) : QSlider(Qt::Horizontal, parent)
{
    setObjectName("TrackBar1");
    setTickPosition(QSlider::TicksBelow);
    setTickInterval(16);
}

void TrackBar::setSelectionEnd(int end)
{
    if (end == selectionEnd_) return;
    selectionEnd_ = end;
    update();
}

void TrackBar::paintEvent(QPaintEvent* event)
{
    QSlider::paintEvent(event);
    if (selectionEnd_ <= minimum() || maximum() <= minimum()) return;
    QStyleOptionSlider o;
    initStyleOption(&o);
    const QRect groove = style()->subControlRect(QStyle::CC_Slider, &o, QStyle::SC_SliderGroove, this);
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &o, QStyle::SC_SliderHandle, this);
    const int span = groove.width() - handle.width();
    const int left = groove.left() + handle.width() / 2;
    const int right = left + QStyle::sliderPositionFromValue(minimum(), maximum(), selectionEnd_, span);
    QPainter p(this);
    p.fillRect(QRect(QPoint(left, groove.bottom() + 1), QPoint(right, groove.bottom() + 3)), palette().highlight());
}

} // namespace tavimo::ui
