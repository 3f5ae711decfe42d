#include "ui/taskmanager/TaskManagerModel.h"

#include "ui/kit/desktop/WorkspaceIcon.h"
#include "ui/kit/looks/ImageNamed.h"

#include <QSize>

namespace ui {

using core::taskmanager::TaskManagerInfo;

TaskManagerModel::TaskManagerModel(const core::taskmanager::TaskManagerRows& rows, QObject* parent)
    : QAbstractTableModel(parent), rows(rows) {}

void TaskManagerModel::reloadData() {
    beginResetModel();
    endResetModel();
}

void TaskManagerModel::reloadSizes() { columnChanged(Size); }

void TaskManagerModel::reloadChecks() { columnChanged(ChcekBox); }

void TaskManagerModel::columnChanged(Column column) {
    const int count = rowCount();
    if (count > 0) emit dataChanged(index(0, column), index(count - 1, column));
}

int TaskManagerModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows.allApplications().size());
}

int TaskManagerModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant TaskManagerModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const TaskManagerInfo& row = rows.allApplications()[static_cast<size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
            if (index.column() == Name) return QString::fromStdString(row.displayName());
            if (index.column() == Size) return QString::fromStdString(row.sizeText());
            return {};
        case Qt::DecorationRole:
            if (index.column() == ChcekBox)
                return imageNamed(row.bIsSelected ? QStringLiteral("checkbox-checked") : QStringLiteral("checkbox-unsel"));
            if (index.column() == Name) return applicationIcon(QString::fromStdString(row.image));
            return {};
        case Qt::SizeHintRole: return QSize(-1, kRowHeight);
        case Qt::TextAlignmentRole: return QVariant::fromValue(Qt::Alignment(Qt::AlignVCenter | Qt::AlignLeft));
        default: return {};
    }
}

QVariant TaskManagerModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
        case Name: return QStringLiteral("名称");
        case Size: return QStringLiteral("内存");
        default: return QString();
    }
}

Qt::ItemFlags TaskManagerModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace ui
