#pragma once

#include "ui/kit/tables/CustomHeaderCell.h"

#include <QHeaderView>
#include <vector>

namespace ui {

// The lists' column header: 26 points high, each column painted by its own CustomHeaderCell.
// The cells are made from the model's header data (title, font, colour, alignment) whenever the
// columns or their titles change; each time the header paints, the column its shown sort
// indicator names becomes the cells' sort key.
class FlatHeaderView : public QHeaderView {
    Q_OBJECT
public:
    static constexpr int kHeight = 26;

    explicit FlatHeaderView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;
    QSize sizeHint() const override;

    // Makes every column's header cell again from the model's current header data.
    void setupHeaderCells();
    // The cell of a column (logical index), or null for a column the model does not have.
    const CustomHeaderCell* headerCell(int logicalIndex) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    HeaderTitle currentTitle(int logicalIndex) const;
    // The sort key is the column of a shown sort indicator; every other column has priority 1.
    void applySortIndicator();

    std::vector<CustomHeaderCell> cells;
};

}  // namespace ui
