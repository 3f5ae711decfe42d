#include "ui/uninstall/UninstallTableModel.h"

#include "ui/kit/looks/ImageNamed.h"
#include "ui/uninstall/ImageTextCell.h"

#include <QSize>

#include <algorithm>

namespace ui {

using core::uninstall::AMAppItemPtr;

UninstallTableModel::UninstallTableModel(const core::uninstall::UninstallLists& lists, core::Executors executors,
                                         std::function<void(const AMAppItemPtr&)> measured, QObject* parent)
    : QAbstractTableModel(parent), lists(lists), sizes(std::move(executors), std::move(measured)) {}

void UninstallTableModel::reloadData() {
    beginResetModel();
    icons.clear();
    endResetModel();
}

void UninstallTableModel::reloadChecks() { columnChanged(CheckBox); }

void UninstallTableModel::columnChanged(Column column) {
    const int rows = rowCount();
    if (rows > 0) emit dataChanged(index(0, column), index(rows - 1, column));
}

void UninstallTableModel::reloadSize(const AMAppItemPtr& item) {
    const auto& shown = lists.shown();
    const auto found = std::find(shown.begin(), shown.end(), item);
    if (found == shown.end()) return;
    const QModelIndex cell = index(static_cast<int>(found - shown.begin()), Size);
    emit dataChanged(cell, cell);
}

void UninstallTableModel::setAppNameTitle(const QString& title) {
    appNameTitle = title;
    emit headerDataChanged(Qt::Horizontal, AppName, AppName);
}

void UninstallTableModel::setHoverItem(const AMAppItemPtr& item) {
    if (hoverItem == item) return;
    hoverItem = item;
    columnChanged(Uninstall);
}

AMAppItemPtr UninstallTableModel::recordAt(const QModelIndex& index) const {
    const auto& shown = lists.shown();
    if (!index.isValid() || index.row() >= static_cast<int>(shown.size())) return nullptr;
    return shown[index.row()];
}

int UninstallTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(lists.shown().size());
}

int UninstallTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant UninstallTableModel::data(const QModelIndex& index, int role) const {
    const AMAppItemPtr item = recordAt(index);
    if (!item) return {};
    switch (role) {
        case Qt::DisplayRole: return text(item, index.column());
        case Qt::DecorationRole: return picture(item, index.column());
        case ImageTextCell::SecondaryTextRole:
            return index.column() == AppName ? QString::fromStdString(item->bundleID) : QVariant();
        case Qt::ToolTipRole: return index.column() == AppName ? QString::fromStdString(item->path) : QVariant();
        case Qt::SizeHintRole: return QSize(-1, kRowHeight);
        case Qt::TextAlignmentRole: return QVariant::fromValue(Qt::Alignment(Qt::AlignVCenter | Qt::AlignLeft));
        default: return {};
    }
}

QVariant UninstallTableModel::text(const AMAppItemPtr& item, int column) const {
    switch (column) {
        case AppName: return QString::fromStdString(item->name);
        case Version: return QString::fromStdString(item->bundleVersion);
        case Size: return QString::fromStdString(sizes.sizeOf(item));
        case System: return QString::fromStdString(item->isSystemAppStr);
        case BundleID: return QString::fromStdString(item->bundleID);
        default: return {};
    }
}

QVariant UninstallTableModel::picture(const AMAppItemPtr& item, int column) const {
    switch (column) {
        case CheckBox:
            return imageNamed(lists.isTicked(item) ? QStringLiteral("checkbox-checked") : QStringLiteral("checkbox-unsel"));
        case AppName: return icons.iconOf(item);
        case Uninstall:
            return imageNamed(item == hoverItem ? QStringLiteral("cell_uninstall_hover") : QStringLiteral("cell_uninstall"));
        default: return {};
    }
}

QVariant UninstallTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
        case AppName: return appNameTitle;
        case Version: return QStringLiteral("版本");
        case Size: return QStringLiteral("大小");
        case System: return QStringLiteral("系统");
        case BundleID: return QStringLiteral("标识符");
        case Uninstall: return QStringLiteral("卸载");
        default: return QString();
    }
}

Qt::ItemFlags UninstallTableModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace ui
