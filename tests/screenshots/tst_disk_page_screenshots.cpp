// The disk manager page on a real set-up: a loop disk that the disk utility stand-in lists as a
// USB stick, acted on by udisks2 (testsupport::LiveLoopDisk). The page is driven as a user
// drives it, through its row buttons and dialogs, and what each step shows is saved as a
// picture of the screen under DURIDOVE_SCREENSHOT_DIR for a look by eye. It runs under Xvfb,
// and is skipped, saying why, where the machine does not allow the set-up.
#include "support/LiveLoopDisk.h"
#include "support/ScopedEnvironment.h"
#include "support/ScopedVariable.h"
#include "ui/disks/DiskViewController.h"
#include "ui/disks/DiskVolumeModel.h"
#include "ui/disks/FormatEndViewController.h"
#include "ui/disks/MakeSureFormatViewController.h"
#include "ui/disks/RenameViewController.h"
#include "ui/kit/controls/DTextImageButton.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/windows/TCImageWindow.h"
#include "ui/shell/MyNSApplication.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

constexpr const char* kLabel = "LOOPSTICK";
constexpr int kScanMilliseconds = 60000;
constexpr int kActionMilliseconds = 300000;

// Runs the action once the modal loop that is about to start has started.
void whenModal(std::function<void()> action) { QTimer::singleShot(0, std::move(action)); }

bool usable(ui::DTextImageButton* button) { return button->isDisabled(); }

}  // namespace

class DiskPageScreenshots : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<testsupport::LiveLoopDisk> live;
    std::unique_ptr<testsupport::ScopedVariable> path;
    std::unique_ptr<testsupport::ScopedEnvironment> environment;
    std::unique_ptr<ui::DiskViewController> page;

    // The row of the loop disk's volume; -1 while the page does not show it.
    int diskRow() const {
        for (int row = 0; row < page->model()->rowCount(); ++row)
            if (auto volume = page->model()->volumeAt(row); volume && volume->volumePath == live->disk().name())
                return row;
        return -1;
    }
    QString shownName() const {
        const int row = diskRow();
        return row < 0 ? QString() : ui::DiskVolumeModel::nameText(*page->model()->volumeAt(row));
    }
    QString shownType() const {
        const int row = diskRow();
        return row < 0 ? QString() : ui::DiskVolumeModel::typeText(*page->model()->volumeAt(row));
    }
    // Once the scans that the action and its mount events asked for have run.
    void selectDisk() {
        QTRY_VERIFY_WITH_TIMEOUT(!page->volumeList()->isScanPending(), kScanMilliseconds);
        QVERIFY(diskRow() > 0);
        page->selectRow(diskRow());
        QVERIFY(page->rowButtonBar()->isVisible());
    }

    // The page and whatever dialog lies over it, as the screen shows them.
    void shoot(const QString& name) {
        QTest::qWait(200);  // the last repaint reaches the screen
        const QString folder = qEnvironmentVariable("DURIDOVE_SCREENSHOT_DIR", QDir::currentPath());
        QDir().mkpath(folder);
        const QRect area(page->mapToGlobal(QPoint(0, 0)), page->size());
        const QPixmap picture =
            QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
        const QString file = folder + "/" + name + ".png";
        QVERIFY2(picture.save(file), qPrintable("cannot write " + file));
        qInfo("picture: %s", qPrintable(file));
    }

private slots:
    void initTestCase() {
        const std::string reason = testsupport::LiveLoopDisk::whyNotHere();
        if (!reason.empty()) QSKIP(reason.c_str());
        if (QGuiApplication::platformName() != "xcb") QSKIP("pictures of the screen need an X server (run under Xvfb)");
        live = std::make_unique<testsupport::LiveLoopDisk>(kLabel);
        QCOMPARE(QString::fromStdString(live->failure()), QString());
        path = std::make_unique<testsupport::ScopedVariable>("PATH", live->searchPath());
        environment = std::make_unique<testsupport::ScopedEnvironment>([](platform::Environment::Values& values) {
            values.procRoot = "/proc";
            values.sysRoot = "/sys";
        });
        // Renaming and formatting are offered for a mounted volume.
        QVERIFY(live->diskutil({"mount", live->disk().name()}).succeeded());
        page = std::make_unique<ui::DiskViewController>();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        page->move(screen.center() - QPoint(page->width() / 2, page->height() / 2));
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page.get()));
        page->getallVolumes();
        QTRY_VERIFY_WITH_TIMEOUT(diskRow() > 0, kScanMilliseconds);
    }

    void theLoopDiskIsShownInTheExternalGroup() {
        const int header = page->volumeList()->inDiskCout() + 1;
        QVERIFY(page->model()->isHeaderRow(header));
        QCOMPARE(page->model()->headerTitle(header), QString("外部磁盘"));
        QCOMPARE(diskRow(), header + 1);
        QCOMPARE(shownName(), QString(kLabel));
        selectDisk();
        for (const char* button : {"rename", "format", "eject", "open", "mount", "firstaid"})
            QVERIFY2(usable(page->rowButton(button)), button);
        shoot("disk-page-external");
    }

    void renamesThroughTheRenameDialog() {
        selectDisk();
        whenModal([&] {
            auto* dialog = page->renameVC();
            QVERIFY(dialog);
            QCOMPARE(dialog->inputName()->text(), QString(kLabel));
            dialog->inputName()->setText("RENAMED");
            shoot("disk-page-rename-dialog");
            QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
        });
        QTest::mouseClick(page->rowButton("rename"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(shownName(), QString("RENAMED"), kActionMilliseconds);
        QCOMPARE(QString::fromStdString(live->disk().probed("LABEL")), QString("RENAMED"));
        // The list shows the name the device now carries, read again after the rename.
        selectDisk();
        QCOMPARE(shownName(), QString("RENAMED"));
        shoot("disk-page-renamed");
    }

    // The type that this kernel mounts, so the formatted volume is mounted again.
    void formatsThroughTheFormatDialogAndItsEndDialog() {
        const bool fat = live->fsType() == "vfat";
        const int typeIndex = fat ? 1 : 2;
        const QString typeText = fat ? "MS-DOS FAT32" : "Mac OS扩展";
        selectDisk();
        QString endTitle;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            auto* end = page->formatEndVC();
            if (!end || !end->window()->isVisible()) return;
            poll.stop();
            endTitle = end->titleLabel()->text();
            shoot("disk-page-format-end");
            QTest::mouseClick(end->closeButton(), Qt::LeftButton);
        });
        whenModal([&] {
            auto* dialog = page->makeSureFormatVC();
            QVERIFY(dialog);
            QCOMPARE(dialog->nameLabel()->text(), QString("格式化'RENAMED'?"));
            dialog->openMenuAction();
            QVERIFY(dialog->sortAttachedWindow());
            shoot("disk-page-format-types");
            dialog->selectFormatbyType(typeIndex);
            QCOMPARE(dialog->typeLabel()->text(), typeText);
            dialog->nameTextFiled()->setText("FORMATTED");
            shoot("disk-page-format-dialog");
            poll.start(50);
            QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
            shoot("disk-page-formatting");
        });
        QTest::mouseClick(page->rowButton("format"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(endTitle, QString("格式化完成"), kActionMilliseconds);
        QTRY_COMPARE_WITH_TIMEOUT(shownName(), QString("FORMATTED"), kScanMilliseconds);
        QCOMPARE(QString::fromStdString(live->disk().probed("LABEL")), QString("FORMATTED"));
        QCOMPARE(QString::fromStdString(live->disk().probed("TYPE")), QString::fromStdString(live->fsType()));
        QVERIFY(!live->disk().mountPoint().empty());
        QCOMPARE(shownType(), QString(fat ? "MS-DOS (FAT32)" : "ext4"));
        selectDisk();
        shoot("disk-page-formatted");
    }

    void cleanupTestCase() {
        page.reset();
        environment.reset();
        path.reset();
        live.reset();
    }
};

int main(int argc, char* argv[]) {
    ui::MyNSApplication application(argc, argv);
    DiskPageScreenshots test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_disk_page_screenshots.moc"
