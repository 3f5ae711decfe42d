#include "ui/uninstall/RelatedFilesModel.h"

#include "core/kit/CommUti.h"
#include "ui/kit/looks/ImageNamed.h"

#include <QSize>

namespace ui {

using core::uninstall::AMAppItemPtr;
using core::uninstall::RelatedFilesSelection;

namespace {

// A top-level row's internal id is 0; a record's is its group's number plus one.
constexpr quintptr kGroupId = 0;

QString checkPicture(RelatedFilesSelection::State state) {
    switch (state) {
        case RelatedFilesSelection::Ticked: return QStringLiteral("checkbox-checked");
        case RelatedFilesSelection::PartlyTicked: return QStringLiteral("checkbox-halfchecked");
        default: return QStringLiteral("checkbox-unsel");
    }
}

}  // namespace

RelatedFilesModel::RelatedFilesModel(const RelatedFilesSelection& selection, QObject* parent)
    : QAbstractItemModel(parent), selection(selection) {}

void RelatedFilesModel::reload() {
    beginResetModel();
    icons.clear();
    endResetModel();
}

void RelatedFilesModel::refreshStates() {
    const int groups = rowCount();
    if (groups == 0) return;
    emit dataChanged(index(0, 0), index(groups - 1, ColumnCount - 1));
    for (int group = 0; group < groups; ++group) {
        const QModelIndex parent = index(group, 0);
        const int records = rowCount(parent);
        if (records > 0) emit dataChanged(index(0, 0, parent), index(records - 1, ColumnCount - 1, parent));
    }
}

int RelatedFilesModel::groupOf(const QModelIndex& index) {
    return index.isValid() && index.internalId() == kGroupId ? index.row() : -1;
}

AMAppItemPtr RelatedFilesModel::recordOf(const QModelIndex& index) const {
    if (!index.isValid() || index.internalId() == kGroupId) return nullptr;
    const auto& group = selection.groups().at(index.internalId() - 1);
    return index.row() < static_cast<int>(group.size()) ? group[index.row()] : nullptr;
}

QModelIndex RelatedFilesModel::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || column < 0 || column >= ColumnCount || row >= rowCount(parent)) return {};
    return createIndex(row, column, parent.isValid() ? quintptr(parent.row()) + 1 : kGroupId);
}

QModelIndex RelatedFilesModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == kGroupId) return {};
    return createIndex(static_cast<int>(child.internalId() - 1), 0, kGroupId);
}

int RelatedFilesModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) return static_cast<int>(selection.groups().size());
    if (parent.internalId() != kGroupId || parent.column() != 0) return 0;
    return static_cast<int>(selection.groups().at(parent.row()).size());
}

int RelatedFilesModel::columnCount(const QModelIndex&) const { return ColumnCount; }

QVariant RelatedFilesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::SizeHintRole) return QSize(-1, kRowHeight);
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignVCenter | Qt::AlignLeft));
    const int group = groupOf(index);
    if (group >= 0) return groupData(group, index.column(), role);
    const AMAppItemPtr item = recordOf(index);
    return item ? recordData(item, index.column(), role) : QVariant();
}

QVariant RelatedFilesModel::groupData(int group, int column, int role) const {
    if (column == CheckBox)
        return role == Qt::DecorationRole ? QVariant(imageNamed(checkPicture(selection.groupState(group)))) : QVariant();
    if (column == Size)
        return role == Qt::DisplayRole
                   ? QVariant(QString::fromStdString(core::CommUti::convertVolSpace(selection.groupSize(group))))
                   : QVariant();
    const auto& records = selection.groups().at(group);
    return records.empty() ? QVariant() : recordData(records.front(), column, role);
}

QVariant RelatedFilesModel::recordData(const AMAppItemPtr& item, int column, int role) const {
    switch (column) {
        case CheckBox:
            if (role != Qt::DecorationRole) return {};
            return imageNamed(checkPicture(selection.isTicked(item) ? RelatedFilesSelection::Ticked
                                                                    : RelatedFilesSelection::Unticked));
        case Name:
            if (role == Qt::DisplayRole) return QString::fromStdString(item->name);
            if (role == Qt::DecorationRole) return icons.iconOf(item);
            if (role == Qt::ToolTipRole) return QString::fromStdString(item->path);
            return {};
        case Size: return role == Qt::DisplayRole ? QVariant(QString::fromStdString(item->size)) : QVariant();
        default: return {};
    }
}

QVariant RelatedFilesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
        case Name: return QStringLiteral("名称");
        case Size: return QStringLiteral("大小");
        default: return QString();
    }
}

Qt::ItemFlags RelatedFilesModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace ui
