#include "ui/kit/tables/CheckButtonCell.h"

#include "ui/kit/tables/CheckButtonCellDelegate.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QTableView>
#include <QTimer>
#include <QTreeView>

namespace ui {

namespace {
constexpr qreal kImageSize = 16;
constexpr qreal kImageX = 23;
constexpr qreal kQQImageX = 19;
constexpr qreal kHotX = 21;
constexpr qreal kHotTop = 15;
constexpr qreal kHotSize = 20;
constexpr int kQuietMilliseconds = 200;

// Reports made and not yet followed by their quiet time, for every check cell of the process.
// Only the main thread touches it.
int clickCount = 0;

// How far the list is scrolled sideways: a point x of the list's own surface lies at
// x - offset in its viewport.
qreal horizontalOffset(const QStyleOptionViewItem& option) {
    if (const auto* table = qobject_cast<const QTableView*>(option.widget)) return table->horizontalHeader()->offset();
    if (const auto* tree = qobject_cast<const QTreeView*>(option.widget)) return tree->header()->offset();
    return 0;
}

bool isPress(const QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick) return false;
    return static_cast<const QMouseEvent*>(event)->button() == Qt::LeftButton;
}
}  // namespace

CheckButtonCell::CheckButtonCell(QObject* parent) : FlatItemDelegate(parent) {}

QRectF CheckButtonCell::imageRect(const QStyleOptionViewItem& option) const {
    const qreal x = (qqLayout ? kQQImageX : kImageX) - horizontalOffset(option);
    const qreal y = option.rect.y() + (option.rect.height() - kImageSize) / 2;
    return QRectF(x, y, kImageSize, kImageSize);
}

QRectF CheckButtonCell::hotRect(const QStyleOptionViewItem& option) {
    return QRectF(kHotX - horizontalOffset(option), option.rect.y() + kHotTop, kHotSize, kHotSize);
}

void CheckButtonCell::changeVlaue() { clickCount = 0; }

void CheckButtonCell::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    drawPicture(*painter, imageRect(option), index);
}

bool CheckButtonCell::editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) {
    if (isPress(event)) hitTestForEvent(static_cast<QMouseEvent*>(event)->position(), option, index);
    // The list goes on with the click as with any other: it still selects the row.
    return FlatItemDelegate::editorEvent(event, model, option, index);
}

void CheckButtonCell::hitTestForEvent(const QPointF& position, const QStyleOptionViewItem& option,
                                      const QModelIndex& index) {
    const QRectF hot = hotRect(option);
    // Left and top edges belong to the spot, right and bottom edges do not.
    const bool inside = position.x() >= hot.left() && position.x() < hot.right() && position.y() >= hot.top() &&
                        position.y() < hot.bottom();
    if (!inside || clickCount != 0) return;
    ++clickCount;
    QTimer::singleShot(kQuietMilliseconds, Qt::PreciseTimer, &CheckButtonCell::changeVlaue);
    if (clickDelegate) clickDelegate->clickButtonAction(this, index);
}

}  // namespace ui
