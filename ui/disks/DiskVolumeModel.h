#pragma once

#include "core/disks/DiskVolumeList.h"

#include <QAbstractTableModel>

#include <memory>

namespace ui {

// The disk table's rows over the volume list's sorted rows: the "内部磁盘" header, the internal
// volumes, and the "外部磁盘" header with the ejectable volumes. Each row is drawn whole by the
// row cell; the model holds no object values, only the column titles.
class DiskVolumeModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The icon column has no title; the others lie over the row's fields of the same name.
    enum Column { Icon, Name, Type, Size, ColumnCount };

    DiskVolumeModel(std::shared_ptr<core::disks::DiskVolumeList> volumes, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void reloadData();

    // The volume of a row; null for a group header or a row the list does not have.
    std::shared_ptr<core::disks::VolumeObj> volumeAt(int row) const;
    bool isHeaderRow(int row) const;
    // "内部磁盘" for the first header, "外部磁盘" for the second.
    QString headerTitle(int row) const;
    int selectIndex() const { return volumes->selectIndex(); }
    // The row drawn as selected: the list's selected row while it holds the selected volume.
    bool isSelectedRow(int row) const;

    // The row's texts, "Unknow" when empty.
    static QString nameText(const core::disks::VolumeObj& volume);
    static QString typeText(const core::disks::VolumeObj& volume);
    // "free / total"; the free part is what the cell draws larger.
    static QString freeSizeText(const core::disks::VolumeObj& volume);
    static QString sizeText(const core::disks::VolumeObj& volume);

private:
    std::shared_ptr<core::disks::DiskVolumeList> volumes;
};

}  // namespace ui
