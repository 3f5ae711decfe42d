#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

class QPainter;

namespace ui {

// What a column's header shows before it is restyled: its title, font, colour and alignment.
struct HeaderTitle {
    QString text;
    QFont font;
    QColor color;
    Qt::Alignment alignment;
};

// The painter of one column's header: a flat near-white fill, a thin separator for columns of a
// middling width, the title (in the light font when one is stored) and a small sort triangle that
// shows only on the column the list is sorted by. Pressed and normal headers look the same.
class CustomHeaderCell {
public:
    // Made from the column's current header. With a light font name stored, the title takes that
    // font at 12 points in black and keeps its alignment; otherwise it keeps its own font and colour.
    explicit CustomHeaderCell(const HeaderTitle& oldCell);

    void drawWithFrame(QPainter& painter, const QRectF& frame) const;
    void drawSortIndicatorWithFrame(QPainter& painter, const QRectF& frame, bool ascending, qint64 priority) const;
    // Priority 0 makes this column the sort key.
    void setSortAscending(bool ascending, qint64 priority);

    const HeaderTitle& title() const { return attributedTitle; }
    bool isAscending() const { return _ascending; }
    qint64 priority() const { return _priority; }

    // Columns of 45 points or less, or 400 or more, have no separator line.
    static bool hasSeparator(qreal columnWidth);

private:
    HeaderTitle attributedTitle;
    bool _ascending = true;
    qint64 _priority = 1;
};

}  // namespace ui
