#pragma once

#include <QTableView>

namespace ui {

class DCustomHeaderView;

// The disk table: every row first filled 740 points wide in the near-white ground, the row
// rowNum in white at 0.9, without the system's selection highlight, under a 25-point header.
class DCustomTableView : public QTableView {
    Q_OBJECT
public:
    static constexpr int kRowFillWidth = 740;

    explicit DCustomTableView(QWidget* parent = nullptr);

    int rowNum() const { return rowNum_; }
    // Marks the row and redraws.
    void setSelectNum(int row);
    DCustomHeaderView* headerView() const { return header; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void fillRows();

    DCustomHeaderView* header;
    int rowNum_ = -1;
};

}  // namespace ui
