#include "core/shredder/WipeMethods.h"
#include "platform/files/ResolvedParentPath.h"
#include "support/ManualExecutors.h"
#include "support/MemoryUserDefaults.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"
#include "ui/kit/controls/TCImageButton.h"
#include "ui/kit/desktop/Dispatch.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/tables/HeaderCheckBox.h"
#include "ui/shredder/FileShareController.h"
#include "ui/shredder/FormatLTypeViewController.h"
#include "ui/shredder/NTFSWindowController.h"
#include "ui/shredder/ShredListModel.h"
#include "ui/shredder/ShredProgressWindowController.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QtTest>

#include <functional>
#include <future>

using ui::FileShareController;
using ui::ShredProgressWindowController;

namespace {

using testsupport::exists;

// The real eraser, with a hook before each file and files it fails as a broken disk would.
class HookedEraser : public core::SecureEraser {
public:
    bool securelyEraseFileAt(int folderFd, const std::string& name, const std::string& path, int32_t passCount,
                             const platform::FileIdentity& expected) override {
        if (beforeErasing) beforeErasing(path);
        return path != failing && SecureEraser::securelyEraseFileAt(folderFd, name, path, passCount, expected);
    }

    std::function<void(const std::string&)> beforeErasing;
    std::string failing;
};

struct WindowSeen {
    bool pageClickable = true;
    QString fileCount;
    QString wipeType;
    QString method;
    bool succeeded = false;
    bool failed = false;
    QString failText;
    QStringList failedItems;
    bool failedItemsShown = false;
};

// Opens the shred window from "擦除", clicks "继续", waits for the end and closes it with "好的".
WindowSeen eraseTicked(FileShareController& page) {
    WindowSeen seen;
    QTimer::singleShot(0, [&] {
        ShredProgressWindowController* window = page.shredProgessWC();
        seen.pageClickable = page.isCanClick();
        (void)QTest::qWaitFor([&] { return !window->fileCountLabel()->text().isEmpty(); }, 10000);
        seen.fileCount = window->fileCountLabel()->text();
        seen.wipeType = window->wipeType()->text();
        seen.method = window->formatTypeText()->text();
        QTest::mouseClick(window->yesButton(), Qt::LeftButton);
        (void)QTest::qWaitFor([&] { return !window->successBlowView()->isHidden() || !window->failBlowView()->isHidden(); },
                        20000);
        seen.succeeded = !window->successBlowView()->isHidden();
        seen.failed = !window->failBlowView()->isHidden();
        seen.failText = window->failedNodeLable()->text();
        for (int row = 0; row < window->failedItemsList()->count(); ++row)
            seen.failedItems << window->failedItemsList()->item(row)->toolTip();
        seen.failedItemsShown = !window->failedItemsList()->isHidden();
        QTest::mouseClick(seen.succeeded ? window->successOkButton() : window->failOkButton(), Qt::LeftButton);
    });
    QTest::mouseClick(page.wipeFileButton(), Qt::LeftButton);
    return seen;
}

QStringList paths(std::initializer_list<std::string> list) {
    QStringList result;
    for (const std::string& path : list) result << QString::fromStdString(path);
    return result;
}

std::vector<std::string> outcomes(const FileShareController& page) {
    std::vector<std::string> texts;
    for (const auto& item : page.deleteErrorArr()) texts.push_back(item->failStr);
    return texts;
}

}  // namespace

class ShredderPageTest : public QObject {
    Q_OBJECT

    std::shared_ptr<testsupport::MemoryUserDefaults> defaults;

private slots:
    void init() {
        defaults = std::make_shared<testsupport::MemoryUserDefaults>();
        platform::UserDefaults::setShared(defaults);
    }
    void cleanup() { platform::UserDefaults::setShared(nullptr); }

    // Three files and a folder dropped and erased with method 0: gone from the disk, the file
    // beside them intact, the list empty and the drop area back.
    void dropAndEraseLeavesOnlyWhatWasNotChosen() {
        testsupport::ScopedEnvironment environment;
        testsupport::TempFolder temp;
        const std::string a = temp.writeFile("a.txt", std::string(100000, 'a'));
        const std::string b = temp.writeFile("b.bin", "bravo");
        const std::string c = temp.writeFile("c.doc", "charlie");
        temp.writeFile("photos/one.jpg", "one");
        temp.writeFile("photos/sub/two.jpg", "two");
        const std::string kept = temp.writeFile("keep.txt", "keep");
        FileShareController page;
        page.show();
        QVERIFY(!page.dragView()->isHidden());
        QVERIFY(page.listView()->isHidden());

        page.viewDragAction(paths({a, b, c, temp / "photos/"}));

        QCOMPARE(page.listModel()->rowCount(), 4);
        QVERIFY(page.dragView()->isHidden());
        QCOMPARE(page.listModel()->index(3, ui::ShredListModel::Size).data().toString(), QStringLiteral("--"));
        QCOMPARE(page.listModel()->index(3, ui::ShredListModel::Type).data().toString(), QStringLiteral("Folder"));
        QCOMPARE(page.selectAllButton()->normalImageName(), QStringLiteral("checkbox-checked"));
        page.setAllSelectOrNoSelect();
        QCOMPARE(page.selectAllButton()->normalImageName(), QStringLiteral("checkbox-unsel"));
        QVERIFY(!page.wipeFileButton()->isDisabled());  // the flag is YES when usable
        page.selectListButton(1);
        QCOMPARE(page.selectAllButton()->normalImageName(), QStringLiteral("checkbox-halfchecked"));
        page.setAllSelectOrNoSelect();
        QCOMPARE(page.aSelectAllState(), 2);

        const WindowSeen seen = eraseTicked(page);

        QVERIFY(!seen.pageClickable);
        QVERIFY(page.isCanClick());
        QCOMPARE(seen.fileCount, QStringLiteral("将擦除5个文件"));
        QCOMPARE(seen.wipeType, QStringLiteral("1"));
        QCOMPARE(seen.method, QStringLiteral("HMG Infosec Standard 5 (1次)"));
        QVERIFY(seen.succeeded);
        for (const std::string& path : {a, b, c, temp / "photos"}) QVERIFY2(!exists(path), path.c_str());
        QCOMPARE(testsupport::readWholeFile(kept), std::string("keep"));
        QCOMPARE(outcomes(page), (std::vector<std::string>{"Erased", "Erased", "Erased", "Erased"}));
        QCOMPARE(page.listModel()->rowCount(), 0);
        QVERIFY(!page.dragView()->isHidden());
        QVERIFY(page.listView()->isHidden());
    }

    // The pop-up closes 2 s after it opened unless the pointer entered it; a chosen method is
    // stored and shown, and a new window shows it again.
    void theChosenMethodIsStoredAndShownAgain() {
        testsupport::ManualExecutors manual;
        {
            ShredProgressWindowController window(manual.executors());
            window.openMenuAction();
            QVERIFY(window.isPopSortWin());
            QCOMPARE(window.formatTypeVC()->rows().size(), size_t(7));
            QCOMPARE(window.formatTypeVC()->rows()[2]->objectName(), QStringLiteral("3"));
            manual.advance(std::chrono::milliseconds(2000));
            QVERIFY(!window.isPopSortWin());

            window.openMenuAction();
            window.mouseEixtView(false);
            manual.advance(std::chrono::milliseconds(2000));
            QVERIFY(window.isPopSortWin());
            QTest::mouseClick(window.formatTypeVC()->rows().back(), Qt::LeftButton);
            QVERIFY(!window.isPopSortWin());
            QCOMPARE(defaults->integerForKey("WipeTimes"), int64_t(35));
            QCOMPARE(defaults->integerForKey("WipeTimesTag"), int64_t(7));
            // 35 passes are asked for; at most five are written.
            QCOMPARE(window.wipeType()->text(), QStringLiteral("5"));

            window.openMenuAction();
            window.mouseEixtView(true);
            QVERIFY(!window.isPopSortWin());
        }
        ShredProgressWindowController reopened(manual.executors());
        QCOMPARE(reopened.formatTypeText()->text(), QStringLiteral("Peter Gutmann's algorithm 35 (35次)"));
        QCOMPARE(reopened.wipeType()->text(), QStringLiteral("5"));
    }

    // "停止" during the first of three items: it is finished, the other two stay on disk.
    void aStopDuringTheFirstItemLeavesTheOthers() {
        testsupport::ScopedEnvironment environment;
        testsupport::TempFolder temp;
        const std::string first = temp.writeFile("1.txt", "one");
        const std::string second = temp.writeFile("2.txt", "two");
        const std::string third = temp.writeFile("3.txt", "three");
        auto eraser = std::make_shared<HookedEraser>();
        FileShareController page(ui::Dispatch::executors(), eraser);
        eraser->beforeErasing = [&](const std::string& path) {
            if (path != platform::resolvedParentPath(first)) return;
            std::promise<void> stopped;
            ui::Dispatch::mainQueue([&] {
                page.shredProgessWC()->stopButtonAction();
                stopped.set_value();
            });
            stopped.get_future().wait();
        };
        page.viewDragAction(paths({first, second, third}));

        const WindowSeen seen = eraseTicked(page);

        QVERIFY(seen.failed);
        QCOMPARE(seen.failText, QStringLiteral("用户取消了操作。"));
        QCOMPARE(seen.failedItems, paths({platform::resolvedParentPath(second).value(), platform::resolvedParentPath(third).value()}));
        QVERIFY(!exists(first));
        QCOMPARE(testsupport::readWholeFile(second), std::string("two"));
        QCOMPARE(testsupport::readWholeFile(third), std::string("three"));
        QCOMPARE(outcomes(page), (std::vector<std::string>{"Erased", "Failed", "Failed"}));
    }

    // A file the eraser fails gives the failure state with the count and the path of what was
    // not erased.
    void oneFailedItemGivesTheFailureWithItsCount() {
        testsupport::ScopedEnvironment environment;
        testsupport::TempFolder temp;
        const std::string good = temp.writeFile("good.txt", "good");
        const std::string bad = temp.writeFile("bad.txt", "bad");
        auto eraser = std::make_shared<HookedEraser>();
        eraser->failing = platform::resolvedParentPath(bad).value();
        FileShareController page(ui::Dispatch::executors(), eraser);
        page.viewDragAction(paths({good, bad}));

        const WindowSeen seen = eraseTicked(page);

        QVERIFY(seen.failed);
        QCOMPARE(seen.failText, QStringLiteral("1 项擦除失败："));
        QVERIFY(seen.failedItemsShown);
        QCOMPARE(seen.failedItems, paths({platform::resolvedParentPath(bad).value()}));
        QVERIFY(!exists(good));
        QVERIFY(exists(bad));
        QCOMPARE(outcomes(page), (std::vector<std::string>{"Erased", "Failed"}));
    }

    // "/" among dropped paths is skipped with a notice; the rest are listed.
    void theRootIsSkippedWithANotice() {
        testsupport::ScopedEnvironment environment;
        testsupport::TempFolder temp;
        const std::string file = temp.writeFile("file.txt", "x");
        FileShareController page;
        QString notice;
        QTimer::singleShot(0, [&] {
            if (ui::NTFSWindowController* shown = page.shownNotice()) {
                notice = shown->messageLabel()->text();
                QTest::mouseClick(shown->yesButton(), Qt::LeftButton);
            }
        });

        page.viewDragAction(paths({"/", file, file}));

        QCOMPARE(notice, QStringLiteral("不能擦除系统目录或个人目录：/"));
        QCOMPARE(page.listModel()->rowCount(), 1);
        QVERIFY(!page.shownNotice());
    }
};

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    ShredderPageTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_shredder_page.moc"
