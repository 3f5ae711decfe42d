#include "ui/kit/tables/FlatItemDelegate.h"

#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace ui {

FlatItemDelegate::FlatItemDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

void FlatItemDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    option->state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
}

bool FlatItemDelegate::hasPicture(const QModelIndex& index) {
    const QVariant picture = index.data(Qt::DecorationRole);
    switch (picture.typeId()) {
    case QMetaType::QPixmap: return !picture.value<QPixmap>().isNull();
    case QMetaType::QIcon: return !picture.value<QIcon>().isNull();
    case QMetaType::QImage: return !picture.value<QImage>().isNull();
    default: return false;
    }
}

void FlatItemDelegate::drawPicture(QPainter& painter, const QRectF& target, const QModelIndex& index) {
    const QVariant picture = index.data(Qt::DecorationRole);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    switch (picture.typeId()) {
    case QMetaType::QPixmap: {
        const QPixmap pixmap = picture.value<QPixmap>();
        painter.drawPixmap(target, pixmap, QRectF(pixmap.rect()));
        break;
    }
    case QMetaType::QIcon: picture.value<QIcon>().paint(&painter, target.toAlignedRect()); break;
    case QMetaType::QImage: painter.drawImage(target, picture.value<QImage>()); break;
    default: break;
    }
    painter.restore();
}

}  // namespace ui
