#include "core/kit/SettingsFile.h"
#include "support/ScopedEnvironment.h"
#include "ui/disks/DiskViewController.h"
#include "ui/junk/FastCleanViewController.h"
#include "ui/kit/windows/TCImageWindow.h"
#include "ui/shell/AppDelegate.h"
#include "ui/shell/LeftCellView.h"
#include "ui/shell/LeftCellViewCtr.h"
#include "ui/shell/LeftViewCtl.h"
#include "ui/shell/MyNSApplication.h"
#include "ui/shell/ViewDelegate.h"
#include "ui/shell/ViewMan.h"

#include <QtTest>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

// A way of switching to a tool right after the launch.
using Switch = std::function<void(ui::AppDelegate&)>;
Q_DECLARE_METATYPE(Switch)

// The window is shown with the first tool's start screen only; the other pages, the first tool's
// other screens, the stored font names and the status item follow in idle time, and a switch
// that comes first makes the pages then.
class LaunchOrderTest : public QObject {
    Q_OBJECT
private:
    testsupport::ScopedEnvironment environment;  // the disk page's scan writes in its runtime folder
    std::unique_ptr<ui::AppDelegate> shell;

    // The ids of the pages the content view holds, in order, and of those shown.
    std::vector<int> pageIds(bool shownOnly = false) const {
        std::vector<int> ids;
        for (QWidget* child : shell->contentView()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (auto* page = dynamic_cast<ui::ViewDelegate*>(child); page && (!shownOnly || child->isVisible()))
                ids.push_back(page->getViewID());
        std::sort(ids.begin(), ids.end());
        return ids;
    }

    void launch() {
        shell = std::make_unique<ui::AppDelegate>();
        shell->launch();
    }

    static std::vector<int> allTools() { return {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}; }

    void verifyTheDiskPagesScanStarts() {
        auto* disk = shell->window()->findChild<ui::DiskViewController*>();
        QVERIFY(disk);
        QTRY_VERIFY_WITH_TIMEOUT(disk->isCanClick(), 30000);
    }

private slots:
    void cleanup() { shell.reset(); }

    void theWindowShowsFirstAndTheRestFollowsInIdleTime() {
        const platform::PlistValue earlierFont("A font of an earlier version");
        QVERIFY(core::SettingsFile::setValue("FontLight", earlierFont));
        launch();
        QVERIFY(shell->window()->isVisible());
        QCOMPARE(pageIds(), std::vector<int>{0});
        auto* junk = shell->window()->findChild<ui::FastCleanViewController*>();
        QVERIFY(!junk->scanView());
        QVERIFY(!shell->statusBarItem());
        QCOMPARE(core::SettingsFile::valueForKey("FontLight"), earlierFont);
        QVERIFY(!shell->isLaunchComplete());

        QTRY_VERIFY(shell->isLaunchComplete());
        QCOMPARE(pageIds(), allTools());
        QCOMPARE(pageIds(true), std::vector<int>{0});
        QVERIFY(junk->scanView());
        QVERIFY(shell->statusBarItem());
        QVERIFY(core::SettingsFile::valueForKey("FontLight") != earlierFont);
        verifyTheDiskPagesScanStarts();
    }

    // Shown from the status item's panel (no page asked) or asked by the column before a click:
    // either way every page is made at once, and the idle turns left make none twice.
    void aSwitchBeforeThePagesAreMadeMakesThemThen_data() {
        QTest::addColumn<Switch>("switchToTool5");
        QTest::newRow("shown") << Switch(
            [](ui::AppDelegate&) { ui::ViewMan::returnViewMan()->showView(5); });
        QTest::newRow("asked, then clicked") << Switch([](ui::AppDelegate& app) {
            ui::ViewMan* switcher = ui::ViewMan::returnViewMan();
            switcher->checkCanClick(5);
            QTRY_VERIFY_WITH_TIMEOUT(switcher->checkCanClick(5), 30000);  // once the disk scan started
            ui::LeftCellView* cell = app.leftViewController()->cells().at(5)->CellCtl->view();
            QTest::mouseClick(cell, Qt::LeftButton, {}, cell->rect().center());
        });
    }
    void aSwitchBeforeThePagesAreMadeMakesThemThen() {
        QFETCH(Switch, switchToTool5);
        launch();
        QCOMPARE(pageIds(), std::vector<int>{0});
        switchToTool5(*shell);
        QCOMPARE(pageIds(), allTools());
        QCOMPARE(pageIds(true), std::vector<int>{5});
        QTRY_VERIFY(shell->isLaunchComplete());
        QCOMPARE(pageIds(), allTools());
        QCOMPARE(pageIds(true), std::vector<int>{5});
        verifyTheDiskPagesScanStarts();
    }
};

int main(int argc, char* argv[]) {
    ui::MyNSApplication application(argc, argv);
    LaunchOrderTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_launch_order.moc"
