#include "support/FakeOutputVolume.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"
#include "ui/kit/windows/TCImageWindow.h"
#include "ui/shell/AppDelegate.h"
#include "ui/shell/LeftViewCtl.h"
#include "ui/shell/ViewDelegate.h"
#include "ui/shell/ViewMan.h"
#include "ui/panel/StatusBarView.h"
#include "ui/panel/StatusView.h"
#include "ui/kit/controls/DTextImageButton.h"
#include "ui/kit/controls/TextImageButton.h"

#include <QtTest>

#include <cstdlib>
#include <memory>

namespace {

// A tool that is busy: it refuses every switch it is asked about.
class BusyPage : public ui::ViewDelegate {
public:
    QWidget* getView() override { return &view; }
    int getViewID() override { return 5; }
    bool isCanClick() override { return false; }
    QWidget view;
};

int selectedCell(const ui::AppDelegate& shell) {
    for (const auto& cell : shell.leftViewController()->cells())
        if (cell->CellSelected) return cell->CellID;
    return -1;
}

}  // namespace

// The application's side of the status item: the start-up volume it passes and the tools its
// panel opens, with the disk list read from a recorded lsblk output and mount table.
class StatusItemTest : public QObject {
    Q_OBJECT
    testsupport::ScopedEnvironment environment;
    testsupport::TempFolder machine;
    testsupport::ScopedOutputVolume output{std::make_shared<testsupport::FakeOutputVolume>()};
    std::unique_ptr<ui::AppDelegate> shell;

private slots:
    void initTestCase() {
        const std::string data = std::string(DURIDOVE_TEST_DATA) + "/lsblk/";
        machine.writeFile("proc/self/mountinfo", testsupport::readWholeFile(data + "whole-disk-ext4.mountinfo"));
        setenv("DURIDOVE_LSBLK_JSON", (data + "whole-disk-ext4.json").c_str(), 1);
        setenv("DURIDOVE_PROC_ROOT", (machine / "proc").c_str(), 1);
        shell = std::make_unique<ui::AppDelegate>();
        shell->launch();
        QTRY_VERIFY(shell->isLaunchComplete());
    }
    void cleanupTestCase() { shell.reset(); }

    void theStartUpVolumeIsPassedOnlyOnceTheDiskListHasIt() {
        ui::StatusBarView* item = shell->statusBarView();
        QVERIFY(item);
        QCOMPARE(item->delegate(), static_cast<ui::StatusBarViewDelegate*>(shell.get()));
        // The first scan's list is handed over on the main thread, which has not run yet.
        shell->getSystemInfo();
        QVERIFY(item->systemName().isEmpty());
        QVERIFY(item->systemFreeSize().isEmpty());
        // Only now may events run: waiting for the window lets the first scan's list arrive.
        QVERIFY(QTest::qWaitForWindowExposed(shell->window()));

        QTRY_VERIFY_WITH_TIMEOUT((shell->getSystemInfo(), !item->systemName().isEmpty()), 30000);
        QCOMPARE(item->systemName(), QString("Untitled"));
        QVERIFY(item->systemFreeSize().endsWith("B"));
    }

    void optimiseOpensTheClosedWindowOnTheJunkCleanerEvenWhileAToolIsBusy() {
        BusyPage busy;
        ui::ViewMan::returnViewMan()->addView(&busy);
        shell->freeUpButtonAction();
        QCOMPARE(selectedCell(*shell), 1);
        shell->closeWindow();
        QVERIFY(!shell->mainWindowIsOpen());

        shell->optimizeButtonAction();
        QVERIFY(shell->mainWindowIsOpen());
        QVERIFY(shell->window()->isVisible());
        QCOMPARE(selectedCell(*shell), 0);
        ui::ViewMan::returnViewMan()->removeView(&busy);
    }

    void theMainWindowButtonToggles() {
        QVERIFY(shell->mainWindowIsOpen());
        shell->showMainWindow();
        QVERIFY(!shell->mainWindowIsOpen());
        QVERIFY(!shell->window()->isVisible());
        shell->showMainWindow();
        QVERIFY(shell->mainWindowIsOpen());
        QVERIFY(shell->window()->isVisible());
    }

    // Minimised with its yellow light, the window comes back normal and active from the panel's
    // button and from its two jumps to a tool, each clicked in the panel the status icon opens,
    // and the button then closes it as before.
    void aMinimisedWindowComesBackFromThePanel_data() {
        QTest::addColumn<int>("button");
        QTest::newRow("主界面") << 0;
        QTest::newRow("释放内存") << 1;
        QTest::newRow("一键优化") << 2;
    }
    void aMinimisedWindowComesBackFromThePanel() {
        QFETCH(int, button);
        ui::TCImageWindow* window = shell->window();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QTest::mouseClick(window->standardWindowButton(ui::NSWindowMiniaturizeButton), Qt::LeftButton);
        QTRY_VERIFY(window->isMinimized());

        ui::StatusBarView* item = shell->statusBarView();
        item->mouseDown();
        QVERIFY(!item->panelIsHidden());
        ui::StatusView* panel = item->statusView();
        QAbstractButton* const buttons[] = {panel->openMainButton, panel->freeUpButton, panel->optimizeButton};
        QTest::mouseClick(buttons[button], Qt::LeftButton);
        QVERIFY(window->isVisible());
        QVERIFY(!window->isMinimized());
        QVERIFY(QTest::qWaitForWindowActive(window));
        QVERIFY(shell->mainWindowIsOpen());

        shell->showMainWindow();
        QVERIFY(!window->isVisible());
        shell->showMainWindow();
        QVERIFY(window->isVisible());
    }
};

QTEST_MAIN(StatusItemTest)
#include "tst_status_item.moc"
