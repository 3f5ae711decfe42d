#pragma once

#include <QMargins>
#include <QPainterPath>
#include <QRegion>

class QPainter;

namespace ui {

// The thin border and the shadow a dialog draws around its outline, since no window manager
// draws either for a window without a frame. With a compositor the shadow is soft and
// translucent, as on the Mac; without one no pixel can be, so a narrow band of greys below and
// to the right stands for it and the window's mask cuts the band out.
class WindowShadow {
public:
    // The room the border and the shadow take around the outline.
    static QMargins margins(bool composited);
    static void paint(QPainter& painter, const QPainterPath& outline, bool composited);
    // The outline with its border and shadow: the window's shape where no compositor runs.
    static QRegion region(const QPainterPath& outline);
};

}  // namespace ui
