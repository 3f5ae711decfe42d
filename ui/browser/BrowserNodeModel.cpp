#include "ui/browser/BrowserNodeModel.h"

#include "ui/browser/BrowerImageAndTextCell.h"
#include "ui/kit/desktop/WorkspaceIcon.h"
#include "ui/kit/looks/ImageNamed.h"

#include <QSize>

namespace ui {

using core::browser::BrowerObj;

namespace {

QString checkPicture(int state) {
    switch (state) {
        case BrowerObj::kSelected: return QStringLiteral("checkbox-checked");
        case BrowerObj::kPartlySelected: return QStringLiteral("checkbox-halfchecked");
        default: return QStringLiteral("checkbox-unsel");
    }
}

}  // namespace

BrowserNodeModel::BrowserNodeModel(const core::browser::BrowserList& browserArr, QObject* parent)
    : QAbstractTableModel(parent), browserArr(browserArr) {}

void BrowserNodeModel::reloadData() {
    beginResetModel();
    endResetModel();
}

QPair<QString, QString> BrowserNodeModel::titleAndSubtitle(const QString& name) {
    QString shown = name;
    shown.remove(QStringLiteral(".app"));
    const int split = shown.indexOf(QStringLiteral(" - "));
    if (split < 0) return {shown, QString()};
    return {shown.left(split).trimmed(), shown.mid(split + 3).trimmed()};
}

int BrowserNodeModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(browserArr.size());
}

int BrowserNodeModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant BrowserNodeModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const BrowerObj& node = *browserArr[static_cast<size_t>(index.row())];
    const auto [title, subtitle] = titleAndSubtitle(QString::fromStdString(node.name));
    switch (role) {
        case Qt::DisplayRole: return index.column() == FName ? title : QVariant();
        case BrowerImageAndTextCell::SubtitleRole: return index.column() == FName ? subtitle : QVariant();
        case Qt::DecorationRole:
            if (index.column() == FSelect) return imageNamed(checkPicture(node.isSelect));
            return iconFor(node.iconImage);
        case Qt::SizeHintRole: return QSize(-1, kRowHeight);
        default: return {};
    }
}

QVariant BrowserNodeModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return section == FName ? QStringLiteral("浏览器") : QString();
}

Qt::ItemFlags BrowserNodeModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace ui
