#pragma once

#include <QBrush>
#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>

namespace ui {

// Where an attached window lies relative to its point. The "ward" sides put the point near one
// corner of the window, so that the window extends away from it in the named direction.
namespace AttachedSide {
enum : int {
    Left = 0,
    Below = 1,
    Right = 2,
    Above = 3,
    LeftUpward = 4,
    LeftDownward = 5,
    RightUpward = 6,
    RightDownward = 7,
    AboveLeftward = 8,
    AboveRightward = 9,
    BelowLeftward = 10,
    BelowRightward = 11,
    Automatic = 12,
};
}

// The look of an attached window's background, as it stands before any setter clamps it.
struct AttachedWindowStyle {
    QBrush background = QColor(Qt::white);
    QColor borderColor;
    qreal borderWidth = 0;
    qreal viewMargin = 2;
    qreal arrowBaseWidth = 0;
    qreal arrowHeight = 0;
    bool hasArrow = true;
    qreal cornerRadius = 6;
    bool drawsRoundCornerBesideArrow = true;
};

// The geometry and background of a small borderless window that holds a view next to a point:
// a rounded shape around the view, optionally outlined and with an arrow toward the point.
// Points and frames are in Cocoa form (origin at the bottom left, y upward): the point and the
// window frame in screen coordinates, the view frame inside the window. Only the background
// path and picture are in the window's own coordinates, y downward, ready to paint.
class AttachedWindowShape {
public:
    // What a change asks of the window: nothing, a new background picture, or a new layout too.
    enum class Redo { Nothing, Background, Redisplay };

    AttachedWindowShape(const QSizeF& viewSize, int side, qreal distance, const AttachedWindowStyle& style);

    int side() const { return _side; }
    void setSide(int side) { _side = side; }
    qreal distance() const { return _distance; }
    QRectF viewFrame() const { return _viewFrame; }

    const QBrush& background() const { return style.background; }
    Redo setBackground(const QBrush& background);
    QColor borderColor() const { return style.borderColor; }
    Redo setBorderColor(const QColor& color);
    qreal borderWidth() const { return style.borderWidth; }
    Redo setBorderWidth(qreal width);
    qreal viewMargin() const { return style.viewMargin; }
    Redo setViewMargin(qreal margin);
    qreal arrowBaseWidth() const { return style.arrowBaseWidth; }
    Redo setArrowBaseWidth(qreal width);
    qreal arrowHeight() const { return style.arrowHeight; }
    Redo setArrowHeight(qreal height);
    bool hasArrow() const { return style.hasArrow; }
    Redo setHasArrow(bool hasArrow);
    qreal cornerRadius() const { return style.cornerRadius; }
    Redo setCornerRadius(qreal radius);
    bool drawsRoundCornerBesideArrow() const { return style.drawsRoundCornerBesideArrow; }
    Redo setDrawsRoundCornerBesideArrow(bool rounds);

    // How far the arrow's tip sits from the window's corner on the extending sides.
    qreal arrowInset() const;

    // The side that keeps the window on the visible screen: below, right, left or above the point
    // in that order of preference, then shifted to extend away from the parent window's edges
    // when the centred place would stick out past them. The parent frame is the visible screen
    // when there is no parent window.
    int bestSide(const QPointF& point, const QRectF& visibleFrame, const QRectF& parentFrame) const;

    // Lays the window out on its side of the point: places the view inside it and returns the
    // window's frame on the screen.
    QRectF updateGeometry(const QPointF& point);

    // The outline around the view, in the coordinates of a window of the given size.
    QPainterPath backgroundPath(const QSizeF& windowSize) const;
    // The window's background: the outline filled with the background and stroked with the
    // border; transparent outside it.
    QImage backgroundImage(const QSizeF& windowSize, qreal devicePixelRatio) const;

private:
    QSizeF windowSize() const;
    QRectF contentRect(const QSizeF& windowSize) const;
    qreal shorterViewSide() const;

    AttachedWindowStyle style;
    int _side;
    qreal _distance;
    QRectF _viewFrame;
};

}  // namespace ui
