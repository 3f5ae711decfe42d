#include "ui/kit/windows/WindowShadow.h"

#include "ui/kit/looks/Colors.h"

#include <QPainter>
#include <QPainterPathStroker>

#include <array>

namespace ui {
namespace {

// The soft shadow: layers one point apart, each adding a little darkness, lower than the window.
constexpr int kSoftLayers = 14;
constexpr double kSoftLayerAlpha = 0.018;
constexpr int kSoftDrop = 6;
// The band without a compositor: offsets below and to the right, darkest first.
constexpr std::array<int, 2> kBandOffsets = {1, 2};

QColor borderColor(bool composited) { return composited ? getColor(0, 0, 0, 0.22) : getColor(190, 190, 194, 1); }

// The outline grown by the given width on every side.
QPainterPath grown(const QPainterPath& outline, qreal width) {
    QPainterPathStroker stroker;
    stroker.setWidth(2 * width);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(outline).united(outline).simplified();
}

QPainterPath bandLayer(const QPainterPath& outline, int offset) { return grown(outline, 1).translated(offset, offset); }

}  // namespace

QMargins WindowShadow::margins(bool composited) {
    if (composited) return QMargins(kSoftLayers, kSoftLayers - kSoftDrop, kSoftLayers, kSoftLayers + kSoftDrop);
    return QMargins(1, 1, 1 + kBandOffsets.back(), 1 + kBandOffsets.back());
}

void WindowShadow::paint(QPainter& painter, const QPainterPath& outline, bool composited) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, composited);
    painter.setPen(Qt::NoPen);
    if (composited) {
        const QPainterPath dropped = outline.translated(0, kSoftDrop);
        for (int layer = kSoftLayers; layer >= 1; --layer)
            painter.fillPath(grown(dropped, layer), getColor(0, 0, 0, kSoftLayerAlpha));
    } else {
        painter.fillPath(bandLayer(outline, kBandOffsets[1]), getColor(226, 226, 229, 1));
        painter.fillPath(bandLayer(outline, kBandOffsets[0]), getColor(206, 206, 210, 1));
    }
    painter.fillPath(grown(outline, 1), borderColor(composited));
    painter.restore();
}

QRegion WindowShadow::region(const QPainterPath& outline) {
    QRegion shape(grown(outline, 1).toFillPolygon().toPolygon());
    for (int offset : kBandOffsets) shape += QRegion(bandLayer(outline, offset).toFillPolygon().toPolygon());
    return shape;
}

}  // namespace ui
