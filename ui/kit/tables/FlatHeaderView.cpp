#include "ui/kit/tables/FlatHeaderView.h"

#include <QPainter>

namespace ui {

FlatHeaderView::FlatHeaderView(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setFixedHeight(kHeight);
}

void FlatHeaderView::setModel(QAbstractItemModel* newModel) {
    if (model()) disconnect(model(), nullptr, this, nullptr);
    QHeaderView::setModel(newModel);
    if (newModel) {
        connect(newModel, &QAbstractItemModel::headerDataChanged, this, &FlatHeaderView::setupHeaderCells);
        connect(newModel, &QAbstractItemModel::columnsInserted, this, &FlatHeaderView::setupHeaderCells);
        connect(newModel, &QAbstractItemModel::columnsRemoved, this, &FlatHeaderView::setupHeaderCells);
        connect(newModel, &QAbstractItemModel::modelReset, this, &FlatHeaderView::setupHeaderCells);
        connect(newModel, &QAbstractItemModel::layoutChanged, this, &FlatHeaderView::setupHeaderCells);
    }
    setupHeaderCells();
}

QSize FlatHeaderView::sizeHint() const { return QSize(QHeaderView::sizeHint().width(), kHeight); }

HeaderTitle FlatHeaderView::currentTitle(int logicalIndex) const {
    HeaderTitle title{QString(), font(), palette().color(QPalette::ButtonText), defaultAlignment()};
    const QAbstractItemModel* source = model();
    if (!source) return title;
    title.text = source->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString();
    const QVariant font = source->headerData(logicalIndex, orientation(), Qt::FontRole);
    if (font.canConvert<QFont>()) title.font = font.value<QFont>();
    const QVariant color = source->headerData(logicalIndex, orientation(), Qt::ForegroundRole);
    if (color.canConvert<QBrush>()) title.color = color.value<QBrush>().color();
    const QVariant alignment = source->headerData(logicalIndex, orientation(), Qt::TextAlignmentRole);
    if (alignment.isValid()) title.alignment = Qt::Alignment(alignment.toInt());
    return title;
}

void FlatHeaderView::setupHeaderCells() {
    cells.clear();
    for (int column = 0; column < count(); ++column) cells.emplace_back(currentTitle(column));
    viewport()->update();
}

void FlatHeaderView::applySortIndicator() {
    const int sortKey = isSortIndicatorShown() ? sortIndicatorSection() : -1;
    const bool ascending = sortIndicatorOrder() == Qt::AscendingOrder;
    for (int column = 0; column < int(cells.size()); ++column)
        cells[column].setSortAscending(ascending, column == sortKey ? 0 : 1);
}

const CustomHeaderCell* FlatHeaderView::headerCell(int logicalIndex) const {
    if (logicalIndex < 0 || logicalIndex >= int(cells.size())) return nullptr;
    return &cells[logicalIndex];
}

void FlatHeaderView::paintEvent(QPaintEvent* event) {
    applySortIndicator();
    QHeaderView::paintEvent(event);
}

void FlatHeaderView::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    if (const CustomHeaderCell* cell = headerCell(logicalIndex)) cell->drawWithFrame(*painter, rect);
}

}  // namespace ui
