#pragma once

#include <QPersistentModelIndex>
#include <QTreeView>

namespace ui {

class FlatHeaderView;

// What the tools' outlines share: the flat 26-point header, no system selection highlight, each
// row filled with the colour its class gives it before its cells draw, and rowNum, the marked row
// counted as the outline shows its rows (expanded children included).
class FlatOutlineView : public QTreeView {
    Q_OBJECT
public:
    int rowNum() const { return markedRow; }
    virtual void setRowNum(int row) { markedRow = row; }

    // The shown row number of an item (-1 when it is not shown), and the item on a shown row.
    int rowForItem(const QModelIndex& item) const;
    QModelIndex itemAtRow(int row) const;
    // The items (column 0) of the rows that lie in the viewport now, top to bottom.
    QModelIndexList shownRows() const;

    // Makes every column's header cell again from the model's header data (after a title changed).
    void _setupHeaderCell();
    FlatHeaderView* headerView() const { return flatHeader; }

protected:
    explicit FlatOutlineView(QWidget* parent);

    virtual QColor rowColor(const QModelIndex& item) const = 0;
    // True for the item on row rowNum, as it was when this paint began.
    bool isMarkedRow(const QModelIndex& item) const;

    // Set by outlines that redraw entirely whenever a row is selected or deselected.
    bool redrawsOnSelectionChange = false;

    void paintEvent(QPaintEvent* event) override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    FlatHeaderView* flatHeader;
    int markedRow = -1;
    QPersistentModelIndex markedItem;
};

}  // namespace ui
