#include "ui/splash.h"

#include "ui/tavimo_mark.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

namespace tavimo::ui {

namespace {

QPixmap splashPicture()
{
    QPixmap pm(480, 320);
    pm.fill(QColor("#f4f7f8"));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRect(0, 250, 480, 70), QColor("#1f4e5f"));
    drawTavimoMark(p, QRectF(40, 60, 140, 140));
    QFont title = p.font();
    title.setPointSize(40);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor("#1f4e5f"));
    p.drawText(QRect(200, 80, 260, 80), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tavimo"));
    QFont sub = p.font();
    sub.setPointSize(11);
    sub.setBold(false);
    p.setFont(sub);
    p.setPen(QColor("#4a6a76"));
    p.drawText(QRect(204, 150, 260, 40), Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("Eddy-current displacement sensors"));
    p.setPen(Qt::white);
    p.drawText(QRect(24, 250, 432, 70), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Orvik"));
    return pm;
}

} // namespace

Tsplash::Tsplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName("Tsplash");
    setAttribute(Qt::WA_DeleteOnClose);
    auto* image = new QLabel(this);
    image->setObjectName("Image1");
    image->setPixmap(splashPicture());
    image->setGeometry(0, 0, 480, 320);
    setFixedSize(480, 320);
    if (const QScreen* s = QGuiApplication::primaryScreen()) move(s->availableGeometry().center() - rect().center());
    timer_.setObjectName("Timer1");
    timer_.setSingleShot(true);
    timer_.setInterval(1000);
    connect(&timer_, &QTimer::timeout, this, &QWidget::close);
    timer_.start();
}

void Tsplash::showNow()
{
    show();
    raise();
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace tavimo::ui
