#pragma once

#include <QRectF>

class QWidget;

namespace ui {

class TCImageWindow;

// What a custom window asks its delegate. Every answer has a default, so a delegate overrides
// only what it cares about and is never sent anything else.
class CustomWindowDelegate {
public:
    virtual ~CustomWindowDelegate() = default;

    // Asked when the window is about to close; false keeps it open.
    virtual bool windowShouldClose(TCImageWindow* /*sender*/) { return true; }
    // Where a sheet comes out of the window: its top edge goes to the rectangle's lower edge,
    // centred on the rectangle's width (window coordinates, y downward).
    virtual QRectF windowWillPositionSheet(TCImageWindow* /*window*/, QWidget* /*sheet*/, const QRectF& rect) {
        return rect;
    }
};

}  // namespace ui
