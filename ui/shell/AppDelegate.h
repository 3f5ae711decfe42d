#pragma once

#include "core/kit/InstallReport.h"
#include "platform/preferences/PreferenceObservation.h"
#include "ui/kit/windows/TCImageWindow.h"
#include "ui/panel/StatusBarViewDelegate.h"

#include <QObject>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QSystemTrayIcon;
class QWidget;

namespace core::disks {
class DiskVolumeList;
}

namespace ui {

class DiskViewController;
class FastCleanViewController;
class HightActionViewController;
class LeftView;
class LeftViewCtl;
class MainMenu;
class UpdateWindowController;
class StatusBarView;
class ViewDelegate;

// Builds the main window (the left column and the ten tool pages), runs the launch steps and
// decides what closing and reopening the window do. The application keeps running with its
// window closed; it ends only through the quit command or the status item's panel.
class AppDelegate : public QObject, public StatusBarViewDelegate {
    Q_OBJECT
public:
    // The install report is the one the first launch sends.
    explicit AppDelegate(core::InstallReport installReport = core::InstallReport());
    ~AppDelegate() override;

    // The whole start: the column and the first tool's start screen, the window shown, the title
    // bar; then, one per turn of the event loop, the disk page and its first scan, the first
    // tool's other screens, the stored font names, the first-launch steps, the status item and
    // the other pages.
    void launch();
    // Whether every step after the window has run and every page is made.
    bool isLaunchComplete() const;
    void awakeFromNib();
    void applicationDidFinishLaunching();

    // The page of one tool, or nullptr for an id that names none. Every tool's page is made here.
    ViewDelegate* createViewWith(int viewID);

    void closeWindow();
    bool applicationShouldTerminateAfterLastWindowClosed() const { return false; }
    // A later launch of the application: brings the window back. Always answers false.
    bool applicationShouldHandleReopen(bool hasVisibleWindows);
    // The desktop's appearance changed, by the page or elsewhere.
    void darkModeChanged();

    // The main menu's actions: About, the update check (its window made on first use and
    // kept), the support centre and the online help (their links in the default browser).
    void aboutAction();
    void checkUpdateAction();
    void supportCenterAction();
    void onlineHelp();
    MainMenu* mainMenu() const { return menu.get(); }
    UpdateWindowController* checkUpdateWindow() const { return checkUpdateWindow_.get(); }

    // The status item's questions.
    void getSystemInfo() override;
    void showMainWindow() override;
    void freeUpButtonAction() override;
    void optimizeButtonAction() override;
    StatusBarView* statusBarView() const { return statusBarV.get(); }
    QSystemTrayIcon* statusBarItem() const { return statusItem.get(); }

    TCImageWindow* window() const { return window_.get(); }
    QWidget* contentView() const;
    LeftViewCtl* leftViewController() const { return leftViewCtl; }
    bool mainWindowIsOpen() const { return isOpenMainWindow; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void loadMainInterface();
    void createLeftView();
    void creatrRightView();
    void createPage(int viewID);
    void createPendingPages();
    bool createNextPendingPage();
    void runNextAfterShowStep();
    QRect rightArea() const;
    void layoutColumnAndPages();
    ViewDelegate* startFirstVolumeScan(DiskViewController* diskPage);
    static void loadDiskView(const std::shared_ptr<core::disks::DiskVolumeList>& volumes);

    void styleMainWindow();
    void setTitleBar();
    void setFontValue();
    void runFirstLaunchSteps();
    void addMenuBar();
    void showToolFromPanel(int viewID);
    void installQuitCommand();
    bool mainWindowIsShown() const;
    void bringWindowToFront();

    core::InstallReport installReport;
    std::unique_ptr<TCImageWindow> window_;
    LeftView* aLeftView = nullptr;  // marks the column's place until the column replaces it
    LeftViewCtl* leftViewCtl = nullptr;
    std::vector<ViewDelegate*> pages;
    std::deque<int> pendingPages;  // the tools whose pages are still to be made, in order
    std::deque<std::function<void()>> afterShowSteps;
    DiskViewController* diskVC = nullptr;  // kept for the start-up volume's facts
    FastCleanViewController* fastCleanVC = nullptr;  // kept for its screens made after the window
    HightActionViewController* hightAVC = nullptr;  // kept for the appearance changes
    std::unique_ptr<platform::PreferenceObservation> appearanceObservation;
    bool isOpenMainWindow = false;
    QAction* quitCommand = nullptr;  // Control+Q, owned by the main window
    std::unique_ptr<UpdateWindowController> checkUpdateWindow_;
    // Before the status item, which shows it as its context menu.
    std::unique_ptr<MainMenu> menu;
    // The application's one status item and the view behind it.
    std::unique_ptr<QSystemTrayIcon> statusItem;
    std::unique_ptr<StatusBarView> statusBarV;
};

}  // namespace ui
