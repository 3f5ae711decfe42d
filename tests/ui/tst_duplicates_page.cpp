#include "core/kit/EuAuthorization.h"
#include "platform/desktop/Workspace.h"
#include "support/FakePrivilegedSession.h"
#include "support/FileRewrite.h"
#include "support/LockFlag.h"
#include "support/RandomContent.h"
#include "support/RecordingWorkspace.h"
#include "support/SignalledRows.h"
#include "support/TempFolder.h"
#include "ui/duplicates/DuplicateOutlineModel.h"
#include "ui/duplicates/DuplicateViewController.h"
#include "ui/duplicates/SameFileDeleteViewController.h"
#include "ui/kit/controls/EUProgressView.h"
#include "ui/kit/controls/NSProgressBar.h"
#include "ui/kit/controls/TCImageButton.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/tables/FlatHeaderView.h"
#include "ui/kit/tables/HeaderCheckBox.h"
#include "ui/kit/tables/NewOutlineView.h"
#include "ui/kit/windows/TCImageWindow.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextDocument>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <map>

#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

using core::SimpleNodeData;
using ui::DuplicateOutlineModel;
using ui::DuplicateViewController;
using ui::SameFileDeleteViewController;

namespace {

using testsupport::exists;

SameFileDeleteViewController& logic(DuplicateViewController& page) { return *page.sameFileDeleteVC(); }

// Starts a search of the folder as a drop on the first view does, and waits for the result view.
bool searchFolder(DuplicateViewController& page, const std::string& folder) {
    logic(page).viewDragAction(QString::fromStdString(folder));
    if (page.shownView() != logic(page).progressageView()) return false;
    return QTest::qWaitFor([&] { return page.shownView() == logic(page).detailView(); }, 15000);
}

QModelIndex groupNamed(SameFileDeleteViewController& vc, const std::string& name) {
    DuplicateOutlineModel& model = *vc.outlineModel();
    for (int row = 0; row < model.rowCount(); ++row)
        if (DuplicateOutlineModel::dataAt(model.index(row, 0))->name == name) return model.index(row, 0);
    return {};
}

// The paths of a group's copies as listed, with "x" before the ticked ones.
QStringList copiesOf(SameFileDeleteViewController& vc, const QModelIndex& group) {
    QStringList copies;
    for (int row = 0; row < vc.outlineModel()->rowCount(group); ++row) {
        const SimpleNodeData* data = DuplicateOutlineModel::dataAt(vc.outlineModel()->index(row, 0, group));
        copies << QString::fromStdString((data->selectNum == 1 ? "x " : "") + data->name);
    }
    return copies;
}

// A click on a row's tick box, past the check cells' quiet time after the last one.
void clickTickBox(SameFileDeleteViewController& vc, const QModelIndex& row) {
    QTest::qWait(250);
    vc.outline()->scrollTo(row);
    const QRect cell = vc.outline()->visualRect(row.siblingAtColumn(DuplicateOutlineModel::Checkbox));
    QTest::mouseClick(vc.outline()->viewport(), Qt::LeftButton, {}, QPoint(31, cell.top() + 25));
}

void clickHeader(SameFileDeleteViewController& vc, int column) {
    ui::FlatHeaderView* header = vc.outline()->headerView();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 10, header->height() / 2));
}

// The image buttons' usable flag is named the other way round.
bool usable(const ui::TextImageButton* button) { return button->isDisabled(); }

QString headerPicture(SameFileDeleteViewController& vc) { return vc.headerCheckBox()->normalImageName(); }

QString plainText(const QLabel* label) {
    QTextDocument document;
    document.setHtml(label->text());
    return document.toPlainText();
}

// Whether every row the outline shows was signalled as changed since the last look.
bool everyShownRowSignalled(SameFileDeleteViewController& vc, QSignalSpy& changes) {
    const bool all = testsupport::everyShownRowSignalled(*vc.outline(), changes, DuplicateOutlineModel::Checkbox);
    changes.clear();
    return all;
}

// Presses a button of the alert the page shows.
void answerAlert(SameFileDeleteViewController& vc, const QString& button) {
    QMessageBox* alert = vc.alert();
    QVERIFY(alert);
    for (QAbstractButton* each : alert->buttons())
        if (each->text() == button) QTest::mouseClick(each, Qt::LeftButton);
}

// Confirms the deletion in the confirmation window once its modal loop runs.
void confirmDeletionWhenAsked() {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (!window->isVisible() || !qobject_cast<ui::TCImageWindow*>(window)) continue;
            for (auto* button : window->findChildren<ui::TextImageButton*>())
                if (button->label()->text() == QStringLiteral("删除")) {
                    QTest::mouseClick(button, Qt::LeftButton);
                    poll->deleteLater();
                    return;
                }
        }
    });
    poll->start(20);
}

void deleteTicked(SameFileDeleteViewController& vc) {
    confirmDeletionWhenAsked();
    QTest::mouseClick(vc.removeButton(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(vc.selection().allSelectNumArr().empty() && vc.isCanClick(), 10000);
}

}  // namespace

class DuplicatesPageTest : public QObject {
    Q_OBJECT
    std::shared_ptr<testsupport::FakePrivilegedSession> session;
    std::shared_ptr<testsupport::RecordingWorkspace> workspace;

private slots:
    void init() {
        session = std::make_shared<testsupport::FakePrivilegedSession>();
        core::EuAuthorization::setShared(std::make_shared<core::EuAuthorization>(session));
        workspace = std::make_shared<testsupport::RecordingWorkspace>();
        platform::Workspace::setShared(workspace);
    }
    void cleanup() {
        core::EuAuthorization::setShared(nullptr);
        platform::Workspace::setShared(nullptr);
    }

    // A search of a fixture folder, the copies sorted by name the other way round, the header
    // box and a deletion: on disk exactly the ticked copies are gone, every kept copy intact.
    void searchTickAndDeleteEndToEnd() {
        testsupport::TempFolder folder;
        const std::string picture = testsupport::randomContent(7000, 1);
        const std::string report = testsupport::randomContent(9000, 2);
        for (const char* place : {"a", "b"}) folder.writeFile(std::string(place) + "/photo.jpg", picture);
        for (const char* place : {"a", "b", "c"}) folder.writeFile(std::string(place) + "/report.pdf", report);
        folder.writeFile("a/unique.txt", testsupport::randomContent(300, 3));

        DuplicateViewController page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QCOMPARE(page.getViewID(), 4);
        SameFileDeleteViewController& vc = logic(page);
        QCOMPARE(page.shownView(), vc.fristView());
        QVERIFY(searchFolder(page, folder.path()));
        QCOMPARE(vc.outlineModel()->rowCount(), 2);
        QCOMPARE(plainText(vc.titleLabel()), QStringLiteral("“%1”中有5个文件, 在全部中选择了0个文件.")
                                                 .arg(QString::fromStdString(folder.path()).section('/', -1)));
        QVERIFY(!usable(vc.removeButton()));

        clickHeader(vc, DuplicateOutlineModel::NameColumn);
        clickHeader(vc, DuplicateOutlineModel::NameColumn);
        QCOMPARE(vc.outline()->headerView()->sortIndicatorOrder(), Qt::DescendingOrder);
        QTest::mouseClick(vc.headerCheckBox(), Qt::LeftButton);
        QCOMPARE(headerPicture(vc), QStringLiteral("checkbox-halfchecked"));
        const QString root = QString::fromStdString(folder.path());
        QCOMPARE(copiesOf(vc, groupNamed(vc, "report.pdf")),
                 (QStringList{"x " + root + "/c/report.pdf", "x " + root + "/b/report.pdf", root + "/a/report.pdf"}));
        QCOMPARE(copiesOf(vc, groupNamed(vc, "photo.jpg")),
                 (QStringList{"x " + root + "/b/photo.jpg", root + "/a/photo.jpg"}));
        QVERIFY(usable(vc.removeButton()));
        QVERIFY(plainText(vc.titleLabel()).endsWith(QStringLiteral("在全部中选择了3个文件.")));

        deleteTicked(vc);
        for (const char* gone : {"b/photo.jpg", "b/report.pdf", "c/report.pdf"}) QVERIFY2(!exists(folder / gone), gone);
        QCOMPARE(testsupport::readWholeFile(folder / "a/photo.jpg"), picture);
        QCOMPARE(testsupport::readWholeFile(folder / "a/report.pdf"), report);
        QVERIFY(exists(folder / "a/unique.txt"));
        // Both groups are down to their kept copy: gone from the outline and from their categories.
        QCOMPARE(vc.outlineModel()->rowCount(), 0);
        QCOMPARE(vc.trees().categoryTree(1)->numberOfChildren(), 0u);
        QCOMPARE(vc.trees().categoryTree(5)->numberOfChildren(), 0u);
        QVERIFY(!usable(vc.removeButton()));
        QCOMPARE(headerPicture(vc), QStringLiteral("checkbox-unsel"));
        QVERIFY(!vc.alert());
        QCOMPARE(session->prompts, 0);
    }

    // Ticking a group's last unticked copy asks first; a copy changed since the search is not
    // deleted, stays listed unticked, and the page says it changed.
    void lastCopyAsksAndAChangedCopyStays() {
        testsupport::TempFolder folder;
        const std::string content = testsupport::randomContent(5000, 4);
        folder.writeFile("one/notes.txt", content);
        folder.writeFile("two/notes.txt", content);
        DuplicateViewController page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        SameFileDeleteViewController& vc = logic(page);
        QVERIFY(searchFolder(page, folder.path()));
        const QModelIndex group = groupNamed(vc, "notes.txt");
        QVERIFY(vc.outline()->isExpanded(group));
        const QModelIndex firstRow = vc.outlineModel()->index(0, 0, group);
        const QModelIndex secondRow = vc.outlineModel()->index(1, 0, group);
        const std::string first = DuplicateOutlineModel::dataAt(firstRow)->name;
        const std::string second = DuplicateOutlineModel::dataAt(secondRow)->name;

        clickTickBox(vc, secondRow);
        clickTickBox(vc, firstRow);
        QTRY_VERIFY(vc.alert() && vc.alert()->isVisible());
        QCOMPARE(vc.alert()->text(), QStringLiteral("您确定要删除所有重复文件吗？"));
        answerAlert(vc, QStringLiteral("取消"));
        QCOMPARE(DuplicateOutlineModel::dataAt(firstRow)->selectNum, 0);
        QCOMPARE(headerPicture(vc), QStringLiteral("checkbox-halfchecked"));
        QTRY_VERIFY(!vc.alert());
        clickTickBox(vc, firstRow);
        QTRY_VERIFY(vc.alert() && vc.alert()->isVisible());
        answerAlert(vc, QStringLiteral("好的"));
        QCOMPARE(DuplicateOutlineModel::dataAt(firstRow)->selectNum, 1);
        QCOMPARE(DuplicateOutlineModel::dataAt(group)->showSelectNumStr, std::string("2/2"));
        QCOMPARE(headerPicture(vc), QStringLiteral("checkbox-checked"));

        // The context menu of a copy opens it or shows it in its folder.
        QTest::qWait(250);
        const QRect row = vc.outline()->visualRect(firstRow.siblingAtColumn(DuplicateOutlineModel::NameColumn));
        QTest::mouseClick(vc.outline()->viewport(), Qt::RightButton, {}, row.center());
        QTRY_VERIFY(vc.contextMenu());
        const QList<QAction*> actions = vc.contextMenu()->actions();
        QCOMPARE(actions.size(), 2);
        QCOMPARE(actions[0]->text(), QStringLiteral("打开"));
        actions[1]->trigger();
        QCOMPARE(QString::fromStdString(workspace->calls().empty() ? "" : workspace->calls().back()),
                 QString::fromStdString("revealFile " + first));
        vc.contextMenu()->close();

        QVERIFY(testsupport::rewriteKeepingSizeAndDate(first));
        deleteTicked(vc);
        QVERIFY(!exists(second));
        QCOMPARE(testsupport::readWholeFile(first), std::string(content.size(), 'z'));
        QTRY_VERIFY(vc.alert() && vc.alert()->isVisible());
        QCOMPARE(vc.alert()->text(), QStringLiteral("某些文件在搜索后已更改，未删除，请重新搜索！"));
        QCOMPARE(copiesOf(vc, groupNamed(vc, "notes.txt")), QStringList{QString::fromStdString(first)});
        QCOMPARE(DuplicateOutlineModel::dataAt(groupNamed(vc, "notes.txt"))->showSelectNumStr, std::string("0/1"));
        QVERIFY(!usable(vc.removeButton()));
        answerAlert(vc, QStringLiteral("好的"));
        QTRY_VERIFY(!vc.alert());
    }

    // Every change of ticks (the header box on and off, a group box, a deletion's end) reaches
    // every copy the outline shows, so what is drawn ticked is what gets deleted.
    void everyTickChangeReachesEveryShownCopy() {
        testsupport::TempFolder folder;
        const std::string song = testsupport::randomContent(4000, 6);
        const std::string movie = testsupport::randomContent(6000, 7);
        for (const char* place : {"a", "b"}) folder.writeFile(std::string(place) + "/song.mp3", song);
        for (const char* place : {"a", "b"}) folder.writeFile(std::string(place) + "/movie.mp4", movie);
        DuplicateViewController page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        SameFileDeleteViewController& vc = logic(page);
        QVERIFY(searchFolder(page, folder.path()));
        vc.outline()->expandAll();
        QSignalSpy changes(vc.outlineModel(), &QAbstractItemModel::dataChanged);

        QTest::mouseClick(vc.headerCheckBox(), Qt::LeftButton);
        QVERIFY(everyShownRowSignalled(vc, changes));
        QTest::mouseClick(vc.headerCheckBox(), Qt::LeftButton);
        QVERIFY(everyShownRowSignalled(vc, changes));
        const QModelIndex lastGroup = vc.outlineModel()->index(vc.outlineModel()->rowCount() - 1, 0);
        clickTickBox(vc, lastGroup);
        QVERIFY(everyShownRowSignalled(vc, changes));
        QCOMPARE(QString::fromStdString(DuplicateOutlineModel::dataAt(lastGroup)->showSelectNumStr), QString("1/2"));

        // The ticked copy of the last group is deleted; the copy kept there is drawn unticked.
        const std::string ticked = DuplicateOutlineModel::dataAt(vc.outlineModel()->index(0, 0, lastGroup))->name;
        const std::string kept = DuplicateOutlineModel::dataAt(vc.outlineModel()->index(1, 0, lastGroup))->name;
        deleteTicked(vc);
        QVERIFY(!exists(ticked));
        QVERIFY(exists(kept));
        QCOMPARE(vc.outlineModel()->rowCount(), 1);
        QVERIFY(everyShownRowSignalled(vc, changes));
    }

    // A copy the removal refuses even with the administrator's right gets the sheet about rights;
    // one changed since the search gets its own line; the copy ticked beside them goes.
    void aRefusedCopyAndAChangedCopyAreToldApart() {
        testsupport::TempFolder folder;
        for (const char* name : {"locked.bin", "changed.bin", "plain.bin"}) {
            const std::string content = testsupport::randomContent(3000, std::hash<std::string>()(name));
            for (const char* place : {"a", "b"}) folder.writeFile(std::string(place) + "/" + name, content);
        }
        // Both copies locked before the search, as the search sees them.
        struct Locked {
            std::vector<std::string> paths;
            ~Locked() {
                for (const std::string& path : paths) testsupport::setImmutable(path, false);
            }
        } locked{{folder / "a/locked.bin", folder / "b/locked.bin"}};
        for (const std::string& path : locked.paths)
            if (!testsupport::setImmutable(path, true)) QSKIP("the file system cannot lock a file");
        session->reply = {1, "rm: cannot remove: Operation not permitted", false};
        DuplicateViewController page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        SameFileDeleteViewController& vc = logic(page);
        QVERIFY(searchFolder(page, folder.path()));
        QTest::mouseClick(vc.headerCheckBox(), Qt::LeftButton);
        std::map<std::string, std::string> ticked;
        for (const char* name : {"locked.bin", "changed.bin", "plain.bin"}) {
            const QModelIndex group = groupNamed(vc, name);
            ticked[name] = DuplicateOutlineModel::dataAt(vc.outlineModel()->index(0, 0, group))->name;
            QCOMPARE(DuplicateOutlineModel::dataAt(vc.outlineModel()->index(0, 0, group))->selectNum, 1);
        }
        QVERIFY(testsupport::rewriteKeepingSizeAndDate(ticked["changed.bin"]));

        deleteTicked(vc);
        QTRY_VERIFY(vc.alert() && vc.alert()->isVisible());
        QCOMPARE(vc.alert()->text(), QStringLiteral("某些需要管理员权限的文件无法删除！\n某些文件在搜索后已更改，未删除，请重新搜索！"));
        QVERIFY(exists(ticked["locked.bin"]));
        QVERIFY(exists(ticked["changed.bin"]));
        QVERIFY(!exists(ticked["plain.bin"]));
        QCOMPARE(vc.outlineModel()->rowCount(), 2);
        answerAlert(vc, QStringLiteral("好的"));
        QTRY_VERIFY(!vc.alert());
    }

    // A class of 5,000 copies under the common desktop limit of 1,024 descriptors: the page
    // lists every copy, and the application still has descriptors for its own needs.
    void fiveThousandCopiesUnderAThousandDescriptors() {
        testsupport::TempFolder folder;
        const std::string content = testsupport::randomContent(2000, 8);
        for (int index = 0; index < 5000; ++index)
            folder.writeFile("many/" + std::to_string(index / 100) + "/copy" + std::to_string(index) + ".txt", content);
        struct Limit {
            struct rlimit before {};
            Limit() {
                getrlimit(RLIMIT_NOFILE, &before);
                struct rlimit low {std::min<rlim_t>(1024, before.rlim_max), before.rlim_max};
                setrlimit(RLIMIT_NOFILE, &low);
            }
            ~Limit() { setrlimit(RLIMIT_NOFILE, &before); }
        } limit;
        DuplicateViewController page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        SameFileDeleteViewController& vc = logic(page);
        QVERIFY(searchFolder(page, folder.path()));
        QCOMPARE(vc.outlineModel()->rowCount(), 1);
        QCOMPARE(vc.outlineModel()->rowCount(vc.outlineModel()->index(0, 0)), 5000);
        QVERIFY(plainText(vc.titleLabel()).contains(QStringLiteral("中有5000个文件")));
        int ends[2];
        QVERIFY(pipe(ends) == 0);
        close(ends[0]);
        close(ends[1]);
        bool ticked = false;
        QTimer::singleShot(0, [&] { ticked = true; });
        QTRY_VERIFY(ticked);
    }

    // Searches and returns to the first view, twenty times: each search gives back what it took.
    void searchesLeaveTheHeapAsTheyFoundIt() {
        testsupport::TempFolder folder;
        for (int index = 0; index < 1500; ++index)
            folder.writeFile("d" + std::to_string(index % 30) + "/f" + std::to_string(index) + ".dat",
                             testsupport::randomContent(3000, static_cast<std::uint64_t>(index % 500)));
        DuplicateViewController page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        SameFileDeleteViewController& vc = logic(page);
        auto searchAndReturn = [&] {
            const bool found = searchFolder(page, folder.path()) && vc.outlineModel()->rowCount() == 500;
            vc.backButtonAction();
            return found && page.shownView() == vc.fristView();
        };
        auto heapInUse = [] {
            const struct mallinfo2 heap = mallinfo2();
            return heap.uordblks + heap.hblkhd;
        };
        // The first searches fill the caches that last (icons, fonts, the pool's threads).
        for (int search = 0; search < 3; ++search) QVERIFY(searchAndReturn());
        const std::size_t before = heapInUse();
        for (int search = 0; search < 20; ++search) QVERIFY(searchAndReturn());
        const std::size_t after = heapInUse();
        QVERIFY2(after < before + (1u << 20),
                 qPrintable(QStringLiteral("%1 KiB more in use").arg((static_cast<double>(after) - before) / 1024)));
    }

    // A new search right after a stop starts its progress from 0, and nothing of the stopped
    // search (its result, its return to the first view) reaches it.
    void newSearchRightAfterAStop() {
        testsupport::TempFolder big;
        for (int index = 0; index < 400; ++index)
            big.writeFile("f/" + std::to_string(index),
                          testsupport::randomContent(40000, static_cast<std::uint64_t>(index % 200)));
        testsupport::TempFolder small;
        const std::string content = testsupport::randomContent(3000, 5);
        small.writeFile("x/song.mp3", content);
        small.writeFile("y/song.mp3", content);

        DuplicateViewController page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        SameFileDeleteViewController& vc = logic(page);
        vc.viewDragAction(QString::fromStdString(big.path()));
        vc.stopScanBtnClicked();
        vc.viewDragAction(QString::fromStdString(small.path()));
        QCOMPARE(vc.shownProgress(), 0u);
        QCOMPARE(SameFileDeleteViewController::shortenedPath(QStringLiteral("/home/someone/Pictures/2024/A")),
                 QStringLiteral("/home/someone/Pictures/20..."));
        QCOMPARE(vc.progressView()->progressBar()->width(), 0);
        QCOMPARE(page.shownView(), vc.progressageView());
        // Past the stopped search's return to the first view.
        const bool sawFirstView = QTest::qWaitFor([&] { return page.shownView() == vc.fristView(); }, 2500);
        QVERIFY(!sawFirstView);
        QCOMPARE(page.shownView(), vc.detailView());
        QCOMPARE(vc.outlineModel()->rowCount(), 1);
        QCOMPARE(DuplicateOutlineModel::dataAt(vc.outlineModel()->index(0, 0))->name, std::string("song.mp3"));
    }
};

QTEST_MAIN(DuplicatesPageTest)
#include "tst_duplicates_page.moc"
