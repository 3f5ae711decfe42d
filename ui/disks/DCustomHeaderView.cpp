#include "ui/disks/DCustomHeaderView.h"

#include <QPainter>

namespace ui {

DCustomHeaderView::DCustomHeaderView(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setSectionsClickable(false);
    setHighlightSections(false);
    setFixedHeight(kHeight);
}

void DCustomHeaderView::setModel(QAbstractItemModel* newModel) {
    QHeaderView::setModel(newModel);
    setupHeaderCells();
    if (newModel) connect(newModel, &QAbstractItemModel::headerDataChanged, this, &DCustomHeaderView::setupHeaderCells);
}

QSize DCustomHeaderView::sizeHint() const { return QSize(QHeaderView::sizeHint().width(), kHeight); }

void DCustomHeaderView::setupHeaderCells() {
    cells.clear();
    if (!model()) return;
    for (int column = 0; column < model()->columnCount(); ++column)
        cells.emplace_back(model()->headerData(column, Qt::Horizontal).toString());
    viewport()->update();
}

const DCustomHeaderCell* DCustomHeaderView::headerCell(int logicalIndex) const {
    if (logicalIndex < 0 || logicalIndex >= static_cast<int>(cells.size())) return nullptr;
    return &cells[logicalIndex];
}

void DCustomHeaderView::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    if (const DCustomHeaderCell* cell = headerCell(logicalIndex)) cell->drawWithFrame(*painter, rect);
}

}  // namespace ui
