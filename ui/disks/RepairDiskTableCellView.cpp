#include "ui/disks/RepairDiskTableCellView.h"

#include "core/disks/VolumeObj.h"
#include "ui/disks/DiskVolumeModel.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/ImageNamed.h"
#include "ui/kit/looks/SystemFont.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace ui {
namespace {

// The fields of the top 44 points of a row, relative to its top left.
const QRect kIconFrame(20, 8, 28, 28);
const QRect kNameFrame(60, 0, 250, 44);
const QRect kTypeFrame(320, 0, 160, 44);
const QRect kSizeFrame(490, 0, 230, 44);
const QRect kHeaderFrame(20, 0, 400, 44);

QColor darkText() { return getColor(45, 45, 45, 1); }
QColor greyText() { return getColor(136, 136, 136, 1); }

void drawText(QPainter& painter, const QRect& frame, const QString& text, const QFont& font, const QColor& color) {
    painter.setFont(font);
    painter.setPen(color);
    const QString shown = QFontMetrics(font).elidedText(text, Qt::ElideMiddle, frame.width());
    painter.drawText(frame, Qt::AlignLeft | Qt::AlignVCenter, shown);
}

}  // namespace

RepairDiskTableCellView::RepairDiskTableCellView(DiskVolumeModel* volumeModel, QObject* parent)
    : QStyledItemDelegate(parent), model(volumeModel) {}

QString RepairDiskTableCellView::iconNameOf(const core::disks::VolumeObj& volume) {
    if (volume.bCanEject) return QStringLiteral("ic_disk_out");
    return volume.volumeMountPoint == "/" ? QStringLiteral("ic_disk_os") : QStringLiteral("ic_disk_in");
}

QString RepairDiskTableCellView::toolTipAt(const core::disks::VolumeObj& volume, const QPoint& point) {
    if (kNameFrame.contains(point)) return DiskVolumeModel::nameText(volume);
    if (kTypeFrame.contains(point)) return DiskVolumeModel::typeText(volume);
    if (kSizeFrame.contains(point)) return DiskVolumeModel::sizeText(volume);
    return {};
}

QSize RepairDiskTableCellView::sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const {
    return QSize(kCellWidth, model->isSelectedRow(index.row()) ? kSelectedRowHeight : kRowHeight);
}

void RepairDiskTableCellView::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const int row = index.row();
    painter->save();
    painter->setClipRect(option.rect);
    const QRect cell(option.rect.topLeft(), QSize(kCellWidth, option.rect.height()));
    if (model->isHeaderRow(row)) {
        drawHeader(*painter, cell, model->headerTitle(row));
    } else if (auto volume = model->volumeAt(row)) {
        const bool isSelect = model->isSelectedRow(row);
        painter->fillRect(QRect(cell.topLeft(), QSize(kCellWidth, kSelectedRowHeight)).intersected(cell),
                          isSelect ? getColor(243, 243, 243, 0.9) : getColor(254, 253, 255, 1));
        drawVolume(*painter, cell, *volume);
    }
    painter->restore();
}

void RepairDiskTableCellView::drawHeader(QPainter& painter, const QRect& row, const QString& title) const {
    drawText(painter, kHeaderFrame.translated(row.topLeft()), title, boldSystemFontOfSize(13), greyText());
}

void RepairDiskTableCellView::drawVolume(QPainter& painter, const QRect& row, const core::disks::VolumeObj& volume) const {
    const QPoint origin = row.topLeft();
    painter.drawPixmap(kIconFrame.translated(origin), imageNamed(iconNameOf(volume), kIconFrame.size()));
    drawText(painter, kNameFrame.translated(origin), DiskVolumeModel::nameText(volume), systemFontOfSize(14), darkText());
    drawText(painter, kTypeFrame.translated(origin), DiskVolumeModel::typeText(volume), systemFontOfSize(12), greyText());

    const QRect sizeFrame = kSizeFrame.translated(origin);
    const QString free = DiskVolumeModel::freeSizeText(volume);
    const QString whole = DiskVolumeModel::sizeText(volume);
    if (free.isEmpty() || !whole.startsWith(free)) {
        drawText(painter, sizeFrame, whole, systemFontOfSize(12), greyText());
        return;
    }
    const QFont freeFont = systemFontOfSize(13);
    const int freeWidth = QFontMetrics(freeFont).horizontalAdvance(free);
    drawText(painter, sizeFrame, free, freeFont, darkText());
    drawText(painter, sizeFrame.adjusted(freeWidth, 0, 0, 0), whole.mid(free.size()), systemFontOfSize(12), greyText());
}

bool RepairDiskTableCellView::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) {
    auto volume = model->volumeAt(index.row());
    const QString tip = volume ? toolTipAt(*volume, event->pos() - option.rect.topLeft()) : QString();
    if (tip.isEmpty()) {
        QToolTip::hideText();
        return true;
    }
    QToolTip::showText(event->globalPos(), tip, view);
    return true;
}

}  // namespace ui
