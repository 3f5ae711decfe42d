#include "ui/kit/windows/AttachedWindowShape.h"

#include "ui/kit/looks/CocoaRect.h"

#include <QPainter>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

using namespace AttachedSide;

// Halves are taken in single precision, as the window server's own lengths are.
qreal half(qreal length) { return static_cast<float>(length / 2); }

bool arrowWidensWindow(int side) {
    return side == Left || side == Right || (side >= LeftUpward && side <= RightDownward);
}

// The edges of the outline in the window's own coordinates, walked clockwise on the screen from
// the top left corner, and where along its edge the arrow stands.
enum class Edge { Top, Right, Bottom, Left };
enum class Along { Middle, Start, End };
struct ArrowPlace {
    Edge edge;
    Along along;
};

ArrowPlace arrowPlace(int side) {
    switch (side) {
        case Left: return {Edge::Right, Along::Middle};
        case LeftDownward: return {Edge::Right, Along::Start};
        case LeftUpward: return {Edge::Right, Along::End};
        case Above: return {Edge::Bottom, Along::Middle};
        case AboveLeftward: return {Edge::Bottom, Along::Start};
        case AboveRightward: return {Edge::Bottom, Along::End};
        case Right: return {Edge::Left, Along::Middle};
        case RightUpward: return {Edge::Left, Along::Start};
        case RightDownward: return {Edge::Left, Along::End};
        case BelowRightward: return {Edge::Top, Along::Start};
        case BelowLeftward: return {Edge::Top, Along::End};
        default: return {Edge::Top, Along::Middle};
    }
}

// One edge of the outline: from its start corner to its end corner, with the unit step along it
// and the unit step out of the shape.
struct EdgeRun {
    QPointF start;
    QPointF end;
    QPointF along;
    QPointF outward;
};

EdgeRun edgeRun(const QRectF& rect, Edge edge) {
    switch (edge) {
        case Edge::Top: return {rect.topLeft(), rect.topRight(), {1, 0}, {0, -1}};
        case Edge::Right: return {rect.topRight(), rect.bottomRight(), {0, 1}, {1, 0}};
        case Edge::Bottom: return {rect.bottomRight(), rect.bottomLeft(), {-1, 0}, {0, 1}};
        case Edge::Left: return {rect.bottomLeft(), rect.topLeft(), {0, -1}, {-1, 0}};
    }
    return {};
}

// Qt counts arc angles counter-clockwise on the screen from three o'clock.
qreal arcAngle(const QPointF& direction) { return qRadiansToDegrees(std::atan2(-direction.y(), direction.x())); }

// Turns the corner at the end of one edge into the next, clockwise, with the given radius.
void appendCorner(QPainterPath& path, const EdgeRun& from, const EdgeRun& to, qreal radius) {
    if (radius <= 0) {
        path.lineTo(from.end);
        return;
    }
    const QPointF centre = from.end - from.along * radius + to.along * radius;
    const QRectF circle(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    path.arcTo(circle, arcAngle(-to.along), -90);
}

}  // namespace

AttachedWindowShape::AttachedWindowShape(const QSizeF& viewSize, int side, qreal distance,
                                         const AttachedWindowStyle& style)
    : style(style), _side(side), _distance(distance), _viewFrame(QPointF(0, 0), viewSize) {}

AttachedWindowShape::Redo AttachedWindowShape::setBackground(const QBrush& background) {
    if (style.background == background) return Redo::Nothing;
    style.background = background;
    return Redo::Background;
}

AttachedWindowShape::Redo AttachedWindowShape::setBorderColor(const QColor& color) {
    if (style.borderColor == color) return Redo::Nothing;
    style.borderColor = color;
    return Redo::Background;
}

// The border is drawn inside the margin, so it can be no wider than the margin.
AttachedWindowShape::Redo AttachedWindowShape::setBorderWidth(qreal width) {
    if (style.borderWidth == width) return Redo::Nothing;
    style.borderWidth = std::min(width, style.viewMargin);
    return Redo::Background;
}

AttachedWindowShape::Redo AttachedWindowShape::setViewMargin(qreal margin) {
    if (style.viewMargin == margin) return Redo::Nothing;
    style.viewMargin = std::max<qreal>(margin, 0);
    setCornerRadius(style.cornerRadius);
    return Redo::Redisplay;
}

// The arrow's base must fit on its edge beside the rounded corners.
AttachedWindowShape::Redo AttachedWindowShape::setArrowBaseWidth(qreal width) {
    qreal widest = 2 * style.viewMargin + shorterViewSide() - style.cornerRadius;
    if (style.drawsRoundCornerBesideArrow) widest -= style.cornerRadius;
    style.arrowBaseWidth = std::min(width, widest);
    return Redo::Redisplay;
}

AttachedWindowShape::Redo AttachedWindowShape::setArrowHeight(qreal height) {
    if (style.arrowHeight == height) return Redo::Nothing;
    style.arrowHeight = height;
    return Redo::Redisplay;
}

AttachedWindowShape::Redo AttachedWindowShape::setHasArrow(bool hasArrow) {
    if (style.hasArrow == hasArrow) return Redo::Nothing;
    style.hasArrow = hasArrow;
    return Redo::Background;
}

// Two corners and the arrow's base must fit on the shorter edge.
AttachedWindowShape::Redo AttachedWindowShape::setCornerRadius(qreal radius) {
    const qreal largest = half(2 * style.viewMargin + shorterViewSide() - style.arrowBaseWidth);
    style.cornerRadius = std::max<qreal>(std::min(radius, largest), 0);
    setArrowBaseWidth(style.arrowBaseWidth);
    return Redo::Redisplay;
}

AttachedWindowShape::Redo AttachedWindowShape::setDrawsRoundCornerBesideArrow(bool rounds) {
    if (style.drawsRoundCornerBesideArrow == rounds) return Redo::Nothing;
    style.drawsRoundCornerBesideArrow = rounds;
    return Redo::Redisplay;
}

qreal AttachedWindowShape::arrowInset() const {
    return style.arrowBaseWidth / 2 + (style.drawsRoundCornerBesideArrow ? style.cornerRadius : 0);
}

int AttachedWindowShape::bestSide(const QPointF& point, const QRectF& visibleFrame, const QRectF& parentFrame) const {
    const qreal width = _viewFrame.width() + 2 * style.viewMargin;
    const qreal height = _viewFrame.height() + 2 * style.viewMargin;
    const qreal reach = _distance + style.arrowHeight;
    const qreal inset = arrowInset();
    const qreal px = point.x();
    const qreal py = point.y();
    // In Cocoa form a rectangle's top() is its lowest y and bottom() its highest.
    const qreal screenBottom = visibleFrame.top();
    const qreal screenTop = visibleFrame.bottom();
    const qreal parentBottom = parentFrame.top();
    const qreal parentTop = parentFrame.bottom();

    int side = Below;
    if (screenBottom <= py - height - reach)
        side = Below;
    else if (px + width + reach < visibleFrame.right())
        side = Right;
    else if (visibleFrame.left() <= px - width - reach)
        side = Left;
    else if (py + height + reach < screenTop)
        side = Above;

    if (side == Below || side == Above) {
        if (parentFrame.left() > px - half(width) && visibleFrame.right() > px + width - inset)
            return side == Below ? BelowRightward : AboveRightward;
        if (px + half(width) >= parentFrame.right() && visibleFrame.left() <= px - width + inset)
            return side == Below ? BelowLeftward : AboveLeftward;
    } else {
        if (parentBottom > py - half(height) && screenTop > py + height - inset)
            return side == Right ? RightUpward : LeftUpward;
        if (py + half(height) >= parentTop && screenBottom <= py - height + inset)
            return side == Right ? RightDownward : LeftDownward;
    }
    return side;
}

QSizeF AttachedWindowShape::windowSize() const {
    QSizeF size = _viewFrame.size() + QSizeF(2 * style.viewMargin, 2 * style.viewMargin);
    if (arrowWidensWindow(_side))
        size.rwidth() += style.arrowHeight;
    else
        size.rheight() += style.arrowHeight;
    return size;
}

QRectF AttachedWindowShape::updateGeometry(const QPointF& point) {
    const QSizeF size = windowSize();
    const qreal w = size.width();
    const qreal h = size.height();
    const qreal d = _distance;
    const qreal inset = arrowInset();
    const qreal px = point.x();
    const qreal py = point.y();

    QPointF viewOrigin(style.viewMargin, style.viewMargin);
    if (_side == Right || _side == RightUpward || _side == RightDownward) viewOrigin.rx() += style.arrowHeight;
    if (_side == Above || _side == AboveLeftward || _side == AboveRightward) viewOrigin.ry() += style.arrowHeight;
    _viewFrame.moveTopLeft(viewOrigin);

    QPointF origin;
    switch (_side) {
        case Left: origin = {px - w - d, py - half(h)}; break;
        case LeftUpward: origin = {px - w - d, py - inset}; break;
        case LeftDownward: origin = {px - w - d, py - (h - inset)}; break;
        case Right: origin = {px + d, py - half(h)}; break;
        case RightUpward: origin = {px + d, py - inset}; break;
        case RightDownward: origin = {px + d, py - (h - inset)}; break;
        case BelowLeftward: origin = {px - (w - inset), py - h - d}; break;
        case BelowRightward: origin = {px - inset, py - h - d}; break;
        case Above: origin = {px - half(w), py + d}; break;
        case AboveLeftward: origin = {px - (w - inset), py + d}; break;
        case AboveRightward: origin = {px - inset, py + d}; break;
        default: origin = {px - half(w), py - h - d}; break;
    }
    return QRectF(origin, size);
}

qreal AttachedWindowShape::shorterViewSide() const { return std::min(_viewFrame.width(), _viewFrame.height()); }

// The view's frame grown by the margin, its edges moved onto pixel centres so that a thin border
// stays sharp.
QRectF AttachedWindowShape::contentRect(const QSizeF& windowSize) const {
    const qreal m = style.viewMargin;
    const QRectF grown = cocoaRect(windowSize.height(), _viewFrame).adjusted(-m, -m, m, m);
    return QRectF(QPointF(std::ceil(grown.left()) + 0.5, std::ceil(grown.top()) + 0.5),
                  QPointF(std::floor(grown.right()) - 0.5, std::floor(grown.bottom()) - 0.5));
}

QPainterPath AttachedWindowShape::backgroundPath(const QSizeF& windowSize) const {
    const QRectF rect = contentRect(windowSize);
    const ArrowPlace arrow = arrowPlace(_side);
    const Edge edges[] = {Edge::Top, Edge::Right, Edge::Bottom, Edge::Left};
    // The radius of the corner at the end of each edge; a corner beside a corner-placed arrow may
    // stay square.
    qreal radii[4];
    for (int i = 0; i < 4; ++i) {
        const bool besideArrow = (arrow.edge == edges[i] && arrow.along == Along::End) ||
                                 (arrow.edge == edges[(i + 1) % 4] && arrow.along == Along::Start);
        radii[i] = besideArrow && !style.drawsRoundCornerBesideArrow ? 0 : style.cornerRadius;
    }

    QPainterPath path;
    const EdgeRun first = edgeRun(rect, Edge::Top);
    path.moveTo(first.start + first.along * radii[3]);
    for (int i = 0; i < 4; ++i) {
        const EdgeRun run = edgeRun(rect, edges[i]);
        const qreal startRadius = radii[(i + 3) % 4];
        if (style.hasArrow && arrow.edge == edges[i]) {
            const qreal base = style.arrowBaseWidth;
            QPointF baseStart;
            if (arrow.along == Along::Start)
                baseStart = run.start + run.along * startRadius;
            else if (arrow.along == Along::End)
                baseStart = run.end - run.along * (radii[i] + base);
            else
                baseStart = (run.start + run.end) / 2 - run.along * (base / 2);
            path.lineTo(baseStart);
            path.lineTo(baseStart + run.along * (base / 2) + run.outward * style.arrowHeight);
            path.lineTo(baseStart + run.along * base);
        }
        path.lineTo(run.end - run.along * radii[i]);
        appendCorner(path, run, edgeRun(rect, edges[(i + 1) % 4]), radii[i]);
    }
    path.closeSubpath();
    return path;
}

QImage AttachedWindowShape::backgroundImage(const QSizeF& windowSize, qreal devicePixelRatio) const {
    const QSize pixels = (windowSize * devicePixelRatio).toSize();
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);

    const QPainterPath path = backgroundPath(windowSize);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipPath(path);
    painter.fillPath(path, style.background);
    // Half of the doubled stroke falls outside the clip, leaving the border width inside.
    if (style.borderWidth > 0) {
        painter.setPen(QPen(style.borderColor, 2 * style.borderWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(path);
    }
    return image;
}

}  // namespace ui
