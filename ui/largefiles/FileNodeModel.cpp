#include "ui/largefiles/FileNodeModel.h"

#include "core/kit/CommUti.h"
#include "platform/files/PathText.h"
#include "ui/kit/desktop/WorkspaceIcon.h"
#include "ui/kit/looks/ImageNamed.h"

#include <QSize>

namespace ui {

using core::largefiles::FileNode;
using core::largefiles::FileNodeTree;

QString FileNodeModel::checkImageName(int64_t state) {
    if (state == FileNode::Ticked) return QStringLiteral("checkbox-checked");
    if (state == FileNode::PartlyTicked) return QStringLiteral("checkbox-halfchecked");
    return QStringLiteral("checkbox-unsel");
}

FileNodeModel::FileNodeModel(QObject* parent) : QAbstractItemModel(parent) {}

void FileNodeModel::setTree(std::shared_ptr<FileNodeTree> tree) {
    beginResetModel();
    levels_.clear();
    tree_ = std::move(tree);
    endResetModel();
}

void FileNodeModel::reset() {
    beginResetModel();
    levels_.clear();
    if (tree_) tree_->releaseRetiredNodes();
    endResetModel();
}

FileNode* FileNodeModel::nodeAt(const QModelIndex& index) {
    return index.isValid() ? static_cast<FileNode*>(index.internalPointer()) : nullptr;
}

const FileNodeModel::Level& FileNodeModel::levelBelow(const FileNode* parent, int parentRow) const {
    auto found = levels_.find(parent);
    if (found != levels_.end()) return found->second;
    Level level;
    if (tree_) level.rows = tree_->childRows(parent);
    level.parentRow = parentRow;
    return levels_.emplace(parent, std::move(level)).first->second;
}

const FileNodeTree::Row* FileNodeModel::rowOf(const QModelIndex& index) const {
    const FileNode* node = nodeAt(index);
    if (!node) return nullptr;
    auto level = levels_.find(node->father());
    if (level == levels_.end() || index.row() >= static_cast<int>(level->second.rows.size())) return nullptr;
    const FileNodeTree::Row& row = level->second.rows[index.row()];
    return row.node == node ? &row : nullptr;
}

QModelIndex FileNodeModel::indexOfNode(const FileNode* node) const {
    if (!node) return {};
    auto level = levels_.find(node->father());
    if (level == levels_.end()) return {};
    const auto& rows = level->second.rows;
    for (size_t row = 0; row < rows.size(); ++row)
        if (rows[row].node == node) return createIndex(static_cast<int>(row), 0, rows[row].node);
    return {};
}

bool FileNodeModel::isExpandable(const FileNodeTree::Row& row) {
    if (row.childCount == 0) return false;
    const std::string& name = row.node->name();
    return !platform::endsWith(name, ".app") && !platform::endsWith(name, ".framework");
}

bool FileNodeModel::isExpandable(const QModelIndex& index) const {
    const FileNodeTree::Row* row = rowOf(index);
    return row && isExpandable(*row);
}

std::vector<QModelIndex> FileNodeModel::expandedRows(const QModelIndex& parent) const {
    std::vector<QModelIndex> expanded;
    if (parent.isValid() && (parent.column() != 0 || !isExpandable(parent))) return expanded;
    const Level& level = levelBelow(nodeAt(parent), parent.row());
    for (size_t row = 0; row < level.rows.size(); ++row) {
        const FileNodeTree::Row& each = level.rows[row];
        if (isExpandable(each) && each.node->isExpand())
            expanded.push_back(createIndex(static_cast<int>(row), 0, each.node));
    }
    return expanded;
}

QString FileNodeModel::pathOf(const QModelIndex& index) const {
    const FileNode* node = nodeAt(index);
    return node && tree_ ? QString::fromStdString(tree_->pathOf(node)) : QString();
}

QModelIndex FileNodeModel::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || column < 0 || column >= ColumnCount || (parent.isValid() && parent.column() != 0)) return {};
    const Level& level = levelBelow(nodeAt(parent), parent.row());
    if (row >= static_cast<int>(level.rows.size())) return {};
    return createIndex(row, column, level.rows[row].node);
}

QModelIndex FileNodeModel::parent(const QModelIndex& child) const {
    const FileNode* node = nodeAt(child);
    if (!node || !node->father()) return {};
    auto level = levels_.find(node->father());
    if (level == levels_.end()) return {};
    return createIndex(level->second.parentRow, 0, node->father());
}

int FileNodeModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() && (parent.column() != 0 || !isExpandable(parent))) return 0;
    return static_cast<int>(levelBelow(nodeAt(parent), parent.row()).rows.size());
}

int FileNodeModel::columnCount(const QModelIndex&) const { return ColumnCount; }

// Answered from the folder's own row, so asking never reads the level below.
bool FileNodeModel::hasChildren(const QModelIndex& parent) const {
    return parent.isValid() ? parent.column() == 0 && isExpandable(parent) : rowCount() > 0;
}

QVariant FileNodeModel::data(const QModelIndex& index, int role) const {
    const FileNodeTree::Row* row = rowOf(index);
    if (!row) return {};
    switch (role) {
        case Qt::DisplayRole:
            if (index.column() == Name) return QString::fromStdString(row->node->displayName());
            if (index.column() == Size) return QString::fromStdString(core::CommUti::convertVolSpace(row->size));
            if (index.column() == Path) return pathOf(index);
            return {};
        case Qt::ToolTipRole: return index.column() == Path || index.column() == Name ? pathOf(index) : QVariant();
        case Qt::DecorationRole: return decoration(index);
        case Qt::SizeHintRole: return QSize(-1, kRowHeight);
        case Qt::TextAlignmentRole: return QVariant::fromValue(Qt::Alignment(Qt::AlignVCenter | Qt::AlignLeft));
        default: return {};
    }
}

QVariant FileNodeModel::decoration(const QModelIndex& index) const {
    const FileNode& node = *nodeAt(index);
    switch (index.column()) {
        case CheckBox: return node.isSystemFile() ? QVariant() : QVariant(imageNamed(checkImageName(node.state())));
        case Name: return iconForFile(pathOf(index));
        case OpenFinder: return imageNamed(QStringLiteral("ic_open"));
        case Pareview: return node.isDirectory() ? QVariant() : QVariant(imageNamed(QStringLiteral("open_icon")));
        default: return {};
    }
}

QVariant FileNodeModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
        case Name: return QStringLiteral("名称");
        case Size: return QStringLiteral("大小");
        case Path: return QStringLiteral("路径");
        case OpenFinder: return QStringLiteral("查看");
        case Pareview: return QStringLiteral("预览");
        default: return QString();
    }
}

Qt::ItemFlags FileNodeModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace ui
