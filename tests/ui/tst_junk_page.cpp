#include "core/junk/FastCleanScanFile.h"
#include "core/kit/CommUti.h"
#include "core/kit/EuAuthorization.h"
#include "platform/desktop/AccessState.h"
#include "platform/desktop/Workspace.h"
#include "support/FakeAccessState.h"
#include "support/FakePrivilegedSession.h"
#include "support/JunkHomeFixture.h"
#include "support/ManualExecutors.h"
#include "support/RecordingWorkspace.h"
#include "support/SignalledRows.h"
#include "support/TempFolder.h"
#include "ui/junk/FastCleanViewController.h"
#include "ui/junk/FastTypeView.h"
#include "ui/junk/JunkNodeModel.h"
#include "ui/kit/tables/CheckButtonCell.h"
#include "ui/kit/tables/CustomTableView.h"
#include "ui/kit/controls/EUProgressView.h"
#include "ui/kit/looks/ImageNamed.h"
#include "ui/kit/controls/NSProgressBar.h"
#include "ui/kit/tables/HeaderCheckBox.h"
#include "ui/kit/tables/SocialOutlineView.h"
#include "ui/kit/controls/TCImageButton.h"
#include "ui/kit/windows/TCImageWindow.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/controls/junkView.h"
#include "ui/shell/ViewMan.h"

#include <QApplication>
#include <QLabel>
#include <QTextDocument>
#include <QTimer>
#include <QtTest>

#include <unistd.h>

using core::junk::TCTreeNode;
using testsupport::JunkHomeFixture;
using ui::FastCleanViewController;
using ui::JunkNodeModel;

namespace {

using testsupport::exists;

// The image buttons' usable flag, whose YES means usable.
bool usable(const ui::TextImageButton* button) { return button->isDisabled(); }

QString plainText(const QLabel* label) {
    QTextDocument document;
    document.setHtml(label->text());
    return document.toPlainText();
}

// The shared services a page talks to, the test's own while it lives.
struct Services {
    std::shared_ptr<testsupport::FakeAccessState> access =
        std::make_shared<testsupport::FakeAccessState>(platform::AccessState::Status::Granted);
    std::shared_ptr<testsupport::RecordingWorkspace> workspace = std::make_shared<testsupport::RecordingWorkspace>();

    std::shared_ptr<testsupport::FakePrivilegedSession> session = std::make_shared<testsupport::FakePrivilegedSession>();

    Services() {
        platform::AccessState::setShared(access);
        platform::Workspace::setShared(workspace);
        core::EuAuthorization::setShared(std::make_shared<core::EuAuthorization>(session));
    }
    ~Services() {
        platform::AccessState::setShared(nullptr);
        platform::Workspace::setShared(nullptr);
        core::EuAuthorization::setShared(nullptr);
    }
};

// A page on screen over the fixture home.
struct Page {
    explicit Page(core::Executors executors = core::Executors::inlineExecutors()) : page(std::move(executors)) {
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
    }
    FastCleanViewController page;

    ui::FastTypeView* tile(int index) const { return page.allListViewArr().at(index); }
    TCTreeNode& category(int index) const { return *page.allTypeArr().at(index); }
    QString tileCheck(int index) const { return tile(index)->checkImageName(); }
    // The screens and the loose controls the page shows.
    QWidgetList shownParts() const {
        QWidgetList shown;
        for (QWidget* part : page.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (part->isVisible()) shown.append(part);
        return shown;
    }
    // Clicks the check box of a row of the list in use, where the row's cell takes clicks.
    void clickRowCheck(QAbstractItemView* list, const QModelIndex& row) const {
        ui::CheckButtonCell::changeVlaue();
        const QRect rect = list->visualRect(row);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(31, rect.top() + 25));
    }
    QModelIndex rowTitled(QAbstractItemView* list, const QString& title, const QModelIndex& parent = {}) const {
        QAbstractItemModel* model = list->model();
        for (int row = 0; row < model->rowCount(parent); ++row) {
            const QModelIndex index = model->index(row, JunkNodeModel::Name, parent);
            if (index.data().toString() == title) return model->index(row, JunkNodeModel::CheckBox, parent);
        }
        return {};
    }
};

// The fixture home, scanned by a page whose work runs in line.
struct ScannedHome {
    ScannedHome() { view.page.beginScanFile(); }
    JunkHomeFixture home;
    Services services;
    Page view;
};

}  // namespace

class JunkPageTest : public QObject {
    Q_OBJECT
private slots:
    // The screens behind the start screen are made by the first scan, or ahead of it.
    void startScreenShowsTheScanButtonOnly_data() {
        QTest::addColumn<bool>("madeAhead");
        QTest::newRow("made by the scan") << false;
        QTest::newRow("made ahead") << true;
    }
    void startScreenShowsTheScanButtonOnly() {
        QFETCH(bool, madeAhead);
        JunkHomeFixture home;
        Services services;
        Page view;
        if (madeAhead) view.page.makeHiddenScreens();
        QCOMPARE(view.shownParts(), (QWidgetList{view.page.mainView(), view.page.scanBut()}));
        QVERIFY(view.page.isCanClick());
        QCOMPARE(view.page.getViewID(), 0);
        view.page.beginScanFile();
        QCOMPARE(view.shownParts(), QWidgetList{view.page.detailView()});
    }

    void aScanShowsTheSixTilesWithTheFixturesSizes() {
        JunkHomeFixture home;
        Services services;
        Page view;
        QTest::mouseClick(view.page.scanBut(), Qt::LeftButton);
        QVERIFY(view.page.detailView()->isVisible());
        QVERIFY(!view.page.scanView()->isVisible());
        QVERIFY(!view.page.scanBut()->isVisible());
        QCOMPARE(view.page.allListViewArr().size(), size_t(6));
        const std::vector<std::string> sizes = JunkHomeFixture::categorySizes();
        for (int index = 0; index < 6; ++index) {
            QCOMPARE(view.tile(index)->sizeLabel()->text(), QString::fromStdString(sizes[index]));
            QCOMPARE(view.tile(index)->titleLabel()->text(),
                     QString::fromStdString(core::junk::FastCleanScanFile::shareInstall().getName()[index]));
            // Tile 0 is on top.
            if (index > 0) QVERIFY(view.tile(index)->y() > view.tile(index - 1)->y());
        }
        QCOMPARE(view.tile(0)->geometry(), QRect(48, 17, 644, 73));
        QCOMPARE(view.page.progressView()->progressBar()->width(), view.page.progressView()->width());
    }

    void defaultSelectionsGiveTheTotalAndTheTilePictures() {
        ScannedHome scanned;
        auto& [home, services, view] = scanned;
        QCOMPARE(uint64_t(view.page.totalSize()), JunkHomeFixture::defaultTotal());
        QCOMPARE(plainText(view.page.totalSizeLabel()), QString("26.00 KB垃圾将被清理"));
        const QStringList pictures{"checkbox-checked", "checkbox-checked", "checkbox-checked",
                                   "checkbox-unsel",   "checkbox-unsel",   "checkbox-halfchecked"};
        for (int index = 0; index < 6; ++index) QCOMPARE(view.tileCheck(index), pictures[index]);
        QVERIFY(usable(view.page.cleanBut()));
    }

    void anEmptyCategoryHasADisabledBoxAndNoDetailButton() {
        JunkHomeFixture home;
        Services services;
        ::unlink(home.path("~/Library/Containers/com.apple.mail/Data/Library/Mail Downloads/invoice.pdf").c_str());
        Page view;
        view.page.beginScanFile();
        QCOMPARE(view.tile(2)->sizeLabel()->text(), QString("0.00 KB"));
        QCOMPARE(view.tileCheck(2), QString("checkbox-unsel-disable"));
        QVERIFY(!view.tile(2)->checkBox()->isEnabled());
        QVERIFY(view.tile(2)->detailButton()->isHidden());
        QVERIFY(!view.tile(1)->detailButton()->isHidden());
        // The detail button follows its title's text.
        QVERIFY(view.tile(1)->detailButton()->x() > view.tile(0)->detailButton()->x());
    }

    void tileChecksGoAllNoneAll() {
        ScannedHome scanned;
        auto& [home, services, view] = scanned;
        QTest::mouseClick(view.tile(0)->checkBox(), Qt::LeftButton);
        QCOMPARE(view.tileCheck(0), QString("checkbox-unsel"));
        QCOMPARE(uint64_t(view.page.totalSize()), JunkHomeFixture::defaultTotal() - 3 * 1024);
        QTest::mouseClick(view.tile(0)->checkBox(), Qt::LeftButton);
        QCOMPARE(view.tileCheck(0), QString("checkbox-checked"));
        // The chat tile stands half-checked: its first click selects it whole.
        QTest::mouseClick(view.tile(5)->checkBox(), Qt::LeftButton);
        QCOMPARE(view.tileCheck(5), QString("checkbox-checked"));
        QCOMPARE(uint64_t(view.page.totalSize()), JunkHomeFixture::defaultTotal() + (4 * 1024 + 512));
        // Nothing selected anywhere: the clean button is not usable.
        for (int index : {0, 1, 2, 5}) QTest::mouseClick(view.tile(index)->checkBox(), Qt::LeftButton);
        QCOMPARE(view.page.totalSize(), 0);
        QVERIFY(!usable(view.page.cleanBut()));
        QCOMPARE(plainText(view.page.totalSizeLabel()), QString("0.00 KB垃圾将被清理"));
    }

    void theTableTicksTheClickedRowNotTheSelectedOne() {
        ScannedHome scanned;
        auto& [home, services, view] = scanned;
        QTest::mouseClick(view.tile(1)->detailButton(), Qt::LeftButton);
        QVERIFY(view.page.subDetailView()->isVisible());
        ui::CustomTableView* table = view.page.subDetailTableView();
        QVERIFY(table->isVisible());
        QVERIFY(!view.page.socialOutlineView()->isVisible());
        QCOMPARE(view.page.subDetailTitleLabel()->text(), QString("应用程序垃圾"));
        QCOMPARE(table->model()->rowCount(), 2);
        QCOMPARE(view.page.selectFileLabel()->text(), QString("已选择2项，大小：10.00 KB"));
        QCOMPARE(view.page.aSelectAllState(), 1);

        const QModelIndex browser = view.rowTitled(table, "data");
        const QModelIndex editor = view.rowTitled(table, "cache.db");
        QVERIFY(browser.isValid() && editor.isValid());
        table->setCurrentIndex(editor);
        QCOMPARE(table->rowNum(), editor.row());
        view.clickRowCheck(table, browser);
        QCOMPARE(JunkNodeModel::nodeAt(browser)->selectState, 0);
        QCOMPARE(JunkNodeModel::nodeAt(editor)->selectState, 1);
        QCOMPARE(browser.data(Qt::DecorationRole).value<QPixmap>().isNull(), false);
        QCOMPARE(view.page.selectFileLabel()->text(), QString("已选择1项，大小：4.00 KB"));
        QCOMPARE(view.page.aSelectAllState(), 2);

        // Select-all: some missing, so all; then none.
        QTest::mouseClick(view.page.selectAllButton(), Qt::LeftButton);
        QCOMPARE(view.page.aSelectAllState(), 1);
        QTest::mouseClick(view.page.selectAllButton(), Qt::LeftButton);
        QCOMPARE(view.page.aSelectAllState(), 0);
        QCOMPARE(view.page.selectFileLabel()->text(), QString("已选择0项，大小：0 byte"));

        QTest::mouseClick(view.page.backToDetailButton(), Qt::LeftButton);
        QVERIFY(view.page.detailView()->isVisible());
        QCOMPARE(view.page.selectTreeNode(), nullptr);
        QCOMPARE(view.tileCheck(1), QString("checkbox-unsel"));
        QCOMPARE(uint64_t(view.page.totalSize()), JunkHomeFixture::defaultTotal() - 10 * 1024);
    }

    void theOutlineKeepsItsNodesAboveInStep() {
        ScannedHome scanned;
        auto& [home, services, view] = scanned;
        QTest::mouseClick(view.tile(5)->detailButton(), Qt::LeftButton);
        ui::SocialOutlineView* outline = view.page.socialOutlineView();
        QVERIFY(outline->isVisible());
        QVERIFY(!view.page.subDetailTableView()->isVisible());
        // QQ's logs and 微信's caches: three leaves.
        QCOMPARE(view.page.selectFileLabel()->text(), QString("已选择3项，大小：5.00 KB"));

        const QModelIndex qq = view.rowTitled(outline, "QQ");
        QVERIFY(qq.isValid());
        const QModelIndex logs = view.rowTitled(outline, "Logs", qq.siblingAtColumn(0));
        outline->expandAll();
        const QModelIndex logFolder = outline->model()->index(0, 0, logs.siblingAtColumn(0));
        const QModelIndex firstLog = outline->model()->index(0, 0, logFolder);
        outline->setCurrentIndex(qq);
        view.clickRowCheck(outline, firstLog);
        QCOMPARE(JunkNodeModel::nodeAt(firstLog)->selectState, 0);
        QCOMPARE(JunkNodeModel::nodeAt(logFolder)->selectState, 2);
        QCOMPARE(JunkNodeModel::nodeAt(logs)->selectState, 2);
        QCOMPARE(JunkNodeModel::nodeAt(qq)->selectState, 2);
        QCOMPARE(firstLog.data(Qt::DecorationRole).value<QPixmap>().cacheKey(),
                 ui::imageNamed("checkbox-unsel").cacheKey());
        QCOMPARE(view.page.selectFileLabel()->text(), QString("已选择2项，大小：4.00 KB"));

        // A half-checked application checks everything below it.
        view.clickRowCheck(outline, qq);
        QCOMPARE(JunkNodeModel::nodeAt(qq)->selectState, 1);
        QCOMPARE(view.page.selectFileLabel()->text(), QString("已选择5项，大小：9.50 KB"));
        // A click on the last application reaches every row below it that the outline shows.
        QSignalSpy changes(outline->model(), &QAbstractItemModel::dataChanged);
        const QModelIndex lastApplication = outline->model()->index(outline->model()->rowCount() - 1, 0);
        view.clickRowCheck(outline, lastApplication.siblingAtColumn(JunkNodeModel::CheckBox));
        QCOMPARE(JunkNodeModel::nodeAt(lastApplication)->selectState, 0);
        QVERIFY(testsupport::everyShownRowSignalled(*outline, changes, JunkNodeModel::CheckBox));
        view.clickRowCheck(outline, lastApplication.siblingAtColumn(JunkNodeModel::CheckBox));
        QCOMPARE(JunkNodeModel::nodeAt(lastApplication)->selectState, 1);
        QTest::mouseClick(view.page.backToDetailButton(), Qt::LeftButton);
        QCOMPARE(view.tileCheck(5), QString("checkbox-checked"));
    }

    void theOpenButtonShowsTheClickedRow() {
        ScannedHome scanned;
        auto& [home, services, view] = scanned;
        view.page.detailButtonAction(5);
        ui::SocialOutlineView* outline = view.page.socialOutlineView();
        outline->expandAll();
        const QModelIndex qq = view.rowTitled(outline, "QQ");
        const QModelIndex logs = view.rowTitled(outline, "Logs", qq.siblingAtColumn(0));
        const QModelIndex logFolder = outline->model()->index(0, JunkNodeModel::Open, logs.siblingAtColumn(0));
        const QModelIndex firstLog = outline->model()->index(0, JunkNodeModel::Open, logFolder.siblingAtColumn(0));
        outline->setCurrentIndex(qq);
        // A group has nothing to open; a folder opens, a file is revealed.
        QVERIFY(logs.siblingAtColumn(JunkNodeModel::Open).data(Qt::DecorationRole).isNull());
        for (const QModelIndex& row : {logFolder, firstLog})
            QTest::mouseClick(outline->viewport(), Qt::LeftButton, {}, outline->visualRect(row).center());
        const std::string folder = JunkNodeModel::nodeAt(logFolder)->path;
        const std::string file = JunkNodeModel::nodeAt(firstLog)->path;
        QCOMPARE(services.workspace->calls(),
                 (std::vector<std::string>{"openFile " + folder, "revealFile " + file}));

        // An item gone since the scan shows no open button.
        QVERIFY(!firstLog.data(Qt::DecorationRole).isNull());
        QCOMPARE(unlink(file.c_str()), 0);
        QVERIFY(firstLog.data(Qt::DecorationRole).isNull());
        QVERIFY(!logFolder.data(Qt::DecorationRole).isNull());
    }

    void refusedAccessShowsThePromptAndTheScanGoesOn() {
        JunkHomeFixture home;
        Services services;
        services.access->setStatus(platform::AccessState::Status::Denied);
        Page view;
        int prompts = 0;
        QTimer::singleShot(0, [&] {
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* window = qobject_cast<ui::TCImageWindow*>(widget); window && window->isVisible()) {
                    ++prompts;
                    QTest::mouseClick(window->standardWindowButton(ui::NSWindowCloseButton), Qt::LeftButton);
                }
        });
        view.page.beginScanFile();
        QCOMPARE(prompts, 1);
        QCOMPARE(view.page.allListViewArr().size(), size_t(6));
    }

    void aScanRunsOffTheMainThreadAndIgnoresASecondRequest() {
        JunkHomeFixture home;
        Services services;
        testsupport::ManualExecutors executors;
        Page view(executors.executors());
        view.page.beginScanFile();
        QVERIFY(view.page.isScanning());
        QVERIFY(view.page.scanView()->isVisible());
        QCOMPARE(view.page.progressView()->progressBar()->width(), 0);
        // Switching tools stays possible meanwhile.
        QVERIFY(view.page.isCanClick());
        view.page.beginScanFile();
        QVERIFY(executors.runNext());  // the one scan, which reports through the main queue
        view.page.getPath("/Users/tester/Library/Caches/" + QString(300, 'x'));
        QVERIFY(view.page.pathLabel()->fontMetrics().horizontalAdvance(view.page.pathLabel()->text()) <=
                view.page.pathLabel()->width());
        executors.runQueued();
        QVERIFY(!view.page.isScanning());
        QCOMPARE(view.page.allListViewArr().size(), size_t(6));
        QCOMPARE(view.page.progressView()->progressBar()->width(), view.page.progressView()->width());

        // A second scan starts from an empty bar and an empty path, not the last scan's last path,
        // and replaces the tiles.
        QVERIFY(!core::junk::FastCleanScanFile::shareInstall().currentPath().empty());
        QTest::mouseClick(view.page.backHomeButton(), Qt::LeftButton);
        QVERIFY(view.page.mainView()->isVisible());
        view.page.beginScanFile();
        QCOMPARE(view.page.progressView()->progressBar()->width(), 0);
        QVERIFY(view.page.allListViewArr().empty());
        QTest::qWait(250);  // past two ticks of the path timer, the scan not begun yet
        QCOMPARE(view.page.pathLabel()->text(), QString());
        executors.runQueued();
        QCOMPARE(view.page.detailView()->findChildren<ui::FastTypeView*>().size(), 6);
    }

    void cleaningRemovesExactlyWhatIsTickedEndToEnd() {
        ScannedHome scanned;
        auto& [home, services, view] = scanned;
        view.page.detailButtonAction(1);
        ui::CustomTableView* table = view.page.subDetailTableView();
        view.clickRowCheck(table, view.rowTitled(table, "data"));
        QTest::mouseClick(view.page.backToDetailButton(), Qt::LeftButton);
        QVERIFY(usable(view.page.cleanBut()));
        QTest::mouseClick(view.page.cleanBut(), Qt::LeftButton);

        const std::string unticked = "~/Library/Caches/com.example.browser/data";
        uint64_t freed = 0;
        for (const auto& item : home.items()) {
            const bool removed = item.selected && item.macPath != unticked;
            QVERIFY2(exists(home.path(item.macPath)) != removed, item.macPath.c_str());
            if (removed) freed += item.bytes;
        }
        for (const auto& path : home.outside()) QVERIFY2(exists(path), path.c_str());
        // The folders the categories look at stay, and so does what an emptied group held apart.
        for (const char* folder : {"~/Library/Logs", "~/Library/Caches/com.example.editor", "~/.Trash"})
            QVERIFY2(exists(home.path(folder)), folder);
        QCOMPARE(freed, uint64_t(20 * 1024));
        QCOMPARE(view.page.cleanTotalSize(), int64_t(freed));
        QCOMPARE(plainText(view.page.totalSizeLabel()),
                 QString("已经从您的Mac中清理20.00 KB垃圾文件，再次清理请返回首页重新扫描。"));
        QCOMPARE(services.session->prompts, 0);
        QVERIFY(services.session->removed.empty());

        // Every tile shows what is left and takes no more clicks.
        const QStringList left{"0.00 KB", "6.00 KB", "0.00 KB", "3.00 KB", "16.00 KB", "4.50 KB"};
        for (int index = 0; index < 6; ++index) {
            QCOMPARE(view.tile(index)->sizeLabel()->text(), left[index]);
            QCOMPARE(view.tileCheck(index), QString("checkbox-unsel-disable"));
            QVERIFY(!view.tile(index)->checkBox()->isEnabled());
            QVERIFY(view.tile(index)->detailButton()->isHidden());
            QVERIFY(view.tile(index)->loadingView()->isHidden());
        }
        QVERIFY(view.page.completedLabel()->isVisible());
        QVERIFY(!usable(view.page.cleanBut()));
        QCOMPARE(view.page.totalSize(), 0);
        QVERIFY(view.page.isCanClick());

        // Back home, a new scan finds what is left.
        QTest::mouseClick(view.page.backHomeButton(), Qt::LeftButton);
        QVERIFY(view.page.mainView()->isVisible());
        QVERIFY(!view.page.completedLabel()->isVisible());
        view.page.beginScanFile();
        QCOMPARE(view.tile(0)->sizeLabel()->text(), QString("0.00 KB"));
        QCOMPARE(view.tile(1)->sizeLabel()->text(), QString("6.00 KB"));
        QCOMPARE(uint64_t(view.page.totalSize()), uint64_t(6 * 1024));
    }

    void toolSwitchingIsRefusedUntilTheEndBlockHasRun() {
        JunkHomeFixture home;
        Services services;
        testsupport::ManualExecutors executors;
        Page view(executors.executors());
        ui::ViewMan::returnViewMan()->addView(&view.page);
        view.page.beginScanFile();
        executors.runQueued();
        QTest::mouseClick(view.page.cleanBut(), Qt::LeftButton);
        QVERIFY(!view.page.isCanClick());
        QVERIFY(!ui::ViewMan::returnViewMan()->checkCanClick(1));
        QCOMPARE(view.page.totalSizeLabel()->text(), QString("清理垃圾文件，请稍候..."));
        QVERIFY(!usable(view.page.cleanBut()));
        QVERIFY(!view.page.backHomeButton()->isEnabled());
        // The tiles with something selected show their loading view; none takes clicks.
        for (int index = 0; index < 6; ++index) {
            QCOMPARE(view.tile(index)->loadingView()->isVisible(), index != 3 && index != 4);
            QVERIFY(!view.tile(index)->detailButton()->isEnabled());
        }
        QVERIFY(executors.runNext());  // the removal, which posts its end block
        QVERIFY(!view.page.isCanClick());
        QVERIFY(view.page.allListViewArr()[0]->loadingView()->isVisible());
        QVERIFY(executors.runNext());
        QVERIFY(view.page.isCanClick());
        QVERIFY(ui::ViewMan::returnViewMan()->checkCanClick(1));
        QVERIFY(view.page.backHomeButton()->isEnabled());
        ui::ViewMan::returnViewMan()->removeView(&view.page);
    }

    void anItemGoneBeforeItsTurnIsNotCounted() {
        ScannedHome scanned;
        auto& [home, services, view] = scanned;
        const auto& vanished = home.item("~/Library/Containers/com.apple.mail/Data/Library/Mail Downloads/invoice.pdf");
        ::unlink(home.path(vanished.macPath).c_str());
        view.page.beginCleanFile();
        QCOMPARE(uint64_t(view.page.cleanTotalSize()), uint64_t(20 * 1024 + 6 * 1024 - vanished.bytes));
        QCOMPARE(view.tile(2)->sizeLabel()->text(), QString("0.00 KB"));
        QCOMPARE(services.session->prompts, 0);
    }

    // The stop is pressed before the scan's thread has begun: no category is scanned.
    void aStopBeforeTheScanBeginsIsKept() {
        JunkHomeFixture home;
        Services services;
        testsupport::ManualExecutors executors;
        Page view(executors.executors());
        view.page.beginScanFile();
        QTest::mouseClick(view.page.stopBut(), Qt::LeftButton);
        executors.runQueued();
        QCOMPARE(view.page.allTypeArr().size(), std::size_t(6));
        for (const auto& category : view.page.allTypeArr()) QVERIFY(!category->hasChildren());
    }
};

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    JunkPageTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_junk_page.moc"
