#pragma once

#include <QString>

namespace ui {

class LeftCellViewCtr;

// One cell of the left column, shared by the column, the cell's controller and its view.
// The fields carry the names of the cell's keys.
struct LeftCellItem {
    QString CellName;            // the tool's name as shown
    QString CellIcon;            // image name; "<CellIcon>_click" while selected
    int CellID = 0;              // the tool identifier, 0 to 9
    bool CellSelected = false;
    LeftCellViewCtr* CellCtl = nullptr;  // owned by its view, which the column's view owns
};

}  // namespace ui
