#pragma once

#include "ui/kit/windows/AttachedWindowShape.h"

#include <QImage>
#include <QWidget>

namespace ui {

// Told when an attached window stops being the active window; the window itself stays open.
class MAAttachedWindowDelegate {
public:
    virtual ~MAAttachedWindowDelegate() = default;
    virtual void closeMattachedWindow() = 0;
};

// A small borderless window that holds a view next to a point, on a rounded (optionally outlined
// and arrowed) background: the pop-up lists of the dialogs. The point is given in Cocoa form
// (origin at the bottom left, y upward) in the coordinates of `window`, or of the screen when
// there is no window. The window becomes a child of `window`; the caller shows it and closes and
// deletes it when it is done with it.
class MAAttachedWindow : public QWidget {
    Q_OBJECT
public:
    // Each returns null when there is no view. Side 12 (automatic) picks the side that keeps the
    // window on the screen; a non-zero background alpha gives an opaque, white pop-up, zero a
    // faint one.
    static MAAttachedWindow* initWithView(QWidget* view, const QPointF& point, QWidget* window, int side,
                                          qreal distance, qreal backgroundAlpha);
    static MAAttachedWindow* initWithView(QWidget* view, const QPointF& point, QWidget* window, qreal distance);
    static MAAttachedWindow* initWithView(QWidget* view, const QPointF& point, int side, qreal distance);
    static MAAttachedWindow* initWithView(QWidget* view, const QPointF& point, qreal distance);
    static MAAttachedWindow* initWithView(QWidget* view, const QPointF& point, QWidget* window);
    static MAAttachedWindow* initWithView(QWidget* view, const QPointF& point, int side);
    static MAAttachedWindow* initWithView(QWidget* view, const QPointF& point);

    // Moves the window to a new point and side.
    void setPoint(const QPointF& point, int side);
    int side() const { return shape.side(); }

    QBrush windowBackgroundColor() const { return shape.background(); }
    void setBackgroundColor(const QColor& color);
    // Tiles the background with a picture; a null picture is ignored.
    void setBackgroundImage(const QImage& image);
    QColor borderColor() const { return shape.borderColor(); }
    void setBorderColor(const QColor& color);
    qreal borderWidth() const { return shape.borderWidth(); }
    void setBorderWidth(qreal width);
    qreal viewMargin() const { return shape.viewMargin(); }
    void setViewMargin(qreal margin);
    qreal arrowBaseWidth() const { return shape.arrowBaseWidth(); }
    void setArrowBaseWidth(qreal width);
    qreal arrowHeight() const { return shape.arrowHeight(); }
    void setArrowHeight(qreal height);
    bool hasArrow() const { return shape.hasArrow(); }
    void setHasArrow(bool hasArrow);
    qreal cornerRadius() const { return shape.cornerRadius(); }
    void setCornerRadius(qreal radius);
    bool drawsRoundCornerBesideArrow() const { return shape.drawsRoundCornerBesideArrow(); }
    void setDrawsRoundCornerBesideArrow(bool rounds);
    MAAttachedWindowDelegate* mattachedWDelegate() const { return _mattachedWDelegate; }
    void setMattachedWDelegate(MAAttachedWindowDelegate* delegate) { _mattachedWDelegate = delegate; }

    // Passes the loss of activation on to the delegate.
    virtual void closeMattachedWindow();
    // Closing the pop-up closes the window it belongs to, as the close shortcut does there.
    void performClose();

    // The background as last drawn, in the window's coordinates.
    const QImage& backgroundImage() const { return background; }

protected:
    // For attached windows with a look and window kind of their own; the opacity is the whole
    // window's.
    MAAttachedWindow(QWidget* view, const QPointF& point, QWidget* window, int side, qreal distance,
                     const AttachedWindowStyle& style, Qt::WindowFlags flags, qreal opacity);

    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    MAAttachedWindow(QWidget* view, const QPointF& point, QWidget* window, int side, qreal distance,
                     qreal backgroundAlpha);

    void apply(AttachedWindowShape::Redo redo);
    QPointF screenPoint() const;
    void _updateGeometry();
    void _updateBackground();
    void _redisplay();

    QWidget* _view;
    QWidget* _window;
    QPointF _point;
    AttachedWindowShape shape;
    const bool composited;
    QImage background;
    bool _resizing = false;
    MAAttachedWindowDelegate* _mattachedWDelegate = nullptr;  // not owned
};

}  // namespace ui
