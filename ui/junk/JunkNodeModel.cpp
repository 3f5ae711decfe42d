#include "ui/junk/JunkNodeModel.h"

#include "platform/files/FolderLister.h"
#include "ui/kit/looks/ImageNamed.h"
#include "ui/kit/desktop/WorkspaceIcon.h"

#include <QSize>

namespace ui {

using core::junk::TCTreeNode;

JunkNodeModel::JunkNodeModel(bool outline, QObject* parent) : QAbstractItemModel(parent), isOutline(outline) {}

void JunkNodeModel::setRootNode(TCTreeNode* node) {
    beginResetModel();
    root = node;
    endResetModel();
}

void JunkNodeModel::refreshStates() {
    const int rows = rowCount();
    if (rows > 0) emit dataChanged(index(0, 0), index(rows - 1, ColumnCount - 1));
}

void JunkNodeModel::refreshStates(const QModelIndexList& shownRows) {
    for (const QModelIndex& row : shownRows) emit dataChanged(row.siblingAtColumn(0), row.siblingAtColumn(ColumnCount - 1));
}

TCTreeNode* JunkNodeModel::nodeAt(const QModelIndex& index) {
    return index.isValid() ? static_cast<TCTreeNode*>(index.internalPointer()) : nullptr;
}

TCTreeNode* JunkNodeModel::nodeOf(const QModelIndex& index) const { return index.isValid() ? nodeAt(index) : root; }

QString JunkNodeModel::checkImageName(int32_t state, bool outline) {
    if (state == 1) return QStringLiteral("checkbox-checked");
    if (state == 2 && outline) return QStringLiteral("checkbox-halfchecked");
    return QStringLiteral("checkbox-unsel");
}

QModelIndex JunkNodeModel::index(int row, int column, const QModelIndex& parent) const {
    const TCTreeNode* node = nodeOf(parent);
    if (!node || row < 0 || column < 0 || column >= ColumnCount) return {};
    if (row >= static_cast<int>(node->detailChildren.size())) return {};
    return createIndex(row, column, node->detailChildren[row].get());
}

QModelIndex JunkNodeModel::parent(const QModelIndex& child) const {
    const TCTreeNode* node = nodeAt(child);
    if (!node || !node->parentNode || node->parentNode == root) return {};
    TCTreeNode* parentNode = node->parentNode;
    const auto& siblings = parentNode->parentNode->detailChildren;
    for (size_t row = 0; row < siblings.size(); ++row)
        if (siblings[row].get() == parentNode) return createIndex(static_cast<int>(row), 0, parentNode);
    return {};
}

int JunkNodeModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() && (!isOutline || parent.column() != 0)) return 0;
    const TCTreeNode* node = nodeOf(parent);
    return node ? static_cast<int>(node->detailChildren.size()) : 0;
}

int JunkNodeModel::columnCount(const QModelIndex&) const { return ColumnCount; }

QVariant JunkNodeModel::data(const QModelIndex& index, int role) const {
    const TCTreeNode* node = nodeAt(index);
    if (!node) return {};
    switch (role) {
        case Qt::DisplayRole:
            if (index.column() == Name) return QString::fromStdString(node->title);
            if (index.column() == Size) return QString::fromStdString(node->size);
            return {};
        case Qt::DecorationRole: return decoration(*node, index.column());
        case Qt::SizeHintRole: return QSize(-1, kRowHeight);
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::Alignment(Qt::AlignVCenter | Qt::AlignLeft));
        default: return {};
    }
}

QVariant JunkNodeModel::decoration(const TCTreeNode& node, int column) const {
    switch (column) {
        case CheckBox: return imageNamed(checkImageName(node.selectState, isOutline));
        case Name:
            // In the outline an entry's icon is its path's, a node with children shows its own.
            if (isOutline && !node.hasChildren() && !node.path.empty())
                return iconForFile(QString::fromStdString(node.path));
            return iconFor(node.image);
        case Open:
            // An item gone since the scan has nothing left to open.
            if (node.path.empty() || !platform::FolderLister::entryAt(node.path)) return {};
            return imageNamed(QStringLiteral("ic_open"));
        default: return {};
    }
}

QVariant JunkNodeModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
        case Name: return QStringLiteral("名称");
        case Size: return QStringLiteral("大小");
        case Open: return QStringLiteral("查看");
        default: return QString();
    }
}

Qt::ItemFlags JunkNodeModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace ui
