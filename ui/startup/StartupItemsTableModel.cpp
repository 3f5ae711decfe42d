#include "ui/startup/StartupItemsTableModel.h"

#include "ui/kit/desktop/WorkspaceIcon.h"
#include "ui/kit/looks/ImageNamed.h"
#include "ui/startup/RemoveButtonCell.h"
#include "ui/startup/StartItemImageAndTextCell.h"

#include <QSize>

namespace ui {

using core::startup::ASLoginStartItem;

namespace {

QString tickPicture(const ASLoginStartItem& item) {
    if (!item.canDelete) return QStringLiteral("checkbox-unsel-disable");
    return item.bIsSelected ? QStringLiteral("checkbox-checked") : QStringLiteral("checkbox-unsel");
}

std::vector<std::string> pathsOf(const std::vector<ASLoginStartItem>& rows) {
    std::vector<std::string> paths;
    paths.reserve(rows.size());
    for (const ASLoginStartItem& row : rows) paths.push_back(row.path);
    return paths;
}

}  // namespace

StartupItemsTableModel::StartupItemsTableModel(const core::startup::StartupItemsModel& items, QObject* parent)
    : QAbstractTableModel(parent), items(items) {}

void StartupItemsTableModel::reloadData() {
    std::vector<std::string> paths = pathsOf(items.allItems());
    if (paths == shownPaths) {
        if (!paths.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
        return;
    }
    beginResetModel();
    shownPaths = std::move(paths);
    endResetModel();
}

int StartupItemsTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shownPaths.size());
}

int StartupItemsTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant StartupItemsTableModel::data(const QModelIndex& index, int role) const {
    const auto& rows = items.allItems();
    if (!index.isValid() || index.row() >= rowCount() || index.row() >= static_cast<int>(rows.size())) return {};
    const ASLoginStartItem& row = rows[static_cast<size_t>(index.row())];
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        if (column == Name) return QString::fromStdString(row.name);
        if (column == Kind) return QString::fromStdString(row.subName);
        if (column == Remove) return QStringLiteral("移除");
        return {};
    case Qt::DecorationRole:
        if (column == Hide) return imageNamed(tickPicture(row));
        if (column == Name) return iconOf(row.image);
        return {};
    case StartItemImageAndTextCell::kSecondaryTextRole:
        return column == Name ? QVariant(QString::fromStdString(row.path)) : QVariant();
    case RemoveButtonCell::kUsableRole: return row.canDelete;
    case Qt::ToolTipRole: return column == Name ? QVariant(QString::fromStdString(row.path)) : QVariant();
    case Qt::SizeHintRole: return QSize(-1, kRowHeight);
    case Qt::TextAlignmentRole: return QVariant::fromValue(Qt::Alignment(Qt::AlignVCenter | Qt::AlignLeft));
    default: return {};
    }
}

QVariant StartupItemsTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
    case Name: return QStringLiteral("名称");
    case Kind: return QStringLiteral("类型");
    case Remove: return QStringLiteral("操作");
    default: return QString();
    }
}

Qt::ItemFlags StartupItemsTableModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

// Icons are looked up once per path: the workspace's lookup reads the disk.
QIcon StartupItemsTableModel::iconOf(const std::string& path) const {
    const QString key = QString::fromStdString(path);
    auto found = icons.constFind(key);
    if (found != icons.constEnd()) return *found;
    return *icons.insert(key, iconForFile(key));
}

}  // namespace ui
