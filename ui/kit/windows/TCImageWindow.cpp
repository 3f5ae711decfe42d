#include "ui/kit/windows/TCImageWindow.h"

#include "ui/kit/looks/CocoaRect.h"
#include "ui/kit/windows/Compositing.h"
#include "ui/kit/windows/KxTitlebarContainer.h"
#include "ui/kit/windows/KxTitlebarView.h"
#include "ui/kit/looks/LightAppearance.h"
#include "ui/kit/windows/RoundedTopPath.h"
#include "ui/kit/windows/TCImageWindowDelegateProxy.h"
#include "ui/kit/windows/WindowShadow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace ui {
namespace {

QPointer<TCImageWindow> theMainWindow;

}  // namespace

TCImageWindow::TCImageWindow(const QSize& contentSize, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), composited(windowsAreComposited()) {
    resize(contentSize.width(), contentSize.height() + static_cast<int>(minimumTitlebarHeight()));
    // Not opaque, with a clear ground: only a compositor shows what lies behind the corners.
    setAttribute(Qt::WA_TranslucentBackground, composited);
    setLightAppearance(this);
    content = new QWidget(this);
    setCocoaFrame(content, QRectF(0, 0, contentSize.width(), contentSize.height()));
    _doInitialWindowSetup();
}

TCImageWindow::~TCImageWindow() = default;

void TCImageWindow::_doInitialWindowSetup() {
    proxy = std::make_unique<TCImageWindowDelegateProxy>();
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this] { _updateTitlebarView(); });
    _createTitlebarView();
    _createTrafficLights();
    _layoutTrafficLightsAndContent();
    updateCornerShape();
}

void TCImageWindow::_createTitlebarView() {
    container = new KxTitlebarContainer(this);
    container->lower();
    _recalculateFrameForTitleBarContainer();
    setTitleBarView(new KxTitlebarView(container));
}

void TCImageWindow::_createTrafficLights() {
    const std::array<void (TCImageWindow::*)(), 3> actions{&TCImageWindow::performClose, &TCImageWindow::showMinimized,
                                                           &TCImageWindow::toggleZoom};
    for (int kind = NSWindowCloseButton; kind <= NSWindowZoomButton; ++kind) {
        auto* light = new TrafficLightButton(static_cast<NSWindowButton>(kind), this);
        connect(light, &QAbstractButton::clicked, this, actions[kind]);
        light->installEventFilter(this);
        trafficLights[kind] = light;
    }
}

void TCImageWindow::setContentView(QWidget* view) {
    if (!view || view == content) return;
    const QRectF frame = cocoaFrame(content);
    view->setParent(this);
    setCocoaFrame(view, frame);
    view->stackUnder(trafficLights[NSWindowCloseButton]);
    view->show();
    delete content;
    content = view;
    _repositionContentView();
}

void TCImageWindow::setTitleBarView(QWidget* view) {
    if (!view || view == titleBar) return;
    delete titleBar;
    titleBar = view;
    titleBar->setParent(container);
    titleBar->setGeometry(container->rect());
    titleBar->show();
}

void TCImageWindow::setTitleBarHeight(double height) {
    if (height == titleBarHeight_) return;
    titleBarHeight_ = height;
    cachedTitleBarHeight_ = height;
    _layoutTrafficLightsAndContent();
    _updateTitlebarView();
}

void TCImageWindow::setCenterFullScreenButton(bool center) {
    if (center == centerFullScreenButton_) return;
    centerFullScreenButton_ = center;
    _layoutTrafficLightsAndContent();
}

void TCImageWindow::setCenterTrafficLightButtons(bool center) {
    if (center == centerTrafficLightButtons_) return;
    centerTrafficLightButtons_ = center;
    _layoutTrafficLightsAndContent();
}

void TCImageWindow::setVerticalTrafficLightButtons(bool vertical) {
    if (vertical == verticalTrafficLightButtons_) return;
    verticalTrafficLightButtons_ = vertical;
    _layoutTrafficLightsAndContent();
}

void TCImageWindow::setShowsBaselineSeparator(bool shows) {
    if (shows == showsBaselineSeparator_) return;
    showsBaselineSeparator_ = shows;
    _updateTitlebarView();
}

void TCImageWindow::setTrafficLightButtonsLeftMargin(double margin) {
    if (margin == trafficLightButtonsLeftMargin_) return;
    trafficLightButtonsLeftMargin_ = margin;
    _layoutTrafficLightsAndContent();
    _updateTitlebarView();
}

void TCImageWindow::setFullScreenButtonRightMargin(double margin) {
    if (margin == fullScreenButtonRightMargin_) return;
    fullScreenButtonRightMargin_ = margin;
    setFullScreenButtonRightMargin_ = true;
    _layoutTrafficLightsAndContent();
    _updateTitlebarView();
}

void TCImageWindow::setTrafficLightSeparation(double separation) {
    if (separation == trafficLightSeparation_) return;
    trafficLightSeparation_ = separation;
    _layoutTrafficLightsAndContent();
}

void TCImageWindow::setShowsTitle(bool shows) {
    if (shows == showsTitle_) return;
    showsTitle_ = shows;
    _updateTitlebarView();
}

void TCImageWindow::setTitleBarDrawingBlock(TitleBarDrawingBlock block) {
    titleBarDrawingBlock_ = std::move(block);
    _updateTitlebarView();
}

CustomWindowDelegate* TCImageWindow::delegate() const { return proxy->secondaryDelegate(); }

void TCImageWindow::setDelegate(CustomWindowDelegate* delegate) { proxy->setSecondaryDelegate(delegate); }

void TCImageWindow::setBackgroundColor(const QColor& color) {
    backgroundColor_ = color;
    update();
}

QAbstractButton* TCImageWindow::standardWindowButton(NSWindowButton kind) const {
    return kind <= NSWindowZoomButton ? trafficLights[kind] : nullptr;
}

void TCImageWindow::setCloseButton(QAbstractButton* button) {
    replaceButton(0, button, NSWindowCloseButton, &TCImageWindow::performClose);
}

void TCImageWindow::setMinimizeButton(QAbstractButton* button) {
    replaceButton(1, button, NSWindowMiniaturizeButton, &TCImageWindow::showMinimized);
}

void TCImageWindow::setZoomButton(QAbstractButton* button) {
    replaceButton(2, button, NSWindowZoomButton, &TCImageWindow::toggleZoom);
}

void TCImageWindow::setFullScreenButton(QAbstractButton* button) {
    replaceButton(3, button, NSWindowFullScreenButton, &TCImageWindow::toggleFullScreen);
}

// The old button goes; the new one takes the standard button's place and its action.
void TCImageWindow::replaceButton(int slot, QAbstractButton* button, NSWindowButton kind,
                                  void (TCImageWindow::*action)()) {
    if (button == userButtons[slot]) return;
    delete userButtons[slot];
    userButtons[slot] = button;
    if (!button) return;
    button->setParent(this);
    connect(button, &QAbstractButton::clicked, this, action);
    if (QAbstractButton* standard = standardWindowButton(kind)) button->move(standard->pos());
    button->show();
}

QAbstractButton* TCImageWindow::_windowButtonToLayout(NSWindowButton kind, QAbstractButton* userProvided) {
    QAbstractButton* standard = standardWindowButton(kind);
    if (userProvided) {
        if (standard) standard->hide();
        return userProvided;
    }
    if (standard) standard->show();
    return standard;
}

void TCImageWindow::_layoutTrafficLightsAndContent() {
    _recalculateFrameForTitleBarContainer();
    const std::array<QAbstractButton*, 3> buttons{_windowButtonToLayout(NSWindowCloseButton, userButtons[0]),
                                                  _windowButtonToLayout(NSWindowMiniaturizeButton, userButtons[1]),
                                                  _windowButtonToLayout(NSWindowZoomButton, userButtons[2])};
    trafficLights[NSWindowZoomButton]->setEnabled(minimumSize() != maximumSize());
    const QRectF bar = cocoaFrame(container);
    if (verticalTrafficLightButtons_)
        _layoutVerticalTrafficLights(bar, buttons);
    else
        _layoutHorizontalTrafficLights(bar, buttons);
    if (QAbstractButton* fullScreen = _windowButtonToLayout(NSWindowFullScreenButton, userButtons[3]))
        _layoutFullScreenButton(bar, fullScreen);
    _repositionContentView();
}

void TCImageWindow::_layoutHorizontalTrafficLights(const QRectF& bar, const std::array<QAbstractButton*, 3>& buttons) {
    const qreal closeHeight = buttons[0]->height();
    qreal y = centerTrafficLightButtons_ ? std::round(bar.y() + bar.height() / 2 - closeHeight / 2)
                                         : bar.y() + bar.height() - closeHeight - trafficLightButtonsTopMargin_;
    y += topButtonMoveUp_;
    qreal x = trafficLightButtonsLeftMargin_;
    for (QAbstractButton* button : buttons) {
        setCocoaFrame(button, QRectF(x, y, button->width(), button->height()));
        x += button->width() + trafficLightSeparation_;
    }
}

// Stacked with the close button on top, zoom at the bottom; the move-up offset does not apply.
void TCImageWindow::_layoutVerticalTrafficLights(const QRectF& bar, const std::array<QAbstractButton*, 3>& buttons) {
    const qreal gap = trafficLightSeparation_ - 2;
    const qreal total = buttons[0]->height() + buttons[1]->height() + buttons[2]->height() + 2 * gap;
    qreal y = centerTrafficLightButtons_ ? std::round(bar.y() + bar.height() / 2 - total / 2)
                                         : bar.y() + bar.height() - total - trafficLightButtonsTopMargin_;
    for (auto button = buttons.rbegin(); button != buttons.rend(); ++button) {
        setCocoaFrame(*button, QRectF(trafficLightButtonsLeftMargin_, y, (*button)->width(), (*button)->height()));
        y += (*button)->height() + gap;
    }
}

void TCImageWindow::_layoutFullScreenButton(const QRectF& bar, QAbstractButton* button) {
    if (!setFullScreenButtonRightMargin_) {
        const QRectF frame = cocoaFrame(button);
        setFullScreenButtonRightMargin(bar.width() - (frame.x() + frame.width()));
    }
    const qreal y = centerFullScreenButton_ ? std::round(bar.y() + bar.height() / 2 - button->height() / 2.0)
                                            : bar.y() + bar.height() - button->height() - trafficLightButtonsTopMargin_;
    setCocoaFrame(button, QRectF(bar.width() - button->width() - fullScreenButtonRightMargin_, y, button->width(),
                                 button->height()));
}

void TCImageWindow::_recalculateFrameForTitleBarContainer() {
    const QRect outline = outlineRect();
    setCocoaFrame(container, QRectF(0, outline.height() - titleBarHeight_, outline.width(), titleBarHeight_));
    if (titleBar) titleBar->setGeometry(container->rect());
}

// The content view keeps its origin and width and ends where the bar begins.
void TCImageWindow::_repositionContentView() {
    QRectF frame = cocoaFrame(content);
    const qreal newHeight = outlineRect().height() - titleBarHeight_;
    if (frame.height() == newHeight) return;
    frame.setHeight(newHeight);
    setCocoaFrame(content, frame);
    content->update();
}

void TCImageWindow::_hideTitleBarView(bool hide) { titleBar->setVisible(!hide); }

void TCImageWindow::_updateTitlebarView() { titleBar->update(); }

void TCImageWindow::windowWillEnterFullScreen() {
    if (!hideTitleBarInFullScreen_) return;
    titleBarHeight_ = 0;
    _layoutTrafficLightsAndContent();
    _updateTitlebarView();
    _hideTitleBarView(true);
}

void TCImageWindow::windowWillExitFullScreen() {
    if (!hideTitleBarInFullScreen_) return;
    titleBarHeight_ = cachedTitleBarHeight_;
    _layoutTrafficLightsAndContent();
    _updateTitlebarView();
    _hideTitleBarView(false);
}

// The window became key or stopped being key: the bar and the lights follow its state.
void TCImageWindow::keyStateChanged() {
    _updateTitlebarView();
    _layoutTrafficLightsAndContent();
    for (TrafficLightButton* light : trafficLights) light->update();
}

void TCImageWindow::performClose() { close(); }

void TCImageWindow::toggleZoom() { isMaximized() ? showNormal() : showMaximized(); }

void TCImageWindow::toggleFullScreen() { isFullScreen() ? showNormal() : showFullScreen(); }

void TCImageWindow::setDrawsShadow(bool draws) {
    if (draws == drawsShadow_) return;
    const QSize outline = outlineRect().size();
    drawsShadow_ = draws;
    shadowMargins = draws ? WindowShadow::margins(composited) : QMargins();
    resize(outline.grownBy(shadowMargins));
    // A hidden window gets its resize event only when shown; its views follow the room now.
    layoutForSize();
}

void TCImageWindow::setMainWindow(TCImageWindow* window) { theMainWindow = window; }

TCImageWindow* TCImageWindow::mainWindow() { return theMainWindow; }

void TCImageWindow::center() {
    const TCImageWindow* main = theMainWindow;
    const bool overMain = main && main != this && main->isVisible() && !main->isMinimized();
    const QScreen* screen = overMain ? main->screen() : this->screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect available = screen->availableGeometry();
    const QSize size = outlineRect().size();
    QPoint topLeft;
    if (overMain) {
        const QRect target = main->outlineRect().translated(main->geometry().topLeft());
        topLeft = target.topLeft() + QPoint((target.width() - size.width()) / 2, (target.height() - size.height()) / 2);
    } else {
        topLeft = QPoint(available.x() + (available.width() - size.width()) / 2,
                         available.y() + std::max(0, (available.height() - size.height()) / 3));
    }
    topLeft.setX(std::clamp(topLeft.x(), available.left(), std::max(available.left(), available.right() + 1 - size.width())));
    topLeft.setY(std::clamp(topLeft.y(), available.top(), std::max(available.top(), available.bottom() + 1 - size.height())));
    move(topLeft - outlineRect().topLeft());
}

QPainterPath TCImageWindow::windowOutline() const {
    if (isFullScreen()) {
        QPainterPath whole;
        whole.addRect(rect());
        return whole;
    }
    return roundedTopPath(outlineRect(), titleBarCornerRadius());
}

// Without a compositor the corners (and the room around a shadow) are cut off with a mask; the
// region follows whole pixels.
void TCImageWindow::updateCornerShape() {
    if (composited) return;
    if (isFullScreen())
        clearMask();
    else if (drawsShadow_)
        setMask(WindowShadow::region(windowOutline()));
    else
        setMask(QRegion(windowOutline().toFillPolygon().toPolygon()));
}

void TCImageWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    switch (event->type()) {
    case QEvent::ActivationChange: keyStateChanged(); break;
    case QEvent::WindowTitleChange:
        _layoutTrafficLightsAndContent();
        _updateTitlebarView();
        break;
    case QEvent::WindowStateChange: {
        const bool wasFullScreen = static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowFullScreen;
        if (wasFullScreen != isFullScreen()) {
            isFullScreen() ? windowWillEnterFullScreen() : windowWillExitFullScreen();
            updateCornerShape();
        }
        break;
    }
    default: break;
    }
}

void TCImageWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutForSize();
}

// The content view spans the outline's width; its height is set by the layout.
void TCImageWindow::layoutForSize() {
    const QRect outline = outlineRect();
    setCocoaFrame(content, QRectF(0, 0, outline.width(), outline.height() - titleBarHeight_));
    _layoutTrafficLightsAndContent();
    updateCornerShape();
}

void TCImageWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    _layoutTrafficLightsAndContent();
}

void TCImageWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (drawsShadow_ && !isFullScreen()) WindowShadow::paint(painter, windowOutline(), composited);
    if (backgroundColor_.alpha() == 0) return;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(windowOutline(), backgroundColor_);
}

// A window hidden under the pointer (by its own close light, say) gets no leave event.
void TCImageWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    for (TrafficLightButton* light : trafficLights) light->setRollover(false);
}

void TCImageWindow::closeEvent(QCloseEvent* event) {
    if (proxy->windowShouldClose(this))
        event->accept();
    else
        event->ignore();
}

// Presses that no child takes (on the bar or on plain background) move the window. The window
// manager moves it where it can; otherwise the window follows the pointer itself.
void TCImageWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || isFullScreen() || !outlineRect().contains(event->position().toPoint()))
        return QWidget::mousePressEvent(event);
    dragging = true;
    systemMoveTried = false;
    dragStart = event->globalPosition();
    dragOrigin = pos();
    event->accept();
}

void TCImageWindow::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging) return QWidget::mouseMoveEvent(event);
    if (!systemMoveTried) {
        systemMoveTried = true;
        if (windowHandle() && windowHandle()->startSystemMove()) {
            dragging = false;
            return;
        }
    }
    move(dragOrigin + (event->globalPosition() - dragStart).toPoint());
}

void TCImageWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragging = false;
    QWidget::mouseReleaseEvent(event);
}

// The three lights show their glyphs together while the pointer is over one of them.
bool TCImageWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter || event->type() == QEvent::Leave)
        for (TrafficLightButton* light : trafficLights) light->setRollover(event->type() == QEvent::Enter);
    return QWidget::eventFilter(watched, event);
}

QRectF TCImageWindow::cocoaFrame(const QWidget* child) const {
    const QRect outline = outlineRect();
    return cocoaRect(outline.height(), child->geometry().translated(-outline.topLeft()));
}

void TCImageWindow::setCocoaFrame(QWidget* child, const QRectF& frame) {
    const QRect outline = outlineRect();
    child->setGeometry(cocoaRect(outline.height(), frame).toRect().translated(outline.topLeft()));
}

}  // namespace ui
