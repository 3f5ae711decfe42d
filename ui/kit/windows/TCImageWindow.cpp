#include "ui/kit/windows/TCImageWindow.h"

#include "ui/kit/looks/CocoaRect.h"
#include "ui/kit/windows/Compositing.h"
#include "ui/kit/windows/KxTitlebarContainer.h"
#include "ui/kit/windows/KxTitlebarView.h"
#include "ui/kit/looks/LightAppearance.h"
#include "ui/kit/windows/RoundedTopPath.h"
#include "ui/kit/windows/TCImageWindowDelegateProxy.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include <cmath>

namespace ui {

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
    setCocoaFrame(container, QRectF(0, height() - titleBarHeight_, width(), titleBarHeight_));
    if (titleBar) titleBar->setGeometry(container->rect());
}

// The content view keeps its origin and width and ends where the bar begins.
void TCImageWindow::_repositionContentView() {
    QRectF frame = cocoaFrame(content);
    const qreal newHeight = height() - titleBarHeight_;
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

void TCImageWindow::center() {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect available = screen->availableGeometry();
    const int x = available.x() + (available.width() - width()) / 2;
    const int y = available.y() + std::max(0, (available.height() - height()) / 3);
    move(x, y);
}

QPainterPath TCImageWindow::windowOutline() const {
    if (isFullScreen()) {
        QPainterPath whole;
        whole.addRect(rect());
        return whole;
    }
    return roundedTopPath(rect(), titleBarCornerRadius());
}

// Without a compositor the corners are cut off with a mask; the region follows whole pixels.
void TCImageWindow::updateCornerShape() {
    if (composited) return;
    if (isFullScreen())
        clearMask();
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
    // The content view spans the window's width; its height is set by the layout.
    setCocoaFrame(content, QRectF(0, 0, width(), height() - titleBarHeight_));
    _layoutTrafficLightsAndContent();
    updateCornerShape();
}

void TCImageWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    _layoutTrafficLightsAndContent();
}

void TCImageWindow::paintEvent(QPaintEvent*) {
    if (backgroundColor_.alpha() == 0) return;
    QPainter painter(this);
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
    if (event->button() != Qt::LeftButton || isFullScreen()) return QWidget::mousePressEvent(event);
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

QRectF TCImageWindow::cocoaFrame(const QWidget* child) const { return cocoaRect(height(), child->geometry()); }

void TCImageWindow::setCocoaFrame(QWidget* child, const QRectF& frame) {
    child->setGeometry(cocoaRect(height(), frame).toRect());
}

}  // namespace ui
