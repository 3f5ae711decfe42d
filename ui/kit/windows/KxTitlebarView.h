#pragma once

#include "ui/kit/windows/TextShadow.h"

#include <QFont>
#include <QRectF>
#include <QWidget>

namespace ui {

class TCImageWindow;

// Draws a custom window's title bar: a flat near-white band with rounded top corners, the same
// for the active and the inactive window, and the title when the window asks for it. A window
// may draw the bar itself (its titleBarDrawingBlock). A double-click miniaturises the window
// only when the user default "AppleMiniaturizeOnDoubleClick" says so; it never zooms.
class KxTitlebarView : public QWidget {
    Q_OBJECT
public:
    explicit KxTitlebarView(QWidget* parent);

    // Where the window's title goes in the bar and how it looks.
    struct TitleAttributes {
        QFont font;
        QColor color;
        TextShadow shadow;
    };
    QRectF getTitleFrame(TitleAttributes& attributes, const TCImageWindow& window) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TCImageWindow* imageWindow() const;
    bool drawsAsMainWindow(const TCImageWindow& window) const;
    void drawTitle(QPainter& painter, const TCImageWindow& window) const;

    bool secondClick = false;  // the press under way is the second of a double-click
};

}  // namespace ui
