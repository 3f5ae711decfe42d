#include "ui/disks/DiskVolumeModel.h"

namespace ui {
namespace {

const QString kUnknown = QStringLiteral("Unknow");

QString orUnknown(const std::string& text) { return text.empty() ? kUnknown : QString::fromStdString(text); }

}  // namespace

DiskVolumeModel::DiskVolumeModel(std::shared_ptr<core::disks::DiskVolumeList> list, QObject* parent)
    : QAbstractTableModel(parent), volumes(std::move(list)) {}

int DiskVolumeModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(volumes->allVolumeArrSort().size());
}

int DiskVolumeModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant DiskVolumeModel::data(const QModelIndex&, int) const { return {}; }

QVariant DiskVolumeModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
        case Name: return QStringLiteral("名称");
        case Type: return QStringLiteral("格式");
        case Size: return QStringLiteral("可用 / 容量");
        default: return {};
    }
}

Qt::ItemFlags DiskVolumeModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
}

void DiskVolumeModel::reloadData() {
    beginResetModel();
    endResetModel();
}

std::shared_ptr<core::disks::VolumeObj> DiskVolumeModel::volumeAt(int row) const {
    const auto& rows = volumes->allVolumeArrSort();
    if (row < 0 || row >= static_cast<int>(rows.size())) return nullptr;
    return rows[row].volume;
}

bool DiskVolumeModel::isHeaderRow(int row) const { return row >= 0 && row < rowCount() && !volumeAt(row); }

QString DiskVolumeModel::headerTitle(int row) const {
    return row == 0 ? QStringLiteral("内部磁盘") : QStringLiteral("外部磁盘");
}

bool DiskVolumeModel::isSelectedRow(int row) const {
    const auto& selected = volumes->selectVolume();
    return selected && row == volumes->selectIndex() && volumeAt(row) == selected;
}

QString DiskVolumeModel::nameText(const core::disks::VolumeObj& volume) { return orUnknown(volume.volumeName); }

QString DiskVolumeModel::typeText(const core::disks::VolumeObj& volume) { return orUnknown(volume.diskType); }

QString DiskVolumeModel::freeSizeText(const core::disks::VolumeObj& volume) {
    return QString::fromStdString(volume.volumeFreeSize);
}

QString DiskVolumeModel::sizeText(const core::disks::VolumeObj& volume) {
    if (volume.volumeFreeSize.empty() && volume.volumeTotalSize.empty()) return kUnknown;
    return QStringLiteral("%1 / %2").arg(freeSizeText(volume), QString::fromStdString(volume.volumeTotalSize));
}

}  // namespace ui
