#pragma once

#include "ui/kit/tables/FlatItemDelegate.h"

namespace ui {

// A text cell with an icon at its left: the model's decoration drawn 32 by 32 in a 35-point slice,
// centred on the row, and the text vertically centred in the rest of the cell.
class ImageAndTextCell : public FlatItemDelegate {
    Q_OBJECT
public:
    explicit ImageAndTextCell(QObject* parent = nullptr);

    // Where the icon of a cell lies; an empty rectangle when the row has no picture.
    QRectF imageFrameForCellFrame(const QRectF& cellFrame, const QModelIndex& index) const;
    // Where the text lies in the part of the cell beside the icon, for a text of the given font.
    QRectF titleRectForBounds(const QRectF& bounds, const QFont& font) const;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

protected:
    // How a cell class places its icon and text.
    struct Layout {
        qreal slice;           // the left part of the cell that holds the icon
        qreal iconSize;        // the icon's width and height
        qreal iconX;           // from the slice's left edge
        qreal iconLift;        // the icon sits this much above its centred place
        qreal titleX;          // the text's shift to the right
        qreal titleLift;       // the text sits this much above its centred place
        qreal titleNarrowing;  // the text's room is this much narrower
    };
    ImageAndTextCell(const Layout& layout, QObject* parent);

private:
    // The part of the cell left to the text when the row has a picture.
    qreal leftSlice(const QModelIndex& index) const;
    void drawInteriorWithFrame(QPainter& painter, const QStyleOptionViewItem& option, const QRectF& frame) const;

    Layout layout;
};

}  // namespace ui
