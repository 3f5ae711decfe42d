#include "ui/kit/windows/MAAttachedWindow.h"

#include "core/kit/CommUti.h"
#include "ui/kit/looks/CocoaRect.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/windows/Compositing.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

namespace ui {

namespace {

// Cocoa's screen coordinates run upward from the bottom of the primary screen.
qreal screenHeight() {
    const QScreen* primary = QGuiApplication::primaryScreen();
    return primary ? primary->geometry().bottom() + 1 : 0;
}

QRectF flipOnScreen(const QRectF& rect) { return cocoaRect(screenHeight(), rect); }

QPointF flipOnScreen(const QPointF& point) { return flipOnScreen(QRectF(point, QSizeF(0, 0))).topLeft(); }

AttachedWindowStyle initialStyle(qreal backgroundAlpha) {
    AttachedWindowStyle style;
    style.background = backgroundAlpha != 0 ? getColor(255, 255, 255, 1) : getColor(255, 255, 255, 0.2);
    style.borderColor = getColor(34, 39, 47, 1);
    // Newer systems draw these pop-ups without an outline.
    style.borderWidth = core::CommUti::getSystemVersion() > 1015 ? 0 : 0.2;
    return style;
}

Qt::WindowFlags popUpFlags(qreal backgroundAlpha) {
    Qt::WindowFlags flags = Qt::Tool | Qt::FramelessWindowHint;
    if (backgroundAlpha == 0) flags |= Qt::NoDropShadowWindowHint;
    return flags;
}

}  // namespace

MAAttachedWindow* MAAttachedWindow::initWithView(QWidget* view, const QPointF& point, QWidget* window, int side,
                                                 qreal distance, qreal backgroundAlpha) {
    if (!view) return nullptr;
    return new MAAttachedWindow(view, point, window, side, distance, backgroundAlpha);
}

MAAttachedWindow* MAAttachedWindow::initWithView(QWidget* view, const QPointF& point, QWidget* window,
                                                 qreal distance) {
    return initWithView(view, point, window, AttachedSide::Automatic, distance, 0);
}

MAAttachedWindow* MAAttachedWindow::initWithView(QWidget* view, const QPointF& point, int side, qreal distance) {
    return initWithView(view, point, nullptr, side, distance, 0);
}

MAAttachedWindow* MAAttachedWindow::initWithView(QWidget* view, const QPointF& point, qreal distance) {
    return initWithView(view, point, nullptr, AttachedSide::Automatic, distance, 0);
}

MAAttachedWindow* MAAttachedWindow::initWithView(QWidget* view, const QPointF& point, QWidget* window) {
    return initWithView(view, point, window, AttachedSide::Automatic, 0, 0);
}

MAAttachedWindow* MAAttachedWindow::initWithView(QWidget* view, const QPointF& point, int side) {
    return initWithView(view, point, nullptr, side, 0, 0);
}

MAAttachedWindow* MAAttachedWindow::initWithView(QWidget* view, const QPointF& point) {
    return initWithView(view, point, nullptr, AttachedSide::Automatic, 0, 0);
}

MAAttachedWindow::MAAttachedWindow(QWidget* view, const QPointF& point, QWidget* window, int side, qreal distance,
                                   qreal backgroundAlpha)
    : MAAttachedWindow(view, point, window, side, distance, initialStyle(backgroundAlpha), popUpFlags(backgroundAlpha),
                       backgroundAlpha != 0 ? 1.0 : 0.3) {}

MAAttachedWindow::MAAttachedWindow(QWidget* view, const QPointF& point, QWidget* window, int side, qreal distance,
                                   const AttachedWindowStyle& style, Qt::WindowFlags flags, qreal opacity)
    : QWidget(window, flags),
      _view(view),
      _window(window),
      _point(point),
      shape(view->size(), side, distance, style),
      composited(windowsAreComposited()) {
    // Only a compositor shows what lies around the shape; without one it is cut off with a mask.
    setAttribute(Qt::WA_TranslucentBackground, composited);
    // Shown in front of its window without taking the keyboard from it.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowOpacity(opacity);
    _view->setParent(this);
    setPoint(point, side);
    _view->show();
}

void MAAttachedWindow::setPoint(const QPointF& point, int side) {
    _point = point;
    shape.setSide(side);
    if (side < AttachedSide::Left || side >= AttachedSide::Automatic) {
        const QScreen* screen = _window ? _window->screen() : QGuiApplication::primaryScreen();
        const QRectF visible = screen ? flipOnScreen(QRectF(screen->availableGeometry())) : QRectF();
        const QRectF parent =
            _window ? flipOnScreen(QRectF(_window->mapToGlobal(QPointF(0, 0)), QSizeF(_window->size()))) : visible;
        shape.setSide(shape.bestSide(screenPoint(), visible, parent));
    }
    _redisplay();
}

QPointF MAAttachedWindow::screenPoint() const {
    if (!_window) return _point;
    const QPointF local = cocoaRect(_window->height(), QRectF(_point, QSizeF(0, 0))).topLeft();
    return flipOnScreen(_window->mapToGlobal(local));
}

void MAAttachedWindow::apply(AttachedWindowShape::Redo redo) {
    if (redo == AttachedWindowShape::Redo::Background)
        _updateBackground();
    else if (redo == AttachedWindowShape::Redo::Redisplay)
        _redisplay();
}

void MAAttachedWindow::setBackgroundColor(const QColor& color) { apply(shape.setBackground(color)); }

void MAAttachedWindow::setBackgroundImage(const QImage& image) {
    if (!image.isNull()) apply(shape.setBackground(QBrush(image)));
}

void MAAttachedWindow::setBorderColor(const QColor& color) { apply(shape.setBorderColor(color)); }
void MAAttachedWindow::setBorderWidth(qreal width) { apply(shape.setBorderWidth(width)); }
void MAAttachedWindow::setViewMargin(qreal margin) { apply(shape.setViewMargin(margin)); }
void MAAttachedWindow::setArrowBaseWidth(qreal width) { apply(shape.setArrowBaseWidth(width)); }
void MAAttachedWindow::setArrowHeight(qreal height) { apply(shape.setArrowHeight(height)); }
void MAAttachedWindow::setHasArrow(bool hasArrow) { apply(shape.setHasArrow(hasArrow)); }
void MAAttachedWindow::setCornerRadius(qreal radius) { apply(shape.setCornerRadius(radius)); }
void MAAttachedWindow::setDrawsRoundCornerBesideArrow(bool rounds) {
    apply(shape.setDrawsRoundCornerBesideArrow(rounds));
}

void MAAttachedWindow::closeMattachedWindow() {
    if (_mattachedWDelegate) _mattachedWDelegate->closeMattachedWindow();
}

// A pop-up of its own has no close button: as there, asking it to close only beeps.
void MAAttachedWindow::performClose() {
    if (_window)
        _window->window()->close();
    else
        QApplication::beep();
}

bool MAAttachedWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowDeactivate) closeMattachedWindow();
    return QWidget::event(event);
}

void MAAttachedWindow::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Close))
        performClose();
    else
        QWidget::keyPressEvent(event);
}

void MAAttachedWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (composited) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
    } else {
        // The shape's smoothed edge lies on an opaque window here: it fades into the border's
        // colour instead of black.
        QColor edge = shape.borderWidth() > 0 ? shape.borderColor() : shape.background().color();
        edge.setAlpha(255);
        painter.fillRect(rect(), edge);
    }
    painter.drawImage(0, 0, background);
}

void MAAttachedWindow::resizeEvent(QResizeEvent*) { _redisplay(); }

void MAAttachedWindow::_updateGeometry() {
    const QRectF frame = shape.updateGeometry(screenPoint());
    setGeometry(flipOnScreen(frame).toRect());
    _view->setGeometry(cocoaRect(frame.height(), shape.viewFrame()).toRect());
}

void MAAttachedWindow::_updateBackground() {
    background = shape.backgroundImage(size(), devicePixelRatioF());
    if (!composited) setMask(QRegion(shape.backgroundPath(size()).toFillPolygon().toPolygon()));
    update();
}

// A resize of the window lays it out again, but not while it is being laid out.
void MAAttachedWindow::_redisplay() {
    if (_resizing) return;
    _resizing = true;
    setUpdatesEnabled(false);
    _updateGeometry();
    _updateBackground();
    setUpdatesEnabled(true);
    _resizing = false;
}

}  // namespace ui
