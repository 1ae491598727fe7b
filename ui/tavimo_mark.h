// The Tavimo mark (a sensor head, its eddy-current field and the target),
// drawn with QPainter; the same drawing as packaging/tavimo.svg, which the
// desktop entry uses.
#pragma once

#include <QIcon>
#include <QPainter>
#include <QRectF>

namespace tavimo::ui {

void drawTavimoMark(QPainter& painter, const QRectF& square);
QIcon tavimoIcon();

} // namespace tavimo::ui
