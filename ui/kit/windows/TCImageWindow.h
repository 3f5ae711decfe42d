#pragma once

#include "ui/kit/windows/TextShadow.h"
#include "ui/kit/controls/TrafficLightButton.h"

#include <QColor>
#include <QMargins>
#include <QPainterPath>
#include <QPointF>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QAbstractButton;

namespace ui {

class KxTitlebarContainer;
class CustomWindowDelegate;
class TCImageWindowDelegateProxy;

// Every window of the application: a frameless window whose title bar is its own. A bar view of
// settable height lies at the top, behind everything else; the three standard buttons (the
// traffic lights) sit in it; the content view fills the rest. The window is dragged by the bar
// and by any background a child leaves to it, and keeps its light look whatever the desktop's
// colour scheme. Its top corners are rounded: antialiased where a compositor shows the
// transparent corners, cut with a window mask where none runs.
//
// Frames below are laid out as on the Mac (origin at the bottom left, y upward) and turned into
// Qt geometry with cocoaRect, so the bar and the buttons follow the window's top edge.
class TCImageWindow : public QWidget {
    Q_OBJECT
public:
    // Draws the bar instead of the built-in fill: the painter, whether the bar draws as the main
    // window's, the bar's frame and its outline.
    using TitleBarDrawingBlock =
        std::function<void(QPainter& painter, bool drawsAsMainWindow, const QRectF& frame, const QPainterPath& path)>;

    // A window whose content view has the given size under the standard bar.
    explicit TCImageWindow(const QSize& contentSize, QWidget* parent = nullptr);
    ~TCImageWindow() override;

    // The standard bar's height, the first button's x and the gap between neighbouring buttons.
    static constexpr double minimumTitlebarHeight() { return 22; }
    static constexpr double defaultTrafficLightLeftMargin() { return 7; }
    static constexpr double defaultTrafficLightSeparation() { return 6; }
    static constexpr double titleBarCornerRadius() { return 16; }

    QWidget* contentView() const { return content; }
    // The new view takes the place (and the ownership) of the old one, which is deleted.
    void setContentView(QWidget* view);
    // The view that holds the bar, the buttons and the content view.
    QWidget* themeFrameView() { return this; }

    QWidget* titleBarView() const { return titleBar; }
    // Puts a view of the caller's in place of the bar view (the window takes it over); it fills
    // the bar and follows its size. Null or the present view changes nothing.
    void setTitleBarView(QWidget* view);
    KxTitlebarContainer* titleBarContainer() const { return container; }

    double titleBarHeight() const { return titleBarHeight_; }
    // A new height is also what the window goes back to after full screen.
    void setTitleBarHeight(double height);
    double cachedTitleBarHeight() const { return cachedTitleBarHeight_; }

    // Added to the buttons' y in the horizontal layout, counted upward: -3 puts them 3 lower.
    double topButtonMoveUp() const { return topButtonMoveUp_; }
    void setTopButtonMoveUp(double moveUp) { topButtonMoveUp_ = moveUp; }
    bool centerFullScreenButton() const { return centerFullScreenButton_; }
    void setCenterFullScreenButton(bool center);
    bool centerTrafficLightButtons() const { return centerTrafficLightButtons_; }
    void setCenterTrafficLightButtons(bool center);
    bool verticalTrafficLightButtons() const { return verticalTrafficLightButtons_; }
    void setVerticalTrafficLightButtons(bool vertical);
    bool hideTitleBarInFullScreen() const { return hideTitleBarInFullScreen_; }
    void setHideTitleBarInFullScreen(bool hide) { hideTitleBarInFullScreen_ = hide; }
    // Kept and redisplayed; the bar draws no separator line.
    bool showsBaselineSeparator() const { return showsBaselineSeparator_; }
    void setShowsBaselineSeparator(bool shows);

    double trafficLightButtonsLeftMargin() const { return trafficLightButtonsLeftMargin_; }
    void setTrafficLightButtonsLeftMargin(double margin);
    double trafficLightButtonsTopMargin() const { return trafficLightButtonsTopMargin_; }
    void setTrafficLightButtonsTopMargin(double margin) { trafficLightButtonsTopMargin_ = margin; }
    double fullScreenButtonRightMargin() const { return fullScreenButtonRightMargin_; }
    void setFullScreenButtonRightMargin(double margin);
    // Stored only: the layout uses trafficLightButtonsTopMargin for the full-screen button too.
    double fullScreenButtonTopMargin() const { return fullScreenButtonTopMargin_; }
    void setFullScreenButtonTopMargin(double margin) { fullScreenButtonTopMargin_ = margin; }
    double trafficLightSeparation() const { return trafficLightSeparation_; }
    void setTrafficLightSeparation(double separation);

    bool showsTitle() const { return showsTitle_; }
    void setShowsTitle(bool shows);
    bool showsTitleInFullscreen() const { return showsTitleInFullscreen_; }
    void setShowsTitleInFullscreen(bool shows) { showsTitleInFullscreen_ = shows; }

    // Buttons of the caller's in place of the standard ones; the window takes them over. The
    // standard button of that kind is hidden while a replacement is set.
    QAbstractButton* closeButton() const { return userButtons[0]; }
    void setCloseButton(QAbstractButton* button);
    QAbstractButton* minimizeButton() const { return userButtons[1]; }
    void setMinimizeButton(QAbstractButton* button);
    QAbstractButton* zoomButton() const { return userButtons[2]; }
    void setZoomButton(QAbstractButton* button);
    QAbstractButton* fullScreenButton() const { return userButtons[3]; }
    void setFullScreenButton(QAbstractButton* button);
    // The window's own close, minimise and zoom buttons; there is no standard full-screen button.
    QAbstractButton* standardWindowButton(NSWindowButton kind) const;

    // Kept for whoever draws the bar; the built-in fill does not use them.
    QColor titleBarStartColor() const { return titleBarStartColor_; }
    void setTitleBarStartColor(const QColor& color) { titleBarStartColor_ = color; }
    QColor titleBarEndColor() const { return titleBarEndColor_; }
    void setTitleBarEndColor(const QColor& color) { titleBarEndColor_ = color; }
    QColor baselineSeparatorColor() const { return baselineSeparatorColor_; }
    void setBaselineSeparatorColor(const QColor& color) { baselineSeparatorColor_ = color; }
    QColor inactiveTitleBarStartColor() const { return inactiveTitleBarStartColor_; }
    void setInactiveTitleBarStartColor(const QColor& color) { inactiveTitleBarStartColor_ = color; }
    QColor inactiveTitleBarEndColor() const { return inactiveTitleBarEndColor_; }
    void setInactiveTitleBarEndColor(const QColor& color) { inactiveTitleBarEndColor_ = color; }
    QColor inactiveBaselineSeparatorColor() const { return inactiveBaselineSeparatorColor_; }
    void setInactiveBaselineSeparatorColor(const QColor& color) { inactiveBaselineSeparatorColor_ = color; }

    // The title's colour and shadow in the active and the inactive window; invalid or empty
    // means the bar's own choice.
    QColor titleTextColor() const { return titleTextColor_; }
    void setTitleTextColor(const QColor& color) { titleTextColor_ = color; }
    QColor inactiveTitleTextColor() const { return inactiveTitleTextColor_; }
    void setInactiveTitleTextColor(const QColor& color) { inactiveTitleTextColor_ = color; }
    std::optional<TextShadow> titleTextShadow() const { return titleTextShadow_; }
    void setTitleTextShadow(std::optional<TextShadow> shadow) { titleTextShadow_ = std::move(shadow); }
    std::optional<TextShadow> inactiveTitleTextShadow() const { return inactiveTitleTextShadow_; }
    void setInactiveTitleTextShadow(std::optional<TextShadow> shadow) { inactiveTitleTextShadow_ = std::move(shadow); }

    const TitleBarDrawingBlock& titleBarDrawingBlock() const { return titleBarDrawingBlock_; }
    void setTitleBarDrawingBlock(TitleBarDrawingBlock block);

    // The delegate the caller set (not owned); the window itself always asks its proxy.
    CustomWindowDelegate* delegate() const;
    void setDelegate(CustomWindowDelegate* delegate);
    TCImageWindowDelegateProxy* delegateProxy() const { return proxy.get(); }

    // The ground painted inside the window's outline; transparent unless set.
    QColor backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(const QColor& color);

    // A thin border and a shadow drawn around the outline, in room the window adds around it
    // (see WindowShadow); dialogs draw them, the main window does not.
    bool drawsShadow() const { return drawsShadow_; }
    void setDrawsShadow(bool draws);
    // The window itself inside that room: what the bar, the buttons and the content view fill.
    QRect outlineRect() const { return rect().marginsRemoved(shadowMargins); }

    // The application's main window, over which the other windows are centred (not owned).
    static void setMainWindow(TCImageWindow* window);
    static TCImageWindow* mainWindow();
    // Puts the window in the middle of the main window while that is shown, else of its screen
    // a little above the centre; never past the screen's edges.
    void center();
    // The window's outline: the top corners rounded, square in full screen.
    QPainterPath windowOutline() const;

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void _doInitialWindowSetup();
    void _createTitlebarView();
    void _createTrafficLights();
    QAbstractButton* _windowButtonToLayout(NSWindowButton kind, QAbstractButton* userProvided);
    void _layoutTrafficLightsAndContent();
    void _layoutHorizontalTrafficLights(const QRectF& bar, const std::array<QAbstractButton*, 3>& buttons);
    void _layoutVerticalTrafficLights(const QRectF& bar, const std::array<QAbstractButton*, 3>& buttons);
    void _layoutFullScreenButton(const QRectF& bar, QAbstractButton* button);
    void _recalculateFrameForTitleBarContainer();
    void _repositionContentView();
    void _hideTitleBarView(bool hide);
    void _updateTitlebarView();
    void windowWillEnterFullScreen();
    void windowWillExitFullScreen();
    void keyStateChanged();

    void layoutForSize();
    void replaceButton(int slot, QAbstractButton* button, NSWindowButton kind, void (TCImageWindow::*action)());
    void performClose();
    void toggleZoom();
    void toggleFullScreen();
    void updateCornerShape();

    // Cocoa frame (y upward) of a child, and the other way round.
    QRectF cocoaFrame(const QWidget* child) const;
    void setCocoaFrame(QWidget* child, const QRectF& frame);

    double titleBarHeight_ = minimumTitlebarHeight();
    double cachedTitleBarHeight_ = minimumTitlebarHeight();
    double topButtonMoveUp_ = 0;
    bool centerFullScreenButton_ = false;
    bool centerTrafficLightButtons_ = true;
    bool verticalTrafficLightButtons_ = false;
    bool hideTitleBarInFullScreen_ = false;
    bool showsBaselineSeparator_ = true;
    double trafficLightButtonsLeftMargin_ = defaultTrafficLightLeftMargin();
    double trafficLightButtonsTopMargin_ = 3;
    double fullScreenButtonRightMargin_ = 0;
    bool setFullScreenButtonRightMargin_ = false;
    double fullScreenButtonTopMargin_ = 3;
    double trafficLightSeparation_ = defaultTrafficLightSeparation();
    bool showsTitle_ = false;
    bool showsTitleInFullscreen_ = false;

    QColor titleBarStartColor_, titleBarEndColor_, baselineSeparatorColor_;
    QColor inactiveTitleBarStartColor_, inactiveTitleBarEndColor_, inactiveBaselineSeparatorColor_;
    QColor titleTextColor_, inactiveTitleTextColor_;
    std::optional<TextShadow> titleTextShadow_, inactiveTitleTextShadow_;
    TitleBarDrawingBlock titleBarDrawingBlock_;
    QColor backgroundColor_ = Qt::transparent;

    std::unique_ptr<TCImageWindowDelegateProxy> proxy;
    KxTitlebarContainer* container = nullptr;
    QWidget* titleBar = nullptr;
    QWidget* content = nullptr;
    std::array<TrafficLightButton*, 3> trafficLights{};
    std::array<QAbstractButton*, 4> userButtons{};  // close, minimise, zoom, full screen
    const bool composited;
    bool drawsShadow_ = false;
    QMargins shadowMargins;

    // Moving the window by the mouse: where the press was, and where the window was then.
    bool dragging = false;
    bool systemMoveTried = false;
    QPointF dragStart;
    QPoint dragOrigin;
};

}  // namespace ui
