#include "ui/shredder/ShredListModel.h"

#include "core/kit/CommUti.h"
#include "ui/kit/desktop/WorkspaceIcon.h"
#include "ui/kit/looks/ImageNamed.h"

#include <QSize>

#include <algorithm>

namespace ui {

ShredListModel::ShredListModel(const core::ShredList& list, QObject* parent) : QAbstractTableModel(parent), list(list) {}

void ShredListModel::reloadData() {
    beginResetModel();
    shownRows = static_cast<int>(list.valueArr().size());
    endResetModel();
}

int ShredListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : shownRows; }

int ShredListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant ShredListModel::data(const QModelIndex& index, int role) const {
    const auto& items = list.valueArr();
    if (!index.isValid() || index.row() >= rowCount() || index.row() >= static_cast<int>(items.size())) return {};
    const core::FileObj& item = *items[static_cast<size_t>(index.row())];
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        switch (column) {
        case Name: return QString::fromStdString(item.name);
        case Path: return QString::fromStdString(item.url);
        case Size:
            return item.isDir ? QStringLiteral("--")
                              : QString::fromStdString(core::CommUti::convertVolSpace(
                                    static_cast<uint64_t>(std::max<int64_t>(item.size, 0))));
        case Type: return QString::fromStdString(item.type);
        default: return {};
        }
    case Qt::DecorationRole:
        if (column == CheckBox)
            return imageNamed(item.isSelect ? QStringLiteral("checkbox-checked") : QStringLiteral("checkbox-unsel"));
        if (column == Name) return iconOf(item);
        return {};
    case Qt::ToolTipRole: return column == Path ? QVariant(QString::fromStdString(item.url)) : QVariant();
    case Qt::SizeHintRole: return QSize(-1, kRowHeight);
    case Qt::TextAlignmentRole: return QVariant::fromValue(Qt::Alignment(Qt::AlignVCenter | Qt::AlignLeft));
    default: return {};
    }
}

QVariant ShredListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
    case Name: return QStringLiteral("名称");
    case Path: return QStringLiteral("路径");
    case Size: return QStringLiteral("大小");
    case Type: return QStringLiteral("类型");
    default: return QString();
    }
}

Qt::ItemFlags ShredListModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

// Folders share the folder icon; files and bundles take their own, looked up once per path.
QIcon ShredListModel::iconOf(const core::FileObj& item) const {
    if (item.isDir && item.type != "app") return folderIcon();
    const QString key = QString::fromStdString(item.url);
    auto found = icons.constFind(key);
    if (found != icons.constEnd()) return *found;
    return *icons.insert(key, iconForFile(key));
}

}  // namespace ui
