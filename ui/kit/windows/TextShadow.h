#pragma once

#include <QColor>
#include <QPointF>

namespace ui {

// A text shadow: its colour, its offset (y downward) and how far it blurs.
struct TextShadow {
    QColor shadowColor;
    QPointF shadowOffset;
    qreal shadowBlurRadius = 0;
};

}  // namespace ui
