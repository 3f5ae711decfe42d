#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"
#include "ui/disks/DiskViewController.h"
#include "ui/shell/AppDelegate.h"
#include "ui/shell/MyNSApplication.h"
#include "ui/shell/ViewMan.h"

#include <QtTest>

#include <cstdlib>
#include <memory>
#include <thread>

// The disk page scans through the disk utility stand-in, which reads this machine's recorded
// lsblk output and mount table instead of the real ones.
class DiskPageTest : public QObject {
    Q_OBJECT
private:
    testsupport::ScopedEnvironment environment;
    testsupport::TempFolder machine;

    static const core::disks::VolumeObj* rootVolumeOf(const ui::DiskViewController& page) {
        auto root = page.volumeList()->startupVolume();
        return root.get();
    }

private slots:
    void initTestCase() {
        std::string data = std::string(DURIDOVE_TEST_DATA) + "/lsblk/";
        machine.writeFile("proc/self/mountinfo", testsupport::readWholeFile(data + "whole-disk-ext4.mountinfo"));
        setenv("DURIDOVE_LSBLK_JSON", (data + "whole-disk-ext4.json").c_str(), 1);
        setenv("DURIDOVE_PROC_ROOT", (machine / "proc").c_str(), 1);
    }

    void switchingIsRefusedUntilTheFirstScanStarts() {
        ui::DiskViewController page;
        QCOMPARE(page.getViewID(), 8);
        QVERIFY(!page.isCanClick());
        std::thread([&page] { page.getallVolumes(); }).join();
        QVERIFY(page.isCanClick());
        QTRY_VERIFY_WITH_TIMEOUT(rootVolumeOf(page), 30000);
        QCOMPARE(page.allVolumeArr().size(), size_t(1));
        QCOMPARE(QString::fromStdString(rootVolumeOf(page)->volumeName), QString("Untitled"));
        QVERIFY(rootVolumeOf(page)->volumeFreeSizeNum > 0);
        QTRY_VERIFY_WITH_TIMEOUT(!page.volumeList()->isScanV(), 30000);
    }

    void theApplicationStartsTheFirstScan() {
        auto shell = std::make_unique<ui::AppDelegate>();
        shell->launch();
        auto* page = shell->window()->findChild<ui::DiskViewController*>();
        QVERIFY(page);
        QTRY_VERIFY_WITH_TIMEOUT(page->isCanClick(), 30000);
        QVERIFY(ui::ViewMan::returnViewMan()->checkCanClick(8));
        QTRY_VERIFY_WITH_TIMEOUT(rootVolumeOf(*page), 30000);
        QCOMPARE(QString::fromStdString(rootVolumeOf(*page)->volumeMountPoint), QString("/"));
    }
};

int main(int argc, char* argv[]) {
    ui::MyNSApplication application(argc, argv);
    DiskPageTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_disk_page.moc"
