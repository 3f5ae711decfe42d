#include "ui/kit/tables/CustomTableView.h"

#include "ui/kit/tables/FlatHeaderView.h"
#include "ui/kit/tables/FlatListLook.h"
#include "ui/kit/tables/RowFill.h"

#include <QItemSelectionModel>
#include <QPainter>

namespace ui {

CustomTableView::CustomTableView(QWidget* parent) : QTableView(parent), header(new FlatHeaderView(this)) {
    setHorizontalHeader(header);
    verticalHeader()->hide();
    setShowGrid(false);
    useFlatListLook(*this);
}

void CustomTableView::marksCurrentRow() {
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& current) {
        setRowNum(current.row());
        viewport()->update();
    });
}

void CustomTableView::_setupHeaderCell() { header->setupHeaderCells(); }

void CustomTableView::paintEvent(QPaintEvent* event) {
    fillRows();
    QTableView::paintEvent(event);
}

// Each visible row is filled across the whole width before its cells draw.
void CustomTableView::fillRows() {
    if (!model()) return;
    const int first = rowAt(0);
    if (first < 0) return;
    int last = rowAt(viewport()->height() - 1);
    if (last < 0) last = model()->rowCount(rootIndex()) - 1;
    QPainter painter(viewport());
    for (int row = first; row <= last; ++row) {
        if (isRowHidden(row)) continue;
        const QRect rowRect(0, rowViewportPosition(row), viewport()->width(), rowHeight(row));
        painter.fillRect(rowRect, row == markedRow ? markedRowColor() : rowGroundColor());
    }
}

}  // namespace ui
