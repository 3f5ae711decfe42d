#pragma once

#include <QRectF>

namespace ui {

// Frames are laid out as on the Mac: origin at the bottom left of the parent, y growing
// upward. Qt places a child by its top left with y growing downward, so a frame is flipped
// inside its parent's height here, and nowhere else. The flip is its own inverse: given
// a Qt rectangle it returns the Cocoa frame.
QRectF cocoaRect(qreal parentHeight, qreal x, qreal y, qreal width, qreal height);
QRectF cocoaRect(qreal parentHeight, const QRectF& frame);

}  // namespace ui
