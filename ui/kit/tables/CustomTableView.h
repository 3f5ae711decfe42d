#pragma once

#include <QTableView>

namespace ui {

class FlatHeaderView;

// The tools' flat table: rows on the near-white ground, the row rowNum (the one the page marks as
// selected) a touch whiter, no system selection highlight, and the flat 26-point header. Setting
// rowNum does not redraw: the page asks for that when it is done.
class CustomTableView : public QTableView {
    Q_OBJECT
public:
    explicit CustomTableView(QWidget* parent = nullptr);

    int rowNum() const { return markedRow; }
    void setRowNum(int row) { markedRow = row; }
    // From now on rowNum follows the current row of the selection model, redrawing as it moves.
    // Call once the model is set.
    void marksCurrentRow();

    // Makes every column's header cell again from the model's header data (after a title changed).
    void _setupHeaderCell();
    FlatHeaderView* headerView() const { return header; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void fillRows();

    FlatHeaderView* header;
    int markedRow = -1;
};

}  // namespace ui
