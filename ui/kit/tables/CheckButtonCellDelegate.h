#pragma once

class QModelIndex;

namespace ui {

class CheckButtonCell;

// Told about a click on a row's check box: the cell that was clicked and the clicked row's index
// (with its parent in an outline), which need not be the selected row.
class CheckButtonCellDelegate {
public:
    virtual ~CheckButtonCellDelegate() = default;
    virtual void clickButtonAction(CheckButtonCell* cell, const QModelIndex& row) = 0;
};

}  // namespace ui
