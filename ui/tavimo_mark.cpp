#include "ui/tavimo_mark.h"

#include <QPainterPath>
#include <QPixmap>

namespace tavimo::ui {

void drawTavimoMark(QPainter& p, const QRectF& r)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(r.topLeft());
    p.scale(r.width() / 64.0, r.height() / 64.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#1f4e5f"));
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    p.setBrush(QColor("#d9e2e6"));
    p.drawRoundedRect(QRectF(7, 21, 17, 22), 2, 2);
    p.setBrush(QColor("#9fb3bb"));
    p.drawRect(QRectF(24, 25, 4, 14));
    p.setBrush(Qt::NoBrush);
    const struct {
        double x, top, reach, opacity;
    } arcs[] = {{32, 24, 6, 1.0}, {37, 19, 9, 0.8}, {42, 14, 12, 0.55}};
    for (const auto& a : arcs) {
        QPainterPath path(QPointF(a.x, a.top));
        path.quadTo(QPointF(a.x + a.reach, 32), QPointF(a.x, 64 - a.top));
        QColor c("#f5a623");
        c.setAlphaF(a.opacity);
        p.setPen(QPen(c, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(path);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#7fa7b5"));
    p.drawRoundedRect(QRectF(50, 10, 7, 44), 2, 2);
    p.restore();
}

QIcon tavimoIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        drawTavimoMark(p, QRectF(0, 0, size, size));
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

} // namespace tavimo::ui
