#include "ui/startup/RemoveButtonCell.h"

#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/looks/ImageNamed.h"
#include "ui/kit/looks/SystemFont.h"

#include <QMouseEvent>
#include <QPainter>

namespace ui {
namespace {

bool isUsable(const QModelIndex& index) { return index.data(RemoveButtonCell::kUsableRole).toBool(); }

}  // namespace

RemoveButtonCell::RemoveButtonCell(std::function<void(const QModelIndex&)> clicked, QObject* parent)
    : FlatItemDelegate(parent), clicked(std::move(clicked)) {}

QRectF RemoveButtonCell::buttonRect(const QRectF& cell) {
    return QRectF(cell.center() - QPointF(kButtonWidth / 2, kButtonHeight / 2), QSizeF(kButtonWidth, kButtonHeight));
}

void RemoveButtonCell::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const bool usable = isUsable(index);
    const QString normal = QStringLiteral("btn_sec");
    const QRectF button = buttonRect(option.rect);
    painter->save();
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->drawPixmap(button, imageNamed(usable ? normal : QStringLiteral("btn_sec_disable"), button.size()),
                        QRectF());
    painter->setFont(systemFontOfSize(12));
    painter->setPen(TextImageButton::labelColor(normal, usable));
    painter->drawText(button, Qt::AlignCenter, index.data(Qt::DisplayRole).toString());
    painter->restore();
}

bool RemoveButtonCell::editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) {
    const bool handled = FlatItemDelegate::editorEvent(event, model, option, index);
    const bool press = event->type() == QEvent::MouseButtonPress;
    if (!press && event->type() != QEvent::MouseButtonRelease) return handled;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const bool onButton =
        mouse->button() == Qt::LeftButton && buttonRect(option.rect).contains(mouse->position()) && isUsable(index);
    if (press) {
        pressed = onButton ? QPersistentModelIndex(index) : QPersistentModelIndex();
        return handled;
    }
    const bool sameButton = onButton && pressed == index;
    pressed = QPersistentModelIndex();
    // Reported last: the page may rebuild the rows.
    if (sameButton && clicked) clicked(index);
    return handled;
}

}  // namespace ui
