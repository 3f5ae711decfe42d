#include "ui/kit/tables/BgTableView.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/tables/CustemOutlineView.h"
#include "ui/kit/tables/CustomHeaderCell.h"
#include "ui/kit/tables/CustomTableView.h"
#include "ui/kit/tables/FlatHeaderView.h"
#include "ui/kit/tables/NewOutlineView.h"
#include "ui/kit/tables/NewOutlineViewDelegate.h"
#include "ui/kit/tables/SocialOutlineView.h"
#include "ui/kit/looks/SystemFont.h"

#include "core/kit/CommUti.h"
#include "support/ScopedEnvironment.h"
#include "support/ScrollBarLook.h"
#include "ui/disks/DCustomTableView.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QtTest>

namespace {

const QColor kGround = getColor(254, 253, 255, 1).toRgb();
const QColor kSeparator = getColor(209, 209, 201, 1).toRgb();

// Groups "group 0" .. "group n-1", each with two children "child g.0" and "child g.1".
void fillTree(QStandardItemModel& model, int groups) {
    model.setColumnCount(2);
    model.setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Size")});
    for (int group = 0; group < groups; ++group) {
        auto* item = new QStandardItem(QStringLiteral("group %1").arg(group));
        for (int child = 0; child < 2; ++child)
            item->appendRow({new QStandardItem(QStringLiteral("child %1.%2").arg(group).arg(child)), new QStandardItem});
        model.appendRow({item, new QStandardItem});
    }
}

void fillTable(QStandardItemModel& model, int rows) {
    model.setColumnCount(2);
    model.setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Size")});
    for (int row = 0; row < rows; ++row)
        model.appendRow({new QStandardItem(QStringLiteral("row %1").arg(row)), new QStandardItem});
}

void showWith(QAbstractItemView& view, QAbstractItemModel& model) {
    view.setModel(&model);
    view.resize(300, 300);
    view.show();
}

// The colour at the far right of a row, where no text is drawn.
QColor rowColour(QAbstractItemView& view, const QRect& rowRect) {
    return view.viewport()->grab().toImage().pixelColor(view.viewport()->width() - 3, rowRect.center().y());
}

// Counts the paint events a widget receives while it lives.
class PaintCounter : public QObject {
public:
    int paints = 0;
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

class RightClickRecorder : public ui::NewOutlineViewDelegate {
public:
    std::vector<QPoint> clicks;
    void listRightMouseDown(QMouseEvent* event) override { clicks.push_back(event->position().toPoint()); }
};

}  // namespace

class TablesTest : public QObject {
    Q_OBJECT
private slots:
    void tableMarksRowNumAndHidesTheSelection() {
        QStandardItemModel model;
        fillTable(model, 4);
        ui::BgTableView table;
        showWith(table, model);
        table.setRowNum(1);
        table.selectRow(2);
        const QColor marked = getColor(255, 255, 255, 0.95).toRgb();
        const QImage picture = table.viewport()->grab().toImage();
        auto at = [&](int row) { return picture.pixelColor(table.viewport()->width() - 3, table.rowViewportPosition(row) + 5); };
        QCOMPARE(at(0), kGround);
        QVERIFY(at(1) != kGround);
        QVERIFY(qAbs(at(1).blue() - marked.blue()) <= 1 && at(1).red() >= 254 && at(1).green() >= 254);
        QCOMPARE(at(2), kGround);
        QCOMPARE(table.horizontalHeader()->height(), 26);
    }

    // Every page's list draws its scroll bar's knob dark on a light track, where the list is.
    void everyListsScrollBarShowsItsKnobWhereTheListIs() {
        QStandardItemModel table;
        fillTable(table, 30);
        QStandardItemModel tree;
        fillTree(tree, 10);
        ui::CustomTableView custom;
        ui::BgTableView background;
        ui::DCustomTableView disks;
        ui::NewOutlineView outline;
        ui::SocialOutlineView social;
        ui::CustemOutlineView custem;
        const std::vector<std::pair<QAbstractItemView*, QAbstractItemModel*>> lists = {
            {&custom, &table}, {&background, &table}, {&disks, &table}, {&outline, &tree}, {&social, &tree}, {&custem, &tree}};
        for (const auto& [list, model] : lists) {
            showWith(*list, *model);
            if (auto* tree = qobject_cast<QTreeView*>(list)) tree->expandAll();
            QVERIFY(QTest::qWaitForWindowExposed(list));
            QScrollBar& bar = *list->verticalScrollBar();
            QTRY_VERIFY(bar.isVisible());
            QVERIFY2(testsupport::knobShowsAtTop(bar), list->metaObject()->className());
            list->scrollToBottom();
            QCOMPARE(bar.value(), bar.maximum());
            QVERIFY2(testsupport::knobShowsAtBottom(bar), list->metaObject()->className());
        }
    }

    void outlineRowNumCountsShownRows() {
        QStandardItemModel model;
        fillTree(model, 3);
        ui::NewOutlineView outline;
        showWith(outline, model);
        outline.expand(model.index(0, 0));
        QCOMPARE(outline.rowForItem(model.index(0, 0)), 0);
        QCOMPARE(outline.rowForItem(model.index(1, 0, model.index(0, 0))), 2);
        QCOMPARE(outline.rowForItem(model.index(1, 1)), 3);
        QCOMPARE(outline.rowForItem(model.index(0, 0, model.index(1, 0))), -1);  // inside a collapsed group
        QCOMPARE(outline.itemAtRow(3), model.index(1, 0));
        QVERIFY(!outline.itemAtRow(5).isValid());

        outline.setRowNum(2);
        outline.selectionModel()->select(model.index(1, 0), QItemSelectionModel::Rows | QItemSelectionModel::Select);
        QVERIFY(rowColour(outline, outline.visualRect(model.index(1, 0, model.index(0, 0)))) != kGround);
        QCOMPARE(rowColour(outline, outline.visualRect(model.index(1, 0))), kGround);
        // The mark stays on the row, whatever item comes to stand there.
        outline.collapse(model.index(0, 0));
        QVERIFY(rowColour(outline, outline.visualRect(model.index(2, 0))) != kGround);
    }

    void onlySocialOutlineRedrawsWhenRowNumIsSet() {
        QStandardItemModel model;
        fillTree(model, 3);
        ui::SocialOutlineView social;
        ui::NewOutlineView plain;
        for (ui::FlatOutlineView* outline : {static_cast<ui::FlatOutlineView*>(&social), static_cast<ui::FlatOutlineView*>(&plain)}) {
            showWith(*outline, model);
            QVERIFY(QTest::qWaitForWindowExposed(outline));
        }
        QTest::qWait(20);
        PaintCounter socialPaints(social.viewport());
        PaintCounter plainPaints(plain.viewport());
        social.setRowNum(1);
        plain.setRowNum(1);
        QTest::qWait(20);
        QVERIFY(socialPaints.paints > 0);
        QCOMPARE(plainPaints.paints, 0);
        QCOMPARE(rowColour(social, social.visualRect(model.index(1, 0))), getColor(237, 237, 237, 1).toRgb());
    }

    void custemOutlineFillsTheSelectedRowBlue() {
        QStandardItemModel model;
        fillTree(model, 3);
        ui::CustemOutlineView outline;
        showWith(outline, model);
        outline.setRowNum(0);
        outline.setCurrentIndex(model.index(2, 0));
        QCOMPARE(rowColour(outline, outline.visualRect(model.index(2, 0))), getColor(61, 142, 237, 1).toRgb());
        QCOMPARE(rowColour(outline, outline.visualRect(model.index(0, 0))), kGround);
    }

    void rightClickGoesOnlyToTheDelegate() {
        QStandardItemModel model;
        fillTree(model, 3);
        ui::NewOutlineView outline;
        showWith(outline, model);
        const QPoint onSecondRow = outline.visualRect(model.index(1, 0)).center();
        QTest::mouseClick(outline.viewport(), Qt::RightButton, {}, onSecondRow);
        QVERIFY(!outline.selectionModel()->hasSelection());

        RightClickRecorder recorder;
        outline.setADelegate(&recorder);
        QTest::mouseClick(outline.viewport(), Qt::RightButton, {}, onSecondRow);
        QCOMPARE(recorder.clicks.size(), size_t(1));
        QCOMPARE(outline.indexAt(recorder.clicks[0]), model.index(1, 0));
        QVERIFY(!outline.selectionModel()->hasSelection());
        QTest::mouseClick(outline.viewport(), Qt::LeftButton, {}, onSecondRow);
        QCOMPARE(recorder.clicks.size(), size_t(1));
        QVERIFY(outline.selectionModel()->isRowSelected(1, QModelIndex()));
    }

    void separatorsOnlyBetween45And400Points() {
        QCOMPARE(ui::CustomHeaderCell::hasSeparator(45), false);
        QCOMPARE(ui::CustomHeaderCell::hasSeparator(46), true);
        QCOMPARE(ui::CustomHeaderCell::hasSeparator(399), true);
        QCOMPARE(ui::CustomHeaderCell::hasSeparator(400), false);

        QStandardItemModel model(1, 5);
        ui::CustomTableView table;
        table.setModel(&model);
        table.horizontalHeader()->setMinimumSectionSize(10);
        const int widths[] = {60, 45, 46, 400, 399};
        for (int column = 0; column < 5; ++column) table.setColumnWidth(column, widths[column]);
        table.resize(1100, 100);
        table.show();
        QHeaderView* header = table.horizontalHeader();
        const QImage picture = header->grab().toImage();
        auto separatorBefore = [&](int column) {
            return picture.pixelColor(header->sectionViewportPosition(column) - 2, 13) == kSeparator;
        };
        QVERIFY(!separatorBefore(1));  // 45 wide
        QVERIFY(separatorBefore(2));   // 46 wide
        QVERIFY(!separatorBefore(3));  // 400 wide
        QVERIFY(separatorBefore(4));   // 399 wide
        QCOMPARE(picture.pixelColor(header->sectionViewportPosition(2) - 2, 2), kGround);
    }

    void sortTriangleShowsOnlyOnTheSortKey() {
        QStandardItemModel model;
        fillTable(model, 1);
        ui::CustomTableView table;
        showWith(table, model);
        table.setColumnWidth(0, 100);
        table.setColumnWidth(1, 100);
        auto* header = table.headerView();
        header->setSortIndicatorShown(true);
        header->setSortIndicator(1, Qt::AscendingOrder);
        QImage picture = header->grab().toImage();
        // The triangle's left corner is 12 points in from the right edge, its base 10 points from
        // the bottom (ascending, pointing up) or from the top (descending, pointing down).
        const int cornerX = header->sectionViewportPosition(1) + 100 - 12 + 1;
        QCOMPARE(picture.pixelColor(cornerX, 26 - 11), QColor(Qt::white));
        QCOMPARE(picture.pixelColor(cornerX, 10), kGround);
        QCOMPARE(picture.pixelColor(cornerX - 100, 26 - 11), kGround);
        QCOMPARE(header->headerCell(1)->priority(), 0);
        QCOMPARE(header->headerCell(0)->priority(), 1);
        header->setSortIndicator(1, Qt::DescendingOrder);
        picture = header->grab().toImage();
        QCOMPARE(picture.pixelColor(cornerX, 10), QColor(Qt::white));
        QCOMPARE(picture.pixelColor(cornerX, 26 - 11), kGround);
        QVERIFY(!header->headerCell(1)->isAscending());
        header->setSortIndicatorShown(false);
        picture = header->grab().toImage();
        QCOMPARE(picture.pixelColor(cornerX, 10), kGround);
    }

    void storedLightFontMakesTitlesBlackAt12Points() {
        testsupport::ScopedEnvironment environment;
        QVERIFY(core::CommUti::writLightFont("DejaVu Sans"));
        QStandardItemModel model;
        fillTable(model, 1);
        model.setHeaderData(1, Qt::Horizontal, QColor(Qt::darkRed), Qt::ForegroundRole);
        model.setHeaderData(1, Qt::Horizontal, int(Qt::AlignRight), Qt::TextAlignmentRole);
        ui::CustomTableView table;
        table.setModel(&model);
        const ui::HeaderTitle& title = table.headerView()->headerCell(1)->title();
        QCOMPARE(title.font, ui::fontWithName("DejaVu Sans", 12));
        QCOMPARE(title.color, QColor(Qt::black));
        QCOMPARE(title.alignment, Qt::Alignment(Qt::AlignRight));
        QCOMPARE(title.text, QStringLiteral("Size"));
    }

    void withoutLightFontTitlesKeepTheirFontColourAndAlignment() {
        testsupport::ScopedEnvironment environment;
        QStandardItemModel model;
        fillTable(model, 1);
        QFont own = QApplication::font();
        own.setItalic(true);
        model.setHeaderData(1, Qt::Horizontal, own, Qt::FontRole);
        model.setHeaderData(1, Qt::Horizontal, QColor(Qt::darkRed), Qt::ForegroundRole);
        model.setHeaderData(1, Qt::Horizontal, int(Qt::AlignRight), Qt::TextAlignmentRole);
        ui::CustomTableView table;
        table.setModel(&model);
        const ui::HeaderTitle& title = table.headerView()->headerCell(1)->title();
        QCOMPARE(title.text, QStringLiteral("Size"));
        QCOMPARE(title.font, own);
        QCOMPARE(title.color, QColor(Qt::darkRed));
        QCOMPARE(title.alignment, Qt::Alignment(Qt::AlignRight));
        QCOMPARE(table.headerView()->headerCell(0)->title().alignment, Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));

        model.setHeaderData(1, Qt::Horizontal, QStringLiteral("大小"));
        QCOMPARE(table.headerView()->headerCell(1)->title().text, QStringLiteral("大小"));
    }
};

QTEST_MAIN(TablesTest)
#include "tst_tables.moc"
