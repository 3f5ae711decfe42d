#include "support/ScopedEnvironment.h"
#include "ui/kit/controls/LeftView.h"
#include "ui/shell/AppDelegate.h"
#include "ui/shell/LeftCellView.h"
#include "ui/shell/LeftCellViewCtr.h"
#include "ui/shell/LeftViewCtl.h"
#include "ui/shell/MyNSApplication.h"
#include "ui/shell/ViewDelegate.h"
#include "ui/shell/ViewMan.h"

#include <QLabel>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

class FakePage : public ui::ViewDelegate {
public:
    FakePage(int viewID, bool canClick) : viewID(viewID), canClick(canClick) {}
    QWidget* getView() override { return &view; }
    int getViewID() override { return viewID; }
    bool isCanClick() override {
        ++timesAsked;
        return canClick;
    }

    QWidget view;
    int viewID;
    bool canClick;
    int timesAsked = 0;
};

std::vector<std::unique_ptr<FakePage>> makePages(std::initializer_list<bool> canClick) {
    std::vector<std::unique_ptr<FakePage>> pages;
    for (bool answer : canClick) pages.push_back(std::make_unique<FakePage>(static_cast<int>(pages.size()), answer));
    return pages;
}

}  // namespace

class ViewSwitchingTest : public QObject {
    Q_OBJECT
private:
    testsupport::ScopedEnvironment environment;  // the disk page's scan writes in its runtime folder
    std::unique_ptr<ui::AppDelegate> shell;

    ui::LeftViewCtl* column() const { return shell->leftViewController(); }
    ui::LeftCellView* cellView(int cellID) const { return column()->cells().at(cellID)->CellCtl->view(); }

    void click(int cellID) { QTest::mouseClick(cellView(cellID), Qt::LeftButton, {}, cellView(cellID)->rect().center()); }

    std::vector<int> selectedCells() const {
        std::vector<int> selected;
        for (const auto& cell : column()->cells())
            if (cell->CellSelected) selected.push_back(cell->CellID);
        return selected;
    }

    // The tool pages are the content view's children that are neither the column nor its parts.
    std::vector<QWidget*> shownPages() const {
        std::vector<QWidget*> shown;
        for (QWidget* child : shell->contentView()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (child != column()->view() && child->isVisible()) shown.push_back(child);
        return shown;
    }

    void verifySelectedAndShown(int cellID) {
        QCOMPARE(selectedCells(), std::vector<int>{cellID});
        const auto shown = shownPages();
        QCOMPARE(shown.size(), size_t(1));
        auto* page = dynamic_cast<ui::ViewDelegate*>(shown.front());
        QVERIFY(page);
        QCOMPARE(page->getViewID(), cellID);
    }

private slots:
    void initTestCase() {
        shell = std::make_unique<ui::AppDelegate>();
        shell->launch();
        QVERIFY(QTest::qWaitForWindowExposed(shell->window()));
        // The disk page refuses every switch until its first volume scan has started.
        QTRY_VERIFY_WITH_TIMEOUT(ui::ViewMan::returnViewMan()->checkCanClick(0), 30000);
    }
    void cleanupTestCase() { shell.reset(); }

    void aBusyPageBlocksTheSwitchAndLaterPagesAreNotAsked() {
        ui::ViewMan switcher;
        auto pages = makePages({true, false, true});
        for (auto& page : pages) switcher.addView(page.get());
        QVERIFY(!switcher.checkCanClick(0));
        QCOMPARE(pages[0]->timesAsked, 1);
        QCOMPARE(pages[1]->timesAsked, 1);
        QCOMPARE(pages[2]->timesAsked, 0);
        pages[1]->canClick = true;
        QVERIFY(switcher.checkCanClick(7));
    }

    void noPagesMeansEverySwitchIsAllowedAndNullIsIgnored() {
        ui::ViewMan switcher;
        switcher.addView(nullptr);
        QVERIFY(switcher.checkCanClick(0));
        switcher.showView(0);
    }

    void showViewShowsOnlyTheMatchingPageAndAnUnknownIdHidesAll() {
        ui::ViewMan switcher;
        auto pages = makePages({true, true, true});
        for (auto& page : pages) switcher.addView(page.get());
        switcher.showView(1);
        QVERIFY(pages[0]->view.isHidden() && !pages[1]->view.isHidden() && pages[2]->view.isHidden());
        switcher.showView(42);
        for (auto& page : pages) QVERIFY(page->view.isHidden());
    }

    void theColumnStartsOnTheFirstToolInThreeGroups() {
        verifySelectedAndShown(0);
        QCOMPARE(column()->view()->geometry(), QRect(0, 0, 200, 600));
        const std::vector<QString> names{"垃圾清理", "进程管理", "软件卸载", "浏览器清理", "重复文件清理",
                                         "大文件清理", "文件擦除", "启动项", "磁盘管理", "快捷操作"};
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(column()->cells()[i]->CellName, names[i]);
            QCOMPARE(cellView(i)->height(), 36);
            QCOMPARE(cellView(i)->x(), cellView(0)->x());
        }
        for (int i : {1, 2, 3, 5, 6, 8, 9}) QCOMPARE(cellView(i)->y() - cellView(i - 1)->geometry().bottom() - 1, 2);
        // Each group's first cell starts 5 points under the header whose caption names the group.
        const std::vector<std::pair<int, QString>> groups{{0, "清理"}, {4, "工具"}, {7, "系统"}};
        for (const auto& [first, caption] : groups) {
            const QWidget* header = nullptr;
            for (const QLabel* label : column()->view()->findChildren<QLabel*>())
                if (label->text() == caption) header = label->parentWidget();
            QVERIFY(header);
            QCOMPARE(cellView(first)->y() - (header->geometry().bottom() + 1), 5);
            QCOMPARE(cellView(first)->geometry().left(), header->geometry().left());
            QCOMPARE(cellView(first)->width(), header->width());
        }
        QCOMPARE(column()->cells()[4]->CellIcon, QString("ic_duplicates"));
    }

    // Selected: white text over the selection picture; the others black on the column. Both 16.
    void onlyTheSelectedCellIsWhiteOverTheSelectionPicture() {
        click(5);
        for (int i = 0; i < 10; ++i) {
            const QLabel* name = nullptr;
            const QLabel* selection = nullptr;
            for (const QLabel* label : cellView(i)->findChildren<QLabel*>()) {
                if (label->text() == column()->cells()[i]->CellName && label->isVisibleTo(cellView(i))) name = label;
                if (label->size() == cellView(i)->size() && label->text().isEmpty()) selection = label;
            }
            QVERIFY(name && selection);
            const bool selected = i == 5;
            QCOMPARE(name->palette().color(QPalette::WindowText),
                     selected ? QColor(255, 255, 255) : QColor(0, 0, 0));
            QCOMPARE(name->font().pixelSize(), 16);
            QCOMPARE(selection->isVisibleTo(cellView(i)), selected);
        }
    }

    void onlyTheTenToolIdsMakeAPage() {
        QVERIFY(!shell->createViewWith(-1));
        QVERIFY(!shell->createViewWith(10));
    }

    void clickingEachCellShowsItsPage() {
        for (int cellID : {3, 0, 9, 4, 1, 8, 2, 7, 5, 6}) {
            click(cellID);
            verifySelectedAndShown(cellID);
        }
        click(6);
        verifySelectedAndShown(6);
    }

    void aBusyPageBlocksEveryClickIncludingTheSelectedCell() {
        click(2);
        FakePage busy(5, false);
        ui::ViewMan::returnViewMan()->addView(&busy);
        busy.view.hide();
        click(7);
        verifySelectedAndShown(2);
        click(2);
        verifySelectedAndShown(2);
        QVERIFY(busy.timesAsked >= 2);
        ui::ViewMan::returnViewMan()->removeView(&busy);
        click(7);
        verifySelectedAndShown(7);
    }

    void theOtherMouseButtonsDoNothing() {
        click(1);
        QTest::mouseClick(cellView(4), Qt::RightButton, {}, cellView(4)->rect().center());
        verifySelectedAndShown(1);
    }

    void selectingACellByIdDoesNotSwitchThePage() {
        click(0);
        column()->setSelectCellWithID(1);
        QCOMPARE(selectedCells(), std::vector<int>{1});
        QCOMPARE(dynamic_cast<ui::ViewDelegate*>(shownPages().front())->getViewID(), 0);
        ui::ViewMan::returnViewMan()->showView(1);
        verifySelectedAndShown(1);
    }
};

int main(int argc, char* argv[]) {
    ui::MyNSApplication application(argc, argv);
    ViewSwitchingTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_view_switching.moc"
