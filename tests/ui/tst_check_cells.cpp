#include "ui/kit/tables/CheckButtonCell.h"
#include "ui/kit/tables/CheckButtonCellDelegate.h"
#include "ui/kit/tables/CustomTableView.h"
#include "ui/kit/tables/ImageAndTextCell.h"
#include "ui/kit/tables/LagImageATextCell.h"
#include "ui/kit/tables/SocialOutlineView.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

constexpr int kRowHeight = 40;

QPixmap solidPicture(const QColor& color) {
    QPixmap picture(16, 16);
    picture.fill(color);
    return picture;
}

// Remembers every reported click.
class ClickRecorder : public ui::CheckButtonCellDelegate {
public:
    std::vector<QPersistentModelIndex> rows;
    ui::CheckButtonCell* lastCell = nullptr;

    void clickButtonAction(ui::CheckButtonCell* cell, const QModelIndex& row) override {
        lastCell = cell;
        rows.emplace_back(row);
    }
};

// A shown table of four rows: a narrow first column, then the check column and a name column.
struct CheckTable {
    QStandardItemModel model{4, 3};
    ui::CustomTableView view;
    ui::CheckButtonCell* cell = new ui::CheckButtonCell(&view);

    explicit CheckTable(ClickRecorder& recorder) {
        for (int row = 0; row < 4; ++row) {
            auto* box = new QStandardItem;
            box->setData(solidPicture(Qt::red), Qt::DecorationRole);
            model.setItem(row, 1, box);
            model.setItem(row, 2, new QStandardItem(QStringLiteral("item %1").arg(row)));
        }
        view.setModel(&model);
        view.verticalHeader()->setDefaultSectionSize(kRowHeight);
        view.horizontalHeader()->setMinimumSectionSize(5);
        view.setColumnWidth(0, 10);
        view.setColumnWidth(1, 60);
        view.setItemDelegateForColumn(1, cell);
        cell->setDelegate(&recorder);
        view.resize(300, 250);
        view.show();
    }

    // A point of the list's viewport, given in the list's own coordinates within a row.
    QPoint at(int x, int row, int yInRow) const {
        return QPoint(x - view.horizontalHeader()->offset(), view.rowViewportPosition(row) + yInRow);
    }
    void click(const QPoint& point) { QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, point); }
};

QImage paintCell(QAbstractItemDelegate& cell, const QModelIndex& index, const QRect& frame) {
    QImage image(frame.right() + 20, frame.bottom() + 20, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QStyleOptionViewItem option;
    option.rect = frame;
    option.font = QApplication::font();
    cell.paint(&painter, option, index);
    return image;
}

// The rows and columns of an image that hold the colour.
QRect boundsOf(const QImage& image, const QColor& color) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == color) bounds |= QRect(x, y, 1, 1);
    return bounds;
}

}  // namespace

class CheckCellsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { ui::CheckButtonCell::changeVlaue(); }

    void clickReportsTheClickedRowNotTheSelectedOne() {
        ClickRecorder recorder;
        CheckTable table(recorder);
        table.view.selectRow(3);
        table.click(table.at(30, 1, 20));
        QCOMPARE(recorder.rows.size(), size_t(1));
        QCOMPARE(recorder.rows[0].row(), 1);
        QCOMPARE(recorder.lastCell, table.cell);
    }

    void clicksWithinQuietTimeReportOnceAcrossTables() {
        ClickRecorder recorder;
        CheckTable first(recorder);
        CheckTable second(recorder);
        first.click(first.at(30, 0, 20));
        first.click(first.at(30, 2, 20));
        second.click(second.at(30, 1, 20));
        QCOMPARE(recorder.rows.size(), size_t(1));
        QTest::qWait(260);
        second.click(second.at(30, 1, 20));
        QCOMPARE(recorder.rows.size(), size_t(2));
        QCOMPARE(recorder.rows[1].model(), &second.model);
        QCOMPARE(recorder.rows[1].row(), 1);
    }

    void onlyTheSpotAtX21To41FromRowTop15To35Counts() {
        ClickRecorder recorder;
        CheckTable table(recorder);
        // All inside the check column (x 10 to 70) and the row, but off the spot.
        for (const QPoint& miss : {table.at(20, 0, 20), table.at(41, 0, 20), table.at(55, 0, 20), table.at(30, 0, 14)}) {
            table.click(miss);
            QVERIFY2(recorder.rows.empty(), qPrintable(QStringLiteral("reported at %1,%2").arg(miss.x()).arg(miss.y())));
        }
        table.click(table.at(21, 2, 15));
        QCOMPARE(recorder.rows.size(), size_t(1));
        QCOMPARE(recorder.rows[0].row(), 2);
    }

    void spotFollowsTheListWhenScrolledSideways() {
        ClickRecorder recorder;
        CheckTable table(recorder);
        table.view.setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
        table.view.setColumnWidth(2, 900);
        QApplication::processEvents();
        table.view.horizontalScrollBar()->setValue(15);
        QCOMPARE(table.view.horizontalHeader()->offset(), 15);
        table.click(table.at(45, 0, 20));  // beyond the spot, in the list's own coordinates
        QVERIFY(recorder.rows.empty());
        table.click(table.at(35, 0, 20));
        QCOMPARE(recorder.rows.size(), size_t(1));
    }

    void outlineClickCarriesTheParent() {
        ClickRecorder recorder;
        QStandardItemModel model;
        model.setColumnCount(2);
        // The check column comes first; the tree's branches show in the name column.
        auto* group = new QStandardItem;
        auto* groupName = new QStandardItem(QStringLiteral("QQ"));
        groupName->setSizeHint(QSize(100, kRowHeight));
        for (int child = 0; child < 2; ++child) {
            auto* box = new QStandardItem;
            box->setData(solidPicture(Qt::red), Qt::DecorationRole);
            auto* leaf = new QStandardItem(QStringLiteral("log %1").arg(child));
            leaf->setSizeHint(QSize(100, kRowHeight));
            group->appendRow({box, leaf});
        }
        model.appendRow({group, groupName});
        ui::SocialOutlineView outline;
        outline.setModel(&model);
        auto* cell = new ui::CheckButtonCell(&outline);
        cell->setIsQQ(true);
        cell->setDelegate(&recorder);
        outline.setItemDelegateForColumn(0, cell);
        outline.setTreePosition(1);
        outline.expandAll();
        outline.resize(400, 300);
        outline.show();
        const QModelIndex groupIndex = model.index(0, 0);
        const QRect second = outline.visualRect(model.index(1, 0, groupIndex));
        QTest::mouseClick(outline.viewport(), Qt::LeftButton, {}, QPoint(25, second.y() + 20));
        QCOMPARE(recorder.rows.size(), size_t(1));
        QCOMPARE(recorder.rows[0].row(), 1);
        QCOMPARE(recorder.rows[0].parent(), groupIndex);
    }

    void checkPictureSitsAtX23OrX19() {
        QStandardItemModel model(1, 1);
        model.setData(model.index(0, 0), solidPicture(Qt::red), Qt::DecorationRole);
        ui::CheckButtonCell cell;
        QCOMPARE(boundsOf(paintCell(cell, model.index(0, 0), QRect(60, 10, 80, 40)), Qt::red), QRect(23, 22, 16, 16));
        cell.setIsQQ(true);
        QCOMPARE(boundsOf(paintCell(cell, model.index(0, 0), QRect(60, 10, 80, 40)), Qt::red), QRect(19, 22, 16, 16));
    }

    void iconCellsPlaceIconsAndTitles() {
        QStandardItemModel model(2, 1);
        model.setData(model.index(0, 0), QStringLiteral("Name"));
        model.setData(model.index(0, 0), solidPicture(Qt::blue), Qt::DecorationRole);
        model.setData(model.index(1, 0), QStringLiteral("No icon"));
        const QRect frame(10, 20, 200, 40);
        ui::ImageAndTextCell large;
        QCOMPARE(boundsOf(paintCell(large, model.index(0, 0), frame), Qt::blue), QRect(10, 24, 32, 32));
        ui::LagImageATextCell small;
        QCOMPARE(boundsOf(paintCell(small, model.index(0, 0), frame), Qt::blue), QRect(19, 28, 22, 22));

        QCOMPARE(large.imageFrameForCellFrame(frame, model.index(0, 0)), QRectF(10, 24, 32, 32));
        QCOMPARE(small.imageFrameForCellFrame(QRectF(10, 20, 200, 41), model.index(0, 0)), QRectF(10, 30, 22, 22));
        QVERIFY(large.imageFrameForCellFrame(frame, model.index(1, 0)).isEmpty());

        const QFont font = QApplication::font();
        const qreal textHeight = QFontMetricsF(font).height();
        const QRectF bounds(45, 20, 165, 40);
        const QRectF largeTitle = large.titleRectForBounds(bounds, font);
        const QRectF smallTitle = small.titleRectForBounds(bounds, font);
        QCOMPARE(largeTitle.y(), 20 - 0.5 + (40 - textHeight) / 2);
        QCOMPARE(smallTitle.y(), 20 + (40 - textHeight) / 2);
        QCOMPARE(smallTitle.x(), largeTitle.x() + 14);

        QStyleOptionViewItem option;
        option.font = font;
        QCOMPARE(large.sizeHint(option, model.index(0, 0)).width() - large.sizeHint(option, model.index(1, 0)).width(),
                 QFontMetrics(font).horizontalAdvance("Name") - QFontMetrics(font).horizontalAdvance("No icon") + 32);
    }
};

QTEST_MAIN(CheckCellsTest)
#include "tst_check_cells.moc"
