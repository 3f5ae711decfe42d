#include "ui/largefiles/LagFileOutlineView.h"

#include "platform/files/PathText.h"
#include "ui/kit/tables/CheckButtonCell.h"
#include "ui/kit/tables/LagImageATextCell.h"
#include "ui/kit/tables/OpenButtonCell.h"
#include "ui/largefiles/FileNodeModel.h"

#include <QScrollBar>

namespace ui {

using core::largefiles::FileNode;

LagFileOutlineView::LagFileOutlineView(CheckButtonCellDelegate* checkDelegate, QWidget* parent)
    : NewOutlineView(parent), fileModel(new FileNodeModel(this)) {
    setModel(fileModel);
    auto* check = new CheckButtonCell(this);
    check->setDelegate(checkDelegate);
    setItemDelegateForColumn(FileNodeModel::CheckBox, check);
    setItemDelegateForColumn(FileNodeModel::Name, new LagImageATextCell(this));
    setItemDelegateForColumn(FileNodeModel::Size, new FlatItemDelegate(this));
    setItemDelegateForColumn(FileNodeModel::Path, new FlatItemDelegate(this));
    setItemDelegateForColumn(FileNodeModel::OpenFinder, new OpenButtonCell(this));
    setItemDelegateForColumn(FileNodeModel::Pareview, new OpenButtonCell(this));
    setTreePosition(FileNodeModel::Name);
    setUniformRowHeights(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideMiddle);
    const int widths[] = {44, 226, 90, 240, 44, 44};
    for (int column = 0; column < FileNodeModel::ColumnCount; ++column) setColumnWidth(column, widths[column]);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &LagFileOutlineView::highlight);
}

void LagFileOutlineView::setTree(std::shared_ptr<core::largefiles::FileNodeTree> tree) {
    clearHighlight();
    fileModel->setTree(std::move(tree));
}

void LagFileOutlineView::highlight(const QModelIndex& current) {
    if (restoring || !current.isValid()) return;
    highlightedPath = fileModel->pathOf(current).toStdString();
    setRowNum(rowForItem(current));
    viewport()->update();
}

void LagFileOutlineView::clearHighlight() {
    highlightedPath.clear();
    setRowNum(-1);
    viewport()->update();
}

void LagFileOutlineView::refresh() {
    const int scrolled = verticalScrollBar()->value();
    fileModel->reset();
    restoring = true;
    reexpandBelow(QModelIndex());
    const QModelIndex highlighted = indexOfPath(highlightedPath);
    setRowNum(highlighted.isValid() ? rowForItem(highlighted) : -1);
    if (highlighted.isValid()) selectionModel()->setCurrentIndex(highlighted, QItemSelectionModel::NoUpdate);
    doItemsLayout();
    verticalScrollBar()->setValue(scrolled);
    restoring = false;
}

void LagFileOutlineView::reexpandBelow(const QModelIndex& parent) {
    const bool wasRestoring = restoring;
    restoring = true;
    for (const QModelIndex& index : fileModel->expandedRows(parent)) {
        expand(index);
        reexpandBelow(index);
    }
    restoring = wasRestoring;
}

QModelIndex LagFileOutlineView::indexOfPath(const std::string& path) const {
    const auto& tree = fileModel->tree();
    if (path.empty() || !tree) return {};
    const std::string& top = tree->topFolder();
    if (path == top || !platform::isInsideOrEqual(path, top)) return {};
    QModelIndex found;
    for (size_t begin = top == "/" ? 1 : top.size() + 1; begin <= path.size();) {
        const size_t end = std::min(path.find('/', begin), path.size());
        const std::string name = path.substr(begin, end - begin);
        if (found.isValid() && !isExpanded(found)) return {};
        QModelIndex next;
        const int rows = fileModel->rowCount(found);
        for (int row = 0; row < rows && !next.isValid(); ++row) {
            const QModelIndex candidate = fileModel->index(row, 0, found);
            if (FileNodeModel::nodeAt(candidate)->name() == name) next = candidate;
        }
        if (!next.isValid()) return {};
        found = next;
        begin = end + 1;
    }
    return found;
}

}  // namespace ui
