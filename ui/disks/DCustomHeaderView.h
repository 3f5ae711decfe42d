#pragma once

#include "ui/disks/DCustomHeaderCell.h"

#include <QHeaderView>

#include <vector>

namespace ui {

// The disk table's column header, 25 points high, each column painted by a DCustomHeaderCell
// made from the model's header title.
class DCustomHeaderView : public QHeaderView {
    Q_OBJECT
public:
    static constexpr int kHeight = 25;

    explicit DCustomHeaderView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;
    QSize sizeHint() const override;
    const DCustomHeaderCell* headerCell(int logicalIndex) const;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    void setupHeaderCells();

    std::vector<DCustomHeaderCell> cells;
};

}  // namespace ui
