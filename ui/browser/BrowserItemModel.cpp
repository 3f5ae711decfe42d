#include "ui/browser/BrowserItemModel.h"

#include "core/browser/BrowserItemKeys.h"
#include "ui/browser/BrowerImageAndTextCell.h"
#include "ui/kit/desktop/WorkspaceIcon.h"
#include "ui/kit/looks/ImageNamed.h"

#include <QSize>

namespace ui {

using core::browser::BrowerObj;

BrowserItemModel::BrowserItemModel(const core::browser::BrowserList& browserArr, QObject* parent)
    : QAbstractTableModel(parent), browserArr(browserArr) {}

void BrowserItemModel::showNode(int node) {
    beginResetModel();
    shownNode = node;
    endResetModel();
}

void BrowserItemModel::reloadData() {
    beginResetModel();
    endResetModel();
}

const BrowerObj* BrowserItemModel::node() const {
    if (shownNode < 0 || static_cast<size_t>(shownNode) >= browserArr.size()) return nullptr;
    return browserArr[static_cast<size_t>(shownNode)].get();
}

int BrowserItemModel::rowCount(const QModelIndex& parent) const {
    const BrowerObj* shown = node();
    return parent.isValid() || !shown ? 0 : static_cast<int>(shown->chrArr.size());
}

int BrowserItemModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant BrowserItemModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const BrowerObj& item = *node()->chrArr[static_cast<size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
            if (index.column() == SName) return QString::fromStdString(core::browser::BrowserItemKeys::titleWithKey(item.name));
            if (index.column() == SSize) return QString::fromStdString(item.size);
            return {};
        case BrowerImageAndTextCell::SubtitleRole:
            return index.column() == SName ? QString::fromStdString(item.itemDescription) : QVariant();
        case Qt::DecorationRole:
            if (index.column() == SSelect)
                return imageNamed(item.isSelect == BrowerObj::kUnselected ? QStringLiteral("checkbox-unsel")
                                                                          : QStringLiteral("checkbox-checked"));
            if (index.column() == SName) return iconFor(item.iconImage);
            return {};
        case Qt::SizeHintRole: return QSize(-1, kRowHeight);
        default: return {};
    }
}

QVariant BrowserItemModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
        case SName: return QStringLiteral("清理项目");
        case SSize: return QStringLiteral("大小");
        default: return QString();
    }
}

Qt::ItemFlags BrowserItemModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace ui
