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

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    std::string listing;
    testsupport::ScopedOutputVolume output{std::make_shared<testsupport::FakeOutputVolume>()};
    std::unique_ptr<ui::AppDelegate> shell;

    // Writes the listing to the scan that waits on the pipe, and leaves a plain file with it in
    // the pipe's place for any later scan.
    void releaseTheListing() {
        const std::string pipe = machine / "lsblk.json";
        QDeadlineTimer deadline(30000);
        int fd = -1;
        while ((fd = open(pipe.c_str(), O_WRONLY | O_NONBLOCK)) < 0 && errno == ENXIO && !deadline.hasExpired())
            QTest::qWait(10);
        QVERIFY2(fd >= 0, "the first scan never opened its listing");
        const std::string plain = machine.writeFile("lsblk.plain.json", listing);
        QCOMPARE(std::rename(plain.c_str(), pipe.c_str()), 0);
        QCOMPARE(fcntl(fd, F_SETFL, 0), 0);
        QCOMPARE(write(fd, listing.data(), listing.size()), static_cast<ssize_t>(listing.size()));
        close(fd);
    }

private slots:
    void initTestCase() {
        const std::string data = std::string(DURIDOVE_TEST_DATA) + "/lsblk/";
        // The application and its disk helper read one mount table.
        const std::string procRoot = environment.environment().procRoot();
        environment.folder().writeFile("proc/self/mountinfo", testsupport::readWholeFile(data + "whole-disk-ext4.mountinfo"));
        // The disk listing is a pipe the first scan waits on until the test writes into it.
        listing = testsupport::readWholeFile(data + "whole-disk-ext4.json");
        QCOMPARE(mkfifo((machine / "lsblk.json").c_str(), 0600), 0);
        setenv("DURIDOVE_LSBLK_JSON", (machine / "lsblk.json").c_str(), 1);
        setenv("DURIDOVE_PROC_ROOT", procRoot.c_str(), 1);
        shell = std::make_unique<ui::AppDelegate>();
        shell->launch();
        QTRY_VERIFY(shell->isLaunchComplete());
    }
    void cleanupTestCase() { shell.reset(); }


    void theStartUpVolumeIsPassedOnlyOnceTheDiskListHasIt() {
        ui::StatusBarView* item = shell->statusBarView();
        QVERIFY(item);
        QCOMPARE(item->delegate(), static_cast<ui::StatusBarViewDelegate*>(shell.get()));
        QVERIFY(QTest::qWaitForWindowExposed(shell->window()));
        // The first scan is still waiting for its listing.
        shell->getSystemInfo();
        QVERIFY(item->systemName().isEmpty());
        QVERIFY(item->systemFreeSize().isEmpty());

        releaseTheListing();
        if (QTest::currentTestFailed()) return;
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
