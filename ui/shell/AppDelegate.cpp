#include "ui/shell/AppDelegate.h"

#include "core/kit/EULinkUrl.h"
#include "platform/preferences/DesktopPreferences.h"
#include "platform/system/Log.h"
#include "ui/browser/InternetViewController.h"
#include "ui/disks/DiskViewController.h"
#include "ui/duplicates/DuplicateViewController.h"
#include "ui/junk/FastCleanViewController.h"
#include "ui/kit/looks/CocoaRect.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/ImageNamed.h"
#include "ui/kit/looks/InterfaceFonts.h"
#include "ui/kit/desktop/Dispatch.h"
#include "ui/kit/controls/InstantToolTipStyle.h"
#include "ui/kit/controls/LeftView.h"
#include "ui/kit/desktop/AppActivation.h"
#include "ui/kit/windows/ModalLoop.h"
#include "ui/kit/looks/SystemFont.h"
#include "ui/kit/windows/TCImageWindow.h"
#include "ui/panel/StatusBarView.h"
#include "ui/shell/LeftViewCtl.h"
#include "ui/shell/MainMenu.h"
#include "ui/shell/TCPreferenceWindowController.h"
#include "ui/shell/UpdateWindowController.h"
#include "ui/shell/ToolColumn.h"
#include "ui/shell/TopBgView.h"
#include "ui/shell/ViewDelegate.h"
#include "ui/shell/ViewMan.h"
#include "ui/largefiles/LagFileViewController.h"
#include "ui/shredder/FileShareController.h"
#include "ui/startup/StartupItemsViewController.h"
#include "ui/switches/HightActionViewController.h"
#include "ui/taskmanager/TaskManagerViewController.h"
#include "ui/uninstall/UninstallViewController.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

namespace ui {
namespace {

constexpr int kWindowWidth = kToolColumnWidth + kPageWidth;
constexpr int kContentHeight = kPageHeight;  // what the column and the pages are laid out for
constexpr int kTitleBarHeight = 20;
constexpr double kTopButtonMoveUp = -3.0;
const QRectF kTopBgFrame(0, -100, kWindowWidth, kPageHeight);  // in the bar; only its top strip shows

// Every custom window starts with the standard bar; the main window's 20-point bar, set at
// launch, then leaves the 600 points of content under it.
constexpr double kInterfaceFontSize = 13;

// A hidden label whose only purpose is the font it carries.
QLabel* fontLabel(QWidget* parent, QFont::Weight weight) {
    auto* label = new QLabel(parent);
    QFont font = systemFontOfSize(kInterfaceFontSize);
    font.setWeight(weight);
    label->setFont(font);
    label->hide();
    return label;
}

QSize mainWindowContentRect() {
    const int startHeight = kContentHeight + kTitleBarHeight - static_cast<int>(TCImageWindow::minimumTitlebarHeight());
    return QSize(kWindowWidth, startHeight);
}

// The status item's picture, readable on a light and on a dark panel alike.
QIcon menuBarImage() { return QIcon(imagePath(QStringLiteral("menuBar"))); }

}  // namespace

AppDelegate::AppDelegate(core::InstallReport installReport) : installReport(std::move(installReport)) {
    loadMainInterface();
}

AppDelegate::~AppDelegate() {
    // The window is destroyed after this body, and sends its content view events as its
    // children go: none may reach a delegate that is half torn down.
    contentView()->removeEventFilter(this);
    window_->removeEventFilter(this);
    ViewMan::returnViewMan()->setPendingViews(nullptr);
    for (ViewDelegate* page : pages) ViewMan::returnViewMan()->removeView(page);
    if (aLeftView && !aLeftView->parent()) delete aLeftView;
}

// The main window as the application's interface lays it out: a custom window of fixed size
// whose content keeps its left 200 points for the tool column. The column and the pages follow
// the content view's height.
void AppDelegate::loadMainInterface() {
    window_ = std::make_unique<TCImageWindow>(mainWindowContentRect());
    window_->setWindowTitle(QStringLiteral("Duridove"));
    TCImageWindow::setMainWindow(window_.get());
    window_->setFixedSize(window_->size());
    window_->installEventFilter(this);
    contentView()->installEventFilter(this);
    installQuitCommand();
    const int height = contentView()->height();
    aLeftView = new LeftView(contentView());
    aLeftView->setGeometry(cocoaRect(height, 0, 0, kToolColumnWidth, height).toRect());
}

QWidget* AppDelegate::contentView() const { return window_->contentView(); }

// The window is shown as soon as what it shows at first exists: the column, the first tool's
// start screen and the title bar. The other pages and the services are made after it, in idle time.
void AppDelegate::launch() {
    QApplication::setStyle(new InstantToolTipStyle);  // before the pages, which it would polish again
    awakeFromNib();
    window_->show();
    applicationDidFinishLaunching();
}

void AppDelegate::awakeFromNib() {
    createLeftView();
    creatrRightView();
    ViewMan::returnViewMan()->showView(0);
    ViewMan::returnViewMan()->setPendingViews([this] { createPendingPages(); });
}

void AppDelegate::createLeftView() {
    leftViewCtl = new LeftViewCtl;
    LeftView* column = leftViewCtl->view();
    column->setParent(contentView());
    column->setGeometry(aLeftView->geometry());
    aLeftView->setParent(nullptr);
    column->show();
}

// Only the first tool's page; the disk page comes first of the others, so that its first
// volume scan starts right after the window.
void AppDelegate::creatrRightView() {
    createPage(0);
    pendingPages = {8, 1, 2, 3, 4, 5, 6, 7, 9};
}

void AppDelegate::createPage(int viewID) {
    ViewDelegate* page = createViewWith(viewID);
    if (!page) return;
    page->getView()->setParent(contentView());
    page->getView()->setGeometry(rightArea());
    ViewMan::returnViewMan()->addView(page);
    pages.push_back(page);
}

// The pages' turns in idle time then find nothing left to make.
void AppDelegate::createPendingPages() {
    while (createNextPendingPage()) {
    }
}

bool AppDelegate::createNextPendingPage() {
    if (pendingPages.empty()) return false;
    const int viewID = pendingPages.front();
    pendingPages.pop_front();
    createPage(viewID);
    if (pendingPages.empty()) ViewMan::returnViewMan()->setPendingViews(nullptr);
    return true;
}

QRect AppDelegate::rightArea() const {
    const QRect bounds = contentView()->rect();
    const int x = aLeftView->width();
    return QRect(x, bounds.y(), bounds.width() - x, bounds.height());
}

void AppDelegate::layoutColumnAndPages() {
    if (leftViewCtl) leftViewCtl->view()->resize(kToolColumnWidth, contentView()->height());
    for (ViewDelegate* page : pages) page->getView()->setGeometry(rightArea());
}

// One line per tool.
ViewDelegate* AppDelegate::createViewWith(int viewID) {
    switch (viewID) {
    case 0: return fastCleanVC = new FastCleanViewController;
    case 1: return new TaskManagerViewController;
    case 2: return new UninstallViewController;
    case 3: return new InternetViewController;
    case 4: return new DuplicateViewController;
    case 5: return new LagFileViewController;
    case 6: return new FileShareController;
    case 7: return new StartupItemsViewController;
    case 8: return startFirstVolumeScan(new DiskViewController);
    case 9: return hightAVC = new HightActionViewController;
    default: return nullptr;
    }
}

ViewDelegate* AppDelegate::startFirstVolumeScan(DiskViewController* diskPage) {
    diskVC = diskPage;
    Dispatch::detached([volumes = diskPage->volumeList()] { loadDiskView(volumes); });
    return diskPage;
}

// Runs on a thread of its own at start-up: the disk page's first volume scan. It is handed
// the page's volume list rather than the page, so it never outlives what it scans.
void AppDelegate::loadDiskView(const std::shared_ptr<core::disks::DiskVolumeList>& volumes) { volumes->getallVolumes(); }

void AppDelegate::applicationDidFinishLaunching() {
    QApplication::setQuitOnLastWindowClosed(applicationShouldTerminateAfterLastWindowClosed());
    styleMainWindow();
    setTitleBar();
    // The first pending page (the disk page), the first page's hidden screens and the services;
    // then one turn for each other page.
    afterShowSteps = {[this] { createNextPendingPage(); }, [this] { fastCleanVC->makeHiddenScreens(); },
                      [this] { setFontValue(); }, [this] { runFirstLaunchSteps(); }, [this] { addMenuBar(); }};
    QTimer::singleShot(0, this, &AppDelegate::runNextAfterShowStep);
}

// One step per turn of the event loop, so the window is drawn and answers in between.
void AppDelegate::runNextAfterShowStep() {
    if (!afterShowSteps.empty()) {
        std::function<void()> step = std::move(afterShowSteps.front());
        afterShowSteps.pop_front();
        step();
    } else if (!createNextPendingPage()) {
        return;
    }
    if (!isLaunchComplete()) QTimer::singleShot(0, this, &AppDelegate::runNextAfterShowStep);
}

bool AppDelegate::isLaunchComplete() const { return afterShowSteps.empty() && pendingPages.empty(); }

void AppDelegate::styleMainWindow() { window_->setBackgroundColor(getColor(255, 255, 255, 1)); }

void AppDelegate::setTitleBar() {
    isOpenMainWindow = true;
    window_->center();
    // The offset is only stored; laying out the new height applies it.
    window_->setTopButtonMoveUp(kTopButtonMoveUp);
    window_->setTitleBarHeight(kTitleBarHeight);
    QWidget* titleBarView = window_->titleBarView();
    auto* background = new TopBgView(titleBarView);
    background->setGeometry(cocoaRect(titleBarView->height(), kTopBgFrame).toRect());
    background->show();
    QAbstractButton* closeButton = window_->standardWindowButton(NSWindowCloseButton);
    closeButton->disconnect(window_.get());
    connect(closeButton, &QAbstractButton::clicked, this, &AppDelegate::closeWindow);
    menu = std::make_unique<MainMenu>(MainMenuActions{[this] { aboutAction(); }, [this] { checkUpdateAction(); },
                                                      [this] { supportCenterAction(); }, [this] { onlineHelp(); },
                                                      &QCoreApplication::quit});
    menu->addButtonTo(titleBarView);
}

// At every launch, so that a change of the interface's fonts takes effect at the next start.
// The labels that carry the three fonts are made here, after the window.
void AppDelegate::setFontValue() {
    writLightFont(fontLabel(contentView(), QFont::Light)->font());
    writRegularFont(fontLabel(contentView(), QFont::Normal)->font());
    writBoldFont(fontLabel(contentView(), QFont::Bold)->font());
}

// Only while the settings say this is the first launch: the install page, the report, and the
// mark that the first launch is over.
void AppDelegate::runFirstLaunchSteps() { installReport.runFirstLaunchSteps(); }

// The application's one status item, and the appearance it follows. A desktop without a tray
// shows no icon; Qt adds it once a tray appears.
void AppDelegate::addMenuBar() {
    statusItem = std::make_unique<QSystemTrayIcon>();
    statusItem->setToolTip(QStringLiteral("Duridove"));
    appearanceObservation = platform::DesktopPreferences::shared()->observe(platform::Preference::AppleInterfaceStyle,
                                                                             [this] { darkModeChanged(); });
    statusBarV = std::make_unique<StatusBarView>();
    statusBarV->setTabBarIconImage(menuBarImage());
    statusBarV->setDelegate(this);
    statusBarV->setStatusItem(statusItem.get());
    statusBarV->changeTabarIconImage();
    statusItem->setContextMenu(menu.get());
    statusItem->show();
}

// The settings store is read for the log line off the main thread: it may not answer.
void AppDelegate::darkModeChanged() {
    Dispatch::globalQueue([] {
        const platform::PlistValue style =
            platform::DesktopPreferences::shared()->copyValue(platform::Preference::AppleInterfaceStyle);
        platform::logInfo("Dark mode changed --AppleInterfaceStyle = " + (style.isNull() ? "(none)" : style.toString()));
    });
    if (statusBarV) {
        statusBarV->setTabBarIconImage(menuBarImage());
        statusBarV->changeTabarIconImage();
    }
    if (hightAVC) hightAVC->changeDarkModeBut();
}

// The standard quit command, Control+Q wherever the focus is (the desktop theme may bind
// no key to QKeySequence::Quit, so the key is named).
void AppDelegate::installQuitCommand() {
    quitCommand = new QAction(QStringLiteral("退出"), window_.get());
    quitCommand->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quitCommand->setShortcutContext(Qt::ApplicationShortcut);
    connect(quitCommand, &QAction::triggered, qApp, &QCoreApplication::quit);
    window_->addAction(quitCommand);
}

void AppDelegate::aboutAction() {
    TCPreferenceWindowController controller;
    controller.window()->center();
    runModal(controller.window());
    activateIgnoringOtherApps();
}

// A second command while the window is up only brings it forward. The window is modal to the
// main window only, and takes the quit command too: a quit from the keyboard or the status item's
// menu while it is open ends the application after its fade-out.
void AppDelegate::checkUpdateAction() {
    if (!checkUpdateWindow_) {
        checkUpdateWindow_ = std::make_unique<UpdateWindowController>();
        checkUpdateWindow_->window()->addAction(quitCommand);
    }
    TCImageWindow* updateWindow = checkUpdateWindow_->window();
    if (updateWindow->isVisible()) {
        updateWindow->raise();
        updateWindow->activateWindow();
        return;
    }
    updateWindow->center();
    runModalOver(updateWindow, window_.get());
}

void AppDelegate::supportCenterAction() { core::EULinkUrl::openLink("SupportTeam"); }

void AppDelegate::onlineHelp() { core::EULinkUrl::openLink("OnlineHelp"); }

// Only a start-up volume that the disk page's scan has found is passed on; before the first
// scan the panel keeps its own texts.
void AppDelegate::getSystemInfo() {
    if (!diskVC) return;
    auto volume = diskVC->volumeList()->startupVolume();
    if (!volume) return;
    platform::logInfo("SYSTEM NAME : " + volume->volumeName);
    platform::logInfo("SYSTEM FREE SIZE : " + volume->volumeFreeSize);
    statusBarV->setSystemName(QString::fromStdString(volume->volumeName));
    statusBarV->setSystemFreeSize(QString::fromStdString(volume->volumeFreeSize));
}

// The panel's button closes a window the user sees, and opens one closed or minimised.
void AppDelegate::showMainWindow() {
    if (mainWindowIsShown()) {
        closeWindow();
        return;
    }
    isOpenMainWindow = true;
    bringWindowToFront();
}

void AppDelegate::freeUpButtonAction() { showToolFromPanel(1); }

void AppDelegate::optimizeButtonAction() { showToolFromPanel(0); }

// The panel's jumps to a tool open the window first and switch without asking the pages.
void AppDelegate::showToolFromPanel(int viewID) {
    if (!mainWindowIsShown()) showMainWindow();
    leftViewCtl->setSelectCellWithID(viewID);
    ViewMan::returnViewMan()->showView(viewID);
}

void AppDelegate::closeWindow() {
    window_->close();
    isOpenMainWindow = false;
}

// A window closed by other means (the window manager, the close command) is closed like one
// closed by its own button; the column and the pages follow the content view's height.
bool AppDelegate::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_.get() && event->type() == QEvent::Close) isOpenMainWindow = false;
    if (watched == contentView() && event->type() == QEvent::Resize) layoutColumnAndPages();
    return QObject::eventFilter(watched, event);
}

bool AppDelegate::applicationShouldHandleReopen(bool) {
    isOpenMainWindow = true;
    bringWindowToFront();
    return false;
}

bool AppDelegate::mainWindowIsShown() const { return isOpenMainWindow && !window_->isMinimized(); }

// Whatever state the window was left in (closed, minimised, behind others), it comes back
// normal, on top and active.
void AppDelegate::bringWindowToFront() {
    window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    window_->show();
    window_->raise();
    window_->activateWindow();
}

}  // namespace ui
