#pragma once

#include "core/kit/Executors.h"
#include "ui/kit/desktop/Dispatch.h"
#include "ui/panel/StatusAttachedWindow.h"
#include "ui/panel/StatusBarViewDelegate.h"

#include <QElapsedTimer>
#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QTimer>

#include <functional>

class QSystemTrayIcon;

namespace ui {

class StatusView;

// The status item's side of the panel. A click on the icon opens a fresh panel below it, or
// hides the one shown. The panel hides 1 s after the pointer has left both the icon and the
// panel, or when it stops being active with the pointer over neither. A tray reports no
// pointer entering or leaving its icon, so while the panel shows the pointer is looked at
// against the icon's place every 100 ms; where the tray does not tell the icon's place, the
// icon never counts as under the pointer. Without a status item (in tests) the icon's place
// and the pointer come from the sources given.
class StatusBarView : public QObject, public StatusViewDelegate, public StatusAttachedWindowDelegate {
    Q_OBJECT
public:
    explicit StatusBarView(core::Executors executors = Dispatch::executors());
    ~StatusBarView() override;

    // The tray icon this view is shown in: it shows the icon, reports clicks and its place.
    void setStatusItem(QSystemTrayIcon* item);
    void setIconGeometrySource(std::function<QRect()> source) { iconGeometry = std::move(source); }
    void setPointerSource(std::function<QPoint()> source) { pointer = std::move(source); }

    void setTabBarIconImage(const QIcon& image) { tabBarIconImage = image; }
    // Shows the icon image on the status item.
    void changeTabarIconImage();
    StatusBarViewDelegate* delegate() const { return barDelegate; }
    void setDelegate(StatusBarViewDelegate* delegate) { barDelegate = delegate; }
    // The start-up volume, set by the delegate when asked (getSystemInfo).
    void setSystemName(const QString& name) { _systemName = name; }
    void setSystemFreeSize(const QString& freeSize) { _systemFreeSize = freeSize; }
    const QString& systemName() const { return _systemName; }
    const QString& systemFreeSize() const { return _systemFreeSize; }

    void mouseDown();
    void mouseEntered();
    void mouseExited();
    // One look at the pointer against the icon's place.
    void pollPointer();

    void mouseInWindow(bool inside) override;
    void closeMattachedWindow() override;
    // Hides the panel unless the pointer is over the icon or the panel.
    void isHiddenWindow();
    void cleanWindow() override;
    void getSystemInfo();
    void showMainWindow() override;
    void freeUpButtonAction() override;
    void optimizeButtonAction() override;

    bool panelIsHidden() const { return hiddenWindow; }
    StatusView* statusView() const { return panel; }
    StatusAttachedWindow* attachedWindow() const { return window; }

private:
    bool iconIsUnderPointer() const;
    // Where the panel attaches, in Cocoa form on the screen: the middle of the icon's lower edge,
    // or the pointer where the icon's place is unknown.
    QPointF attachPoint() const;
    void hideLater();
    void hidePanel();
    // A click on an icon whose place is unknown first takes activation from the panel, which
    // hides it; that click only closes the panel.
    bool clickJustClosedThePanel() const;

    core::Executors executors;
    QSystemTrayIcon* statusItem = nullptr;  // not owned
    std::function<QRect()> iconGeometry;
    std::function<QPoint()> pointer;
    QIcon tabBarIconImage;
    StatusBarViewDelegate* barDelegate = nullptr;  // not owned
    QString _systemName;
    QString _systemFreeSize;
    StatusView* panel = nullptr;                    // owned by its window
    QPointer<StatusAttachedWindow> window;
    QTimer pointerWatch;
    bool isInSelf = false;
    bool isInWindow = false;
    bool hiddenWindow = true;
    int opening = 0;  // counts openings, so a check meant for an earlier panel is dropped
    QElapsedTimer sinceDeactivationHid;
};

}  // namespace ui
