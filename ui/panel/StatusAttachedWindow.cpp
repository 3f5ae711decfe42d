#include "ui/panel/StatusAttachedWindow.h"

#include "core/kit/CommUti.h"
#include "ui/kit/looks/Colors.h"

#include <QGuiApplication>
#include <QScreen>

namespace ui {
namespace {

constexpr qreal kWindowOpacity = 0.99;

// White at 0.9 laid over the window's light grey.
QColor panelGround() {
    const QColor grey = getColor(244, 244, 244, 1);
    const qreal white = 0.9;
    const auto over = [&](int below) { return qRound(255 * white + below * (1 - white)); };
    return QColor(over(grey.red()), over(grey.green()), over(grey.blue()));
}

AttachedWindowStyle panelStyle() {
    AttachedWindowStyle style;
    style.background = panelGround();
    style.borderColor = getColor(0, 0, 0, 0.34);
    // Newer systems draw the panel without an outline.
    style.borderWidth = core::CommUti::getSystemVersion() > 1015 ? 0 : 1;
    style.viewMargin = 2;
    style.arrowBaseWidth = 15;
    style.arrowHeight = 10;
    style.hasArrow = false;
    style.cornerRadius = 4;
    style.drawsRoundCornerBesideArrow = true;
    return style;
}

}  // namespace

StatusAttachedWindow* StatusAttachedWindow::initWithView(QWidget* view, const QPointF& point, qreal distance) {
    if (!view) return nullptr;
    auto* window = new StatusAttachedWindow(view, point, distance);
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen && !screen->availableGeometry().contains(window->geometry()))
        window->setPoint(point, AttachedSide::Automatic);
    return window;
}

StatusAttachedWindow::StatusAttachedWindow(QWidget* view, const QPointF& point, qreal distance)
    : MAAttachedWindow(view, point, nullptr, AttachedSide::Below, distance, panelStyle(),
                       Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint, kWindowOpacity) {
    // The panel takes the keyboard when it opens, so that leaving it active can close it.
    setAttribute(Qt::WA_ShowWithoutActivating, false);
}

void StatusAttachedWindow::closeMattachedWindow() {
    if (delegate) delegate->closeMattachedWindow();
}

void StatusAttachedWindow::enterEvent(QEnterEvent* event) {
    MAAttachedWindow::enterEvent(event);
    if (delegate) delegate->mouseInWindow(true);
}

void StatusAttachedWindow::leaveEvent(QEvent* event) {
    MAAttachedWindow::leaveEvent(event);
    if (delegate) delegate->mouseInWindow(false);
}

}  // namespace ui
