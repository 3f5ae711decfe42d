#pragma once

#include <QStyledItemDelegate>

namespace core::disks {
struct VolumeObj;
}

namespace ui {

class DiskVolumeModel;

// Draws one row of the disk table across its whole width: a group header's title, or a
// volume's icon ("ic_disk_out" ejectable, "ic_disk_os" the start-up volume, "ic_disk_in"
// otherwise), name, type and "free / total" with the free part at 13 points. The selected row
// is 88 points high on a grey ground, the others 44; each field shows its text as a tool tip.
class RepairDiskTableCellView : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 44;
    static constexpr int kSelectedRowHeight = 88;
    static constexpr int kCellWidth = 740;

    explicit RepairDiskTableCellView(DiskVolumeModel* model, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

    static QString iconNameOf(const core::disks::VolumeObj& volume);
    // The text shown at a point of a volume row (relative to the row's top left); "" elsewhere.
    static QString toolTipAt(const core::disks::VolumeObj& volume, const QPoint& point);

private:
    void drawHeader(QPainter& painter, const QRect& row, const QString& title) const;
    void drawVolume(QPainter& painter, const QRect& row, const core::disks::VolumeObj& volume) const;

    DiskVolumeModel* model;
};

}  // namespace ui
