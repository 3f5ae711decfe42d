#include "ui/panel/StatusBarView.h"

#include "ui/kit/looks/CocoaRect.h"
#include "ui/panel/StatusView.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QSystemTrayIcon>

namespace ui {
namespace {

constexpr auto kHideDelay = std::chrono::milliseconds(1000);
constexpr int kPointerWatchMilliseconds = 100;
constexpr qreal kPanelDistance = 5.0;
constexpr qint64 kClickAfterDeactivationMilliseconds = 300;

// Cocoa's screen coordinates run upward from the bottom of the primary screen.
QPointF onCocoaScreen(const QPointF& point) {
    const QScreen* primary = QGuiApplication::primaryScreen();
    const qreal height = primary ? primary->geometry().bottom() + 1 : 0;
    return cocoaRect(height, QRectF(point, QSizeF(0, 0))).topLeft();
}

}  // namespace

StatusBarView::StatusBarView(core::Executors runOn)
    : executors(std::move(runOn)), iconGeometry([] { return QRect(); }), pointer([] { return QCursor::pos(); }) {
    pointerWatch.setInterval(kPointerWatchMilliseconds);
    connect(&pointerWatch, &QTimer::timeout, this, &StatusBarView::pollPointer);
}

StatusBarView::~StatusBarView() { delete window; }

void StatusBarView::setStatusItem(QSystemTrayIcon* item) {
    statusItem = item;
    iconGeometry = [item] { return item->geometry(); };
    connect(item, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger) mouseDown();
    });
}

void StatusBarView::changeTabarIconImage() {
    if (statusItem) statusItem->setIcon(tabBarIconImage);
}

bool StatusBarView::iconIsUnderPointer() const {
    const QRect place = iconGeometry();
    return place.isValid() && place.contains(pointer());
}

QPointF StatusBarView::attachPoint() const {
    const QRect place = iconGeometry();
    if (!place.isValid()) return onCocoaScreen(pointer());
    return onCocoaScreen(QPointF(place.x() + place.width() / 2.0, place.y() + place.height()));
}

void StatusBarView::mouseDown() {
    if (!hiddenWindow) {
        hidePanel();
        return;
    }
    if (clickJustClosedThePanel()) return;
    getSystemInfo();
    hiddenWindow = false;
    ++opening;
    delete window;
    panel = new StatusView(this);
    window = StatusAttachedWindow::initWithView(panel, attachPoint(), kPanelDistance);
    window->setStatusDelegate(this);
    panel->setSystemName(_systemName);
    panel->setSystemFreeSize(_systemFreeSize);
    isInSelf = iconIsUnderPointer();
    isInWindow = false;
    pointerWatch.start();
    window->show();
    window->raise();
    window->activateWindow();
}

void StatusBarView::pollPointer() {
    const bool over = iconIsUnderPointer();
    if (over && !isInSelf) mouseEntered();
    if (!over && isInSelf) mouseExited();
}

void StatusBarView::mouseEntered() { isInSelf = true; }

void StatusBarView::mouseExited() {
    isInSelf = false;
    hideLater();
}

void StatusBarView::mouseInWindow(bool inside) {
    isInWindow = inside;
    hideLater();
}

void StatusBarView::hideLater() {
    QPointer<StatusBarView> self(this);
    executors.mainAfter(kHideDelay, [self, forOpening = opening] {
        if (self && self->opening == forOpening) self->isHiddenWindow();
    });
}

bool StatusBarView::clickJustClosedThePanel() const {
    return !iconGeometry().isValid() && sinceDeactivationHid.isValid() &&
           sinceDeactivationHid.elapsed() < kClickAfterDeactivationMilliseconds;
}

void StatusBarView::closeMattachedWindow() {
    const bool wasShown = !hiddenWindow;
    isHiddenWindow();
    if (wasShown && hiddenWindow) sinceDeactivationHid.start();
}

void StatusBarView::isHiddenWindow() {
    if (!isInSelf && !isInWindow) hidePanel();
}

void StatusBarView::cleanWindow() { hidePanel(); }

void StatusBarView::hidePanel() {
    pointerWatch.stop();
    if (panel) panel->EndTimer();
    if (window) window->hide();
    hiddenWindow = true;
}

void StatusBarView::getSystemInfo() {
    if (barDelegate) barDelegate->getSystemInfo();
}

void StatusBarView::showMainWindow() {
    cleanWindow();
    if (barDelegate) barDelegate->showMainWindow();
}

void StatusBarView::freeUpButtonAction() {
    if (barDelegate) barDelegate->freeUpButtonAction();
}

void StatusBarView::optimizeButtonAction() {
    if (barDelegate) barDelegate->optimizeButtonAction();
}

}  // namespace ui
