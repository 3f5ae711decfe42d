#include "ui/duplicates/DuplicateOutlineModel.h"

#include "core/kit/CommUti.h"
#include "ui/kit/desktop/WorkspaceIcon.h"
#include "ui/kit/looks/ImageNamed.h"

#include <QDateTime>
#include <QLocale>
#include <QSize>

namespace ui {

using core::SimpleNodeData;
using core::TreeNode;

namespace {

QString dateText(const SimpleNodeData::Date& date) {
    const auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(date.time_since_epoch()).count();
    return QLocale().toString(QDateTime::fromMSecsSinceEpoch(milliseconds), QLocale::ShortFormat);
}

}  // namespace

DuplicateOutlineModel::DuplicateOutlineModel(QObject* parent) : QAbstractItemModel(parent) {}

void DuplicateOutlineModel::setRootNode(const Node& node) {
    beginResetModel();
    root = node;
    indexGroups();
    endResetModel();
}

void DuplicateOutlineModel::refreshStates(const QModelIndexList& shownRows) {
    for (const QModelIndex& row : shownRows) emit dataChanged(row.siblingAtColumn(0), row.siblingAtColumn(ColumnCount - 1));
}

void DuplicateOutlineModel::sortRows(const std::function<void()>& sort) {
    emit layoutAboutToBeChanged();
    const QModelIndexList before = persistentIndexList();
    std::vector<std::pair<const TreeNode*, int>> nodes;
    for (const QModelIndex& item : before) nodes.emplace_back(nodeAt(item), item.column());
    sort();
    indexGroups();
    QModelIndexList after;
    for (const auto& [node, column] : nodes) after.append(indexOfNode(node, column));
    changePersistentIndexList(before, after);
    emit layoutChanged();
}

void DuplicateOutlineModel::removeCopy(const Node& copy, const std::function<void()>& remove) {
    const Node group = copy->nodeParent();
    const QModelIndex groupIndex = indexOfNode(group.get());
    const int row = groupIndex.isValid() ? static_cast<int>(group->indexOfChild(copy.get()).value_or(0)) : -1;
    if (row < 0) {
        remove();
        return;
    }
    beginRemoveRows(groupIndex, row, row);
    remove();
    endRemoveRows();
}

void DuplicateOutlineModel::removeGroup(const Node& group, const std::function<void()>& remove) {
    const QModelIndex groupIndex = indexOfNode(group.get());
    if (!groupIndex.isValid()) {
        remove();
        indexGroups();
        return;
    }
    beginRemoveRows(QModelIndex(), groupIndex.row(), groupIndex.row());
    remove();
    indexGroups();
    endRemoveRows();
}

void DuplicateOutlineModel::indexGroups() {
    groupRows.clear();
    if (!root) return;
    const auto& groups = root->children();
    for (std::size_t row = 0; row < groups.size(); ++row) groupRows[groups[row].get()] = static_cast<int>(row);
}

TreeNode* DuplicateOutlineModel::nodeAt(const QModelIndex& index) {
    return index.isValid() ? static_cast<TreeNode*>(index.internalPointer()) : nullptr;
}

SimpleNodeData* DuplicateOutlineModel::dataAt(const QModelIndex& index) {
    const TreeNode* node = nodeAt(index);
    return node ? node->dataAs<SimpleNodeData>() : nullptr;
}

QModelIndex DuplicateOutlineModel::indexOfNode(const TreeNode* node, int column) const {
    if (!node || !root) return {};
    const auto group = groupRows.find(node);
    if (group != groupRows.end()) return createIndex(group->second, column, const_cast<TreeNode*>(node));
    const Node parentNode = node->nodeParent();
    if (!parentNode || !groupRows.count(parentNode.get())) return {};
    const std::optional<std::size_t> row = parentNode->indexOfChild(node);
    return row ? createIndex(static_cast<int>(*row), column, const_cast<TreeNode*>(node)) : QModelIndex();
}

QString DuplicateOutlineModel::checkImageName(std::int32_t state) {
    if (state == 1) return QStringLiteral("checkbox-checked");
    if (state == 2) return QStringLiteral("checkbox-halfchecked");
    return QStringLiteral("checkbox-unsel");
}

QModelIndex DuplicateOutlineModel::index(int row, int column, const QModelIndex& parent) const {
    const TreeNode* node = parent.isValid() ? nodeAt(parent) : root.get();
    if (!node || row < 0 || column < 0 || column >= ColumnCount) return {};
    if (row >= static_cast<int>(node->numberOfChildren())) return {};
    return createIndex(row, column, node->children()[static_cast<std::size_t>(row)].get());
}

QModelIndex DuplicateOutlineModel::parent(const QModelIndex& child) const {
    const TreeNode* node = nodeAt(child);
    if (!node || groupRows.count(node)) return {};
    const Node group = node->nodeParent();
    return group ? indexOfNode(group.get()) : QModelIndex();
}

int DuplicateOutlineModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) return root ? static_cast<int>(root->numberOfChildren()) : 0;
    if (parent.column() != 0 || !groupRows.count(nodeAt(parent))) return 0;
    return static_cast<int>(nodeAt(parent)->numberOfChildren());
}

int DuplicateOutlineModel::columnCount(const QModelIndex&) const { return ColumnCount; }

QVariant DuplicateOutlineModel::data(const QModelIndex& index, int role) const {
    const TreeNode* node = nodeAt(index);
    const SimpleNodeData* item = dataAt(index);
    if (!node || !item) return {};
    switch (role) {
        case Qt::DisplayRole:
            switch (index.column()) {
                case NameColumn:
                    return QString::fromStdString(item->name);
                case allSelectNum:
                    return item->isGroup() ? QString::fromStdString(item->showSelectNumStr) : QString();
                case FileSize:
                    return QString::fromStdString(core::CommUti::convertVolSpace(item->fileSize));
                case ModifyDate:
                    return item->isLeaf && item->ModificationDate ? dateText(*item->ModificationDate) : QString();
                default:
                    return {};
            }
        case Qt::ToolTipRole:
            return index.column() == NameColumn ? QString::fromStdString(item->name) : QVariant();
        case Qt::DecorationRole:
            return decoration(*node, *item, index.column());
        case Qt::SizeHintRole:
            return QSize(-1, kRowHeight);
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::Alignment(Qt::AlignVCenter | Qt::AlignLeft));
        default:
            return {};
    }
}

QVariant DuplicateOutlineModel::decoration(const TreeNode& node, const SimpleNodeData& item, int column) const {
    if (column == Checkbox) return imageNamed(checkImageName(item.selectNum));
    if (column != NameColumn) return {};
    if (item.isLeaf) return iconForFile(QString::fromStdString(item.name));
    // A group shows the icon of its kind: an application for bundles, else its first copy's.
    if (item.extendName == "APP") return QIcon(imageNamed(QStringLiteral("ic_generic_app")));
    const TreeNode::Ptr first = node.firstChild();
    const SimpleNodeData* copy = first ? first->dataAs<SimpleNodeData>() : nullptr;
    return copy ? iconForFile(QString::fromStdString(copy->name)) : QVariant();
}

QVariant DuplicateOutlineModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
        case NameColumn:
            return QStringLiteral("名称");
        case allSelectNum:
            return QStringLiteral("已选");
        case FileSize:
            return QStringLiteral("大小");
        case ModifyDate:
            return QStringLiteral("修改日期");
        default:
            return QString();
    }
}

Qt::ItemFlags DuplicateOutlineModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace ui
