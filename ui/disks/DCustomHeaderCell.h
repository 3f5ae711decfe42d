#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

class QPainter;

namespace ui {

// The painter of one column header of the disk table: a near-white fill, a dark 1-point line
// along the top and the bottom edge (drawn without antialiasing), the title in 12 points in
// pale blue-grey 5 points below the top, and an 8×7 sort triangle 12 points in from the right,
// filled white only on the sort column (priority 0). Pressed and normal headers look the same.
class DCustomHeaderCell {
public:
    // Made from the column's header title, ascending with priority 1.
    explicit DCustomHeaderCell(const QString& title);

    void drawWithFrame(QPainter& painter, const QRectF& frame) const;
    void setSortAscending(bool ascending, int priority);

    const QString& title() const { return title_; }
    static QFont titleFont();
    static QColor titleColor();
    static QColor lineColor();
    // The triangle's corners, pointing up when ascending, inside the cell's frame.
    QPolygonF sortIndicatorIn(const QRectF& frame) const;

private:
    QString title_;
    bool ascending = true;
    int priority = 1;
};

}  // namespace ui
