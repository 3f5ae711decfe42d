#include "support/DiskUtilFixture.h"
#include "support/PointerEvents.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"
#include "ui/disks/DCustomTableView.h"
#include "ui/disks/DiskViewController.h"
#include "ui/disks/DiskVolumeModel.h"
#include "ui/disks/FormatEndViewController.h"
#include "ui/disks/FristAidViewController.h"
#include "ui/disks/MakeSureFormatViewController.h"
#include "ui/disks/RenameViewController.h"
#include "ui/disks/ShowAidViewControllrt.h"
#include "ui/kit/controls/DTextImageButton.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/windows/TCImageWindow.h"
#include "ui/shell/AppDelegate.h"
#include "ui/shell/MyNSApplication.h"
#include "ui/shell/ViewMan.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTableWidget>
#include <QtTest>

#include <cstdlib>

#include <memory>
#include <thread>

namespace {

constexpr const char* kStickUuid = "B1B2B3B4-0000-4000-8000-000000000002";
constexpr int kStickRow = 6;  // "A", four internal volumes, "A", then STICK

// Runs the action once the modal loop that is about to start has started.
void whenModal(std::function<void()> action) { QTimer::singleShot(0, std::move(action)); }

// The recorded Mac volumes answered by a fake runner; STICK (disk2s1) is an unmounted
// ejectable FAT32 volume until mounted() is called.
class RecordedDiskUtil {
public:
    RecordedDiskUtil() { testsupport::answerDiskUtilFrom(*runner, testsupport::diskUtilData("mac")); }
    void mounted() {
        stickInfo.replace(QRegularExpression("<key>MountPoint</key>\\s*<string></string>"),
                          "<key>MountPoint</key><string>/Volumes/STICK</string>");
        stickInfo.replace(QRegularExpression("<key>FreeSpace</key>\\s*<integer>0</integer>"),
                          "<key>FreeSpace</key><integer>8000000000</integer>");
        runner->answer({"info", "-plist", "/dev/disk2s1"}, stickInfo.toStdString());
    }
    // STICK as a file system that carries no UUID.
    void withoutUuid() {
        stickInfo.replace(QRegularExpression("<key>DiskUUID</key>\\s*<string>[^<]*</string>"), QString());
        runner->answer({"info", "-plist", "/dev/disk2s1"}, stickInfo.toStdString());
    }

    std::shared_ptr<testsupport::FakeProcessRunner> runner = std::make_shared<testsupport::FakeProcessRunner>();
    testsupport::ScopedProcessRunner installed{runner};
    QString stickInfo =
        QString::fromStdString(testsupport::readWholeFile(testsupport::diskUtilData("mac/info-disk2s1.plist")));
};

QString titleOf(ui::DTextImageButton* button) { return button->label()->text(); }
bool usable(ui::DTextImageButton* button) { return button->isDisabled(); }

}  // namespace

// The disk page scans through the disk utility stand-in, which reads this machine's recorded
// lsblk output and mount table instead of the real ones; the page's rules and dialogs are
// driven over recorded Mac volumes answered by a fake runner.
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

    void rowButtonsFollowTheSelectedVolume() {
        RecordedDiskUtil diskutil;
        ui::DiskViewController page(core::Executors::inlineExecutors());
        page.show();
        page.getallVolumes();
        QCOMPARE(page.model()->rowCount(), 9);
        QVERIFY(page.model()->isHeaderRow(0));
        QVERIFY(page.model()->isHeaderRow(5));
        for (int header : {0, 5}) {
            page.selectRow(header);
            QCOMPARE(page.volumeList()->selectIndex(), 1);
        }
        QCOMPARE(page.parTableView()->rowHeight(1), 88);
        QCOMPARE(page.parTableView()->rowHeight(2), 44);
        // The start-up volume cannot be formatted.
        QVERIFY(page.rowButtonBar()->isVisible());
        QVERIFY(!usable(page.rowButton("format")));
        QVERIFY(usable(page.rowButton("rename")));
        QVERIFY(!usable(page.rowButton("eject")));

        page.selectRow(kStickRow);
        QCOMPARE(page.parTableView()->rowHeight(kStickRow), 88);
        QCOMPARE(page.parTableView()->rowHeight(1), 44);
        QCOMPARE(titleOf(page.rowButton("mount")), QString("装载"));
        QVERIFY(usable(page.rowButton("mount")));
        QVERIFY(!usable(page.rowButton("open")));
        QVERIFY(!usable(page.rowButton("firstaid")));

        diskutil.runner->answer({"mount", "disk2s1"}, "Volume STICK on /dev/disk2s1 mounted at /Volumes/STICK\n");
        diskutil.mounted();
        QTest::mouseClick(page.rowButton("mount"), Qt::LeftButton);
        QCOMPARE(diskutil.runner->countOf({"mount", "disk2s1"}), 1);
        page.selectRow(kStickRow);
        QCOMPARE(titleOf(page.rowButton("mount")), QString("卸载"));
        QVERIFY(usable(page.rowButton("open")));
        QVERIFY(usable(page.rowButton("format")));
    }

    // A rename the utility refuses, and one of a volume without a UUID (which the utility names
    // volumes by): the notice gives the reason and the name stays.
    void aFailedRenameShowsTheReasonAndKeepsTheName() {
        for (const bool hasUuid : {true, false}) {
            RecordedDiskUtil diskutil;
            diskutil.mounted();
            if (!hasUuid) diskutil.withoutUuid();
            diskutil.runner->fail({"rename", kStickUuid, "PHOTOS"}, 1, "",
                                  "Error: cannot rename /dev/disk2s1: Not authorized\n");
            ui::DiskViewController page(core::Executors::inlineExecutors());
            page.show();
            page.getallVolumes();
            page.selectRow(kStickRow);
            QString shownMessage;
            whenModal([&] {
                QVERIFY(page.renameVC());
                QCOMPARE(page.renameVC()->inputName()->text(), QString("STICK"));
                page.renameVC()->inputName()->setText("photos");
                whenModal([&] {
                    QVERIFY(page.formatEndVC());
                    shownMessage = page.formatEndVC()->messageLabel()->text();
                    QTest::mouseClick(page.formatEndVC()->closeButton(), Qt::LeftButton);
                });
                QTest::mouseClick(page.renameVC()->okButton(), Qt::LeftButton);
            });
            QTest::mouseClick(page.rowButton("rename"), Qt::LeftButton);
            QCOMPARE(shownMessage, hasUuid ? QString("cannot rename /dev/disk2s1: Not authorized")
                                           : QString("无法重命名“STICK”：这个宗卷没有 UUID。"));
            QCOMPARE(diskutil.runner->countOf({"rename", kStickUuid, "PHOTOS"}), hasUuid ? 1 : 0);
            QCOMPARE(QString::fromStdString(page.model()->volumeAt(kStickRow)->volumeName), QString("STICK"));
        }
    }

    void formattingAFat32VolumeWithoutANameSendsNew() {
        RecordedDiskUtil diskutil;
        diskutil.mounted();
        diskutil.runner->answer({"eraseVolume", "MS-DOS FAT32", "NEW", "disk2s1"}, "");
        ui::DiskViewController page(core::Executors::inlineExecutors());
        page.show();
        page.getallVolumes();
        page.selectRow(kStickRow);
        whenModal([&] {
            auto* dialog = page.makeSureFormatVC();
            QVERIFY(dialog);
            QCOMPARE(dialog->nameLabel()->text(), QString("格式化'STICK'?"));
            QCOMPARE(dialog->typeLabel()->text(), QString("MS-DOS FAT32"));
            QVERIFY(dialog->deviceLabel()->text().startsWith("设备：/dev/disk2s1，容量："));
            dialog->nameTextFiled()->setText("");
            QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
        });
        QString noticeTitle;
        QTimer::singleShot(1500, [&] {
            if (!page.formatEndVC()) return;
            noticeTitle = page.formatEndVC()->titleLabel()->text();
            QTest::mouseClick(page.formatEndVC()->closeButton(), Qt::LeftButton);
        });
        QTest::mouseClick(page.rowButton("format"), Qt::LeftButton);
        QCOMPARE(diskutil.runner->countOf({"eraseVolume", "MS-DOS FAT32", "NEW", "disk2s1"}), 1);
        QVERIFY(!page.makeSureFormatVC()->window()->isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(noticeTitle, QString("格式化完成"), 5000);
    }

    void theTypePopUpClosesUnlessThePointerIsOverIt() {
        ui::MakeSureFormatViewController dialog;
        dialog.setName("STICK", "MS-DOS FAT32", "/dev/sdb1", "14.90 GB");
        dialog.window()->show();
        dialog.openMenuAction();
        QVERIFY(dialog.sortAttachedWindow());
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.sortAttachedWindow(), 4000);

        dialog.openMenuAction();
        testsupport::sendEnter(dialog.formatTypeVC());
        QTest::qWait(ui::MakeSureFormatViewController::kPopUpMilliseconds + 500);
        QVERIFY(dialog.sortAttachedWindow());
        dialog.selectFormatbyType(0);
        QCOMPARE(dialog.typeLabel()->text(), QString("ExFAT"));
        QVERIFY(!dialog.sortAttachedWindow());

        ui::MakeSureFormatViewController apfs;
        apfs.setName("Data", "APFS", "/dev/disk1s1", "465.63 GB");
        QVERIFY(!apfs.typeSelectBut()->isEnabled());
        QVERIFY(apfs.openImageV()->isHidden());
        apfs.openMenuAction();
        QVERIFY(!apfs.sortAttachedWindow());
    }

    void theOutputDialogShowsEachChunkAndTheProgress() {
        ui::ShowAidViewControllrt dialog("STICK");
        dialog.changeShowOutPut("x\n");
        dialog.changeShowOutPut("x\n\n");
        QCOMPARE(dialog.allShowStrArr(), QStringList({"x", "x\n"}));
        QCOMPARE(dialog.showTableView()->rowCount(), 2);
        for (int chunk = 1; chunk <= 25; ++chunk) {
            dialog.setProgressValue(static_cast<float>(chunk));
            QVERIFY(dialog.shownProgress() <= 99);
            QVERIFY(!dialog.completeBut()->isDisabled());
        }
        QCOMPARE(dialog.shownProgress(), 99.0);
        dialog.setProgressValue(101);
        QCOMPARE(dialog.shownProgress(), 100.0);
        QVERIFY(dialog.completeBut()->isDisabled());

        const QList<QPair<qreal, int>> heights = {{12, 20}, {20, 20}, {30, 30}, {30.5, 36}, {35, 36}, {36, 36}, {48, 48}};
        for (const auto& [text, row] : heights) QCOMPARE(ui::ShowAidViewControllrt::rowHeightForTextHeight(text), row);
        QCOMPARE(ui::ShowAidViewControllrt::heightOfRow("x"), 20);
        QVERIFY(ui::ShowAidViewControllrt::heightOfRow(QString(400, 'w')) > 36);
    }

    // First aid runs the utility as a child process and shows its output as it comes.
    // First aid shows each line the utility prints as a row of its own; a utility that could
    // not be started says so.
    void firstAidShowsTheUtilitysStepsUntilItEnds_data() {
        QTest::addColumn<bool>("started");
        QTest::addColumn<QString>("rows");
        QTest::newRow("answered") << true
                                  << "Checking the file system on /dev/disk2s1 …\nThe volume STICK appears to be OK.";
        QTest::newRow("not started") << false << "Error: diskutil could not be started";
    }
    void firstAidShowsTheUtilitysStepsUntilItEnds() {
        QFETCH(bool, started);
        QFETCH(QString, rows);
        RecordedDiskUtil diskutil;
        diskutil.mounted();
        const std::vector<std::string> verify = {"verifyvolume", "disk2s1"};
        if (started)
            diskutil.runner->answer(verify, "Checking the file system on /dev/disk2s1 …\nThe volume STICK appears to be OK.\n");
        else
            diskutil.runner->answerWith(verify, platform::ProcessResult{});
        ui::DiskViewController page(core::Executors::inlineExecutors());
        page.show();
        page.getallVolumes();
        page.selectRow(kStickRow);
        const int listRuns = diskutil.runner->countOf({"list", "-plist"});
        QStringList shown;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            auto* output = page.showAidVC();
            if (!output || !output->completeBut()->isDisabled()) return;
            poll.stop();
            shown = output->allShowStrArr();
            QCOMPARE(output->shownProgress(), 100.0);
            QTest::mouseClick(output->completeBut(), Qt::LeftButton);
        });
        poll.start(50);
        whenModal([&] { QTest::mouseClick(page.fristAidVC()->checkBut(), Qt::LeftButton); });
        QTest::mouseClick(page.rowButton("firstaid"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!shown.isEmpty(), 10000);
        QCOMPARE(shown.join("\n"), rows);
        QCOMPARE(diskutil.runner->countOf(verify), 1);
        QCOMPARE(diskutil.runner->countOf({"list", "-plist"}), listRuns + 1);
    }

    // These scan with the real executors last: the enumeration refuses a second start within a
    // second, which the inline scans above must never meet.
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
        QTRY_VERIFY(shell->isLaunchComplete());
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
