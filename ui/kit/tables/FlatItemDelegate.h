#pragma once

#include <QStyledItemDelegate>

namespace ui {

// The lists' cell painter: cells draw as on a plain row whether or not their row is selected or
// has the keyboard focus (the lists mark rows with their own fills). The cells with pictures
// take the picture from the model's decoration (a QPixmap, QIcon or QImage).
class FlatItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit FlatItemDelegate(QObject* parent = nullptr);

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

    static bool hasPicture(const QModelIndex& index);
    // Draws the cell's picture scaled into the rectangle; nothing without a picture.
    static void drawPicture(QPainter& painter, const QRectF& target, const QModelIndex& index);
};

}  // namespace ui
