#pragma once

namespace ui {

struct LeftCellItem;

// The column, told which cell the user chose.
class LeftCellViewDelegate {
public:
    virtual ~LeftCellViewDelegate() = default;
    virtual void selectCellView(LeftCellItem* item) = 0;
};

}  // namespace ui
