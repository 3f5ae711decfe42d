#include "core/kit/CommUti.h"
#include "core/largefiles/Controller.h"
#include "core/largefiles/Progress.h"
#include "support/RecordingWorkspace.h"
#include "support/ScopedEnvironment.h"
#include "support/ScrollBarLook.h"
#include "support/SizeTreeFixture.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/desktop/Dispatch.h"
#include "ui/kit/windows/TCImageWindow.h"
#include "ui/largefiles/FileNodeModel.h"
#include "ui/largefiles/LagFileOutlineView.h"
#include "ui/largefiles/LagFileViewController.h"
#include "ui/largefiles/ListFileViewController.h"
#include "ui/largefiles/ProgressWindowController.h"
#include "ui/shell/MarkSureDeleteWC.h"

#include <QAbstractItemModelTester>
#include <QLabel>
#include <QScrollBar>
#include <QtTest>

#include <filesystem>

using core::largefiles::Controller;
using core::largefiles::Progress;
using testsupport::isOnDisk;
using testsupport::writeSizedFile;
using ui::FileNodeModel;
using ui::LagFileOutlineView;
using ui::ListFileViewController;

namespace {

QStringList namesBelow(const FileNodeModel& model, const QModelIndex& parent = {}) {
    QStringList names;
    for (int row = 0; row < model.rowCount(parent); ++row)
        names << QString::fromStdString(FileNodeModel::nodeAt(model.index(row, 0, parent))->name());
    return names;
}

QModelIndex rowNamed(const FileNodeModel& model, const QString& name, const QModelIndex& parent = {}) {
    return model.index(namesBelow(model, parent).indexOf(name), 0, parent);
}

// A click on a row's tick box, past the check cells' quiet time after the last one.
void clickTickBox(ListFileViewController& list, const QModelIndex& row) {
    QTest::qWait(250);
    const QRect cell = list.outlineView()->visualRect(row.siblingAtColumn(FileNodeModel::CheckBox));
    QTest::mouseClick(list.outlineView()->viewport(), Qt::LeftButton, {}, QPoint(31, cell.top() + 25));
}

// Answers the delete confirmation with a key once it shows: Return confirms, Escape cancels.
void answerConfirmationSoon(ListFileViewController& list, Qt::Key key = Qt::Key_Return) {
    QTimer::singleShot(0, &list, [&list, key] {
        QVERIFY(list.confirmation());
        QTest::keyClick(list.confirmation()->window(), key);
    });
}

}  // namespace

class LargeFilesPageTest : public QObject {
    Q_OBJECT

private:
    testsupport::ScopedEnvironment* environment = nullptr;
    ui::LagFileViewController* page = nullptr;
    ListFileViewController* list = nullptr;
    std::string folder;

    FileNodeModel& model() const { return *list->outlineView()->model(); }
    // The deletion starts half a second after the confirmation and ends with its window.
    void waitForTheDeletion() {
        QTRY_VERIFY_WITH_TIMEOUT(list->progressWindow(), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!Controller::getController().isRemoving(), 10000);
    }
    void scanAndWait(const std::string& path) {
        list->startWithFolder(QString::fromStdString(path));
        QTRY_VERIFY_WITH_TIMEOUT(list->progressBgView()->isHidden() && !list->isScan(), 10000);
    }

private slots:
    void initTestCase() { Controller::setSharedExecutors(ui::Dispatch::executors()); }

    void init() {
        environment = new testsupport::ScopedEnvironment;
        folder = environment->folder().makeFolder("scan");
        page = new ui::LagFileViewController;
        list = page->listFileVC();
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page));
    }

    void cleanup() {
        QTRY_VERIFY_WITH_TIMEOUT(!Controller::getController().isRemoving(), 10000);
        Controller::getController().stopScan();
        Progress::shareInit().resume();
        QTRY_VERIFY_WITH_TIMEOUT(Controller::getController().isScanFinished(), 10000);
        delete page;
        delete environment;
    }

    void theOutlineShowsTheTreeAndKeepsItsViewAcrossRefreshes() {
        writeSizedFile(folder + "/a/big", 3000);
        writeSizedFile(folder + "/a/small", 10);
        writeSizedFile(folder + "/b", 2000);
        writeSizedFile(folder + "/c/d/e", 5);
        writeSizedFile(folder + "/tool.app/Contents/bin", 1000);
        list->startWithFolder(QString::fromStdString(environment->folder().makeFolder("empty")));
        QVERIFY(list->aLoadView()->isVisible());  // an empty folder is not scanned
        scanAndWait(folder);
        QVERIFY(list->listView()->isVisible());
        QVERIFY(!list->aLoadView()->isVisible());

        QCOMPARE(namesBelow(model()), QStringList({"a", "b", "tool.app", "c"}));
        const QModelIndex a = rowNamed(model(), "a");
        QCOMPARE(a.siblingAtColumn(FileNodeModel::Size).data().toString(),
                 QString::fromStdString(core::CommUti::convertVolSpace(3010)));
        QCOMPARE(a.siblingAtColumn(FileNodeModel::Path).data().toString(), QString::fromStdString(folder + "/a"));
        QVERIFY(!model().hasChildren(rowNamed(model(), "tool.app")));
        QVERIFY(model().hasChildren(rowNamed(model(), "c")));

        list->outlineView()->expand(a);
        QVERIFY(FileNodeModel::nodeAt(a)->isExpand());
        QCOMPARE(namesBelow(model(), a), QStringList({"big", "small"}));
        list->outlineView()->setCurrentIndex(rowNamed(model(), "small", a));
        QCOMPARE(list->outlineView()->rowNum(), 2);

        list->reloadTreeList();
        const QModelIndex again = rowNamed(model(), "a");
        QVERIFY(list->outlineView()->isExpanded(again));
        QVERIFY(!list->outlineView()->isExpanded(rowNamed(model(), "c")));
        QCOMPARE(list->outlineView()->rowNum(), 2);
        QCOMPARE(list->outlineView()->selectedPath(), folder + "/a/small");

        auto workspace = std::make_shared<testsupport::RecordingWorkspace>();
        platform::Workspace::setShared(workspace);
        const QModelIndex reveal = rowNamed(model(), "b").siblingAtColumn(FileNodeModel::OpenFinder);
        QTest::mouseClick(list->outlineView()->viewport(), Qt::LeftButton, {},
                          list->outlineView()->visualRect(reveal).center());
        platform::Workspace::setShared(nullptr);
        QCOMPARE(workspace->calls(), std::vector<std::string>{"revealFile " + folder + "/b"});
    }

    // A list longer than the page: the knob of its scroll bar is drawn (dark, on a light track)
    // where the list is, at the top at its start and at the bottom at its end.
    void theScrollBarsKnobShowsWhereTheListIs() {
        for (int file = 0; file < 20; ++file) writeSizedFile(folder + "/f" + std::to_string(file), 100 + file);
        scanAndWait(folder);
        QCOMPARE(model().rowCount(), 20);
        QScrollBar& bar = *list->outlineView()->verticalScrollBar();
        QTRY_VERIFY(bar.isVisible());
        QCOMPARE(bar.value(), bar.minimum());
        QVERIFY(testsupport::knobShowsAtTop(bar));
        list->outlineView()->scrollToBottom();
        QCOMPARE(bar.value(), bar.maximum());
        QVERIFY(testsupport::knobShowsAtBottom(bar));
    }

    // Every refresh reads the levels again while the walkers add to the tree.
    void theModelStaysConsistentWhileTheScanGrows() {
        for (int top = 0; top < 40; ++top)
            for (int middle = 0; middle < 20; ++middle)
                for (int file = 0; file < 3; ++file)
                    writeSizedFile(folder + "/t" + std::to_string(top) + "/m" + std::to_string(middle) + "/f" +
                                       std::to_string(file),
                                   static_cast<size_t>(top * 7 + middle * 3 + file));
        QAbstractItemModelTester tester(&model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        Progress::shareInit().isContinue();
        list->startWithFolder(QString::fromStdString(folder));
        QVERIFY(!list->isScan());  // the shared switch was on: the scan waits at once
        QTRY_COMPARE((list->reloadTreeList(), model().rowCount()), 40);
        list->pauseButtonAction();
        QVERIFY(list->isScan());
        int refreshes = 0;
        while (!list->progressBgView()->isHidden() && refreshes < 10000) {
            list->reloadTreeList();
            for (int row = 0; row < model().rowCount(); row += 7) list->outlineView()->expand(model().index(row, 0));
            QCoreApplication::processEvents();
            ++refreshes;
        }
        QVERIFY(list->progressBgView()->isHidden());
        list->reloadTreeList();
        QCOMPARE(model().rowCount(), 40);
        QCOMPARE(namesBelow(model(), model().index(0, 0)).size(), 20);
    }

    void twoTickedItemsAreDeletedThroughThePage() {
        writeSizedFile(folder + "/f1", 300);
        writeSizedFile(folder + "/f2", 200);
        writeSizedFile(folder + "/f3", 100);
        writeSizedFile(folder + "/d/g", 50);
        scanAndWait(folder);
        QCOMPARE(namesBelow(model()), QStringList({"f1", "f2", "f3", "d"}));
        clickTickBox(*list, rowNamed(model(), "f1"));
        clickTickBox(*list, rowNamed(model(), "f3"));
        QCOMPARE(list->selectCountLabel()->text(), QStringLiteral("已选择：2项"));
        QVERIFY(list->deleteButton()->isDisabled());

        answerConfirmationSoon(*list, Qt::Key_Escape);
        list->deleteButton()->click();
        QVERIFY(!list->confirmation());
        QVERIFY(!list->progressWindow());
        QVERIFY(isOnDisk(folder + "/f1"));

        answerConfirmationSoon(*list);
        list->deleteButton()->click();
        waitForTheDeletion();
        QVERIFY(!list->progressWindow()->window()->isVisible());
        QVERIFY(!isOnDisk(folder + "/f1"));
        QVERIFY(!isOnDisk(folder + "/f3"));
        QVERIFY(isOnDisk(folder + "/f2"));
        QVERIFY(isOnDisk(folder + "/d/g"));
        QCOMPARE(namesBelow(model()), QStringList({"f2", "d"}));
        QCOMPARE(list->selectCountLabel()->text(), QStringLiteral("已选择：0项"));
        QVERIFY(!list->deleteButton()->isDisabled());
    }

    void pauseDeleteBackAndANewScan() {
        for (int index = 0; index < 20; ++index) writeSizedFile(folder + "/d" + std::to_string(index) + "/f", 100);
        writeSizedFile(folder + "/lone", 7);
        const std::string second = environment->folder().makeFolder("second");
        writeSizedFile(second + "/new", 1);

        Progress::shareInit().isContinue();
        list->startWithFolder(QString::fromStdString(folder));
        QVERIFY(!list->isScan());
        QTRY_COMPARE((list->reloadTreeList(), model().rowCount()), 21);
        clickTickBox(*list, rowNamed(model(), "lone"));
        QCOMPARE(list->selectCountLabel()->text(), QStringLiteral("已选择：1项"));

        answerConfirmationSoon(*list);
        list->deleteButton()->click();
        waitForTheDeletion();
        QVERIFY(!Progress::shareInit().getProgress());
        QVERIFY(Controller::getController().isScanFinished());
        QVERIFY(!isOnDisk(folder + "/lone"));
        QVERIFY(isOnDisk(folder + "/d0/f"));

        list->backButtonAction();
        QVERIFY(list->aLoadView()->isVisible());
        scanAndWait(second);
        QCOMPARE(namesBelow(model()), QStringList({"new"}));
    }

    // A refresh keeps the folders the user opened and the place the list was scrolled to
    // (how long a step takes on a big tree is bench_large_file_outline's to measure).
    void aRefreshKeepsTheOpenFoldersAndTheScrolledPlace() {
        for (int index = 0; index < 60; ++index) writeSizedFile(folder + "/flat/f" + std::to_string(index), 100 + index);
        writeSizedFile(folder + "/deep/m/b/f", 5);
        scanAndWait(folder);
        LagFileOutlineView& outline = *list->outlineView();
        outline.expand(rowNamed(model(), "flat"));
        outline.expand(rowNamed(model(), "deep"));
        outline.expand(rowNamed(model(), "m", rowNamed(model(), "deep")));
        QScrollBar& scrollBar = *outline.verticalScrollBar();
        QVERIFY(scrollBar.maximum() > 2);
        scrollBar.setValue(scrollBar.maximum() / 2);
        const int scrolled = scrollBar.value();

        list->reloadTreeList();
        QCOMPARE(scrollBar.value(), scrolled);
        const QModelIndex deep = rowNamed(model(), "deep");
        QVERIFY(outline.isExpanded(rowNamed(model(), "flat")));
        QVERIFY(outline.isExpanded(deep));
        QVERIFY(outline.isExpanded(rowNamed(model(), "m", deep)));
        QCOMPARE(model().rowCount(rowNamed(model(), "flat")), 60);
    }
};

QTEST_MAIN(LargeFilesPageTest)
#include "tst_large_files_page.moc"
