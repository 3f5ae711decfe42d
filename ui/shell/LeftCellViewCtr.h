#pragma once

#include "ui/shell/MouseEvent.h"

#include <QFont>
#include <QObject>

class QLabel;

namespace ui {

class LeftCellView;
class LeftCellViewDelegate;

// The controller of one cell of the left column: shows the tool's icon and name, selected
// or not, and asks the view switcher before it reports a click to the column.
// It lives as long as its view, which owns it.
class LeftCellViewCtr : public QObject, public MouseEvent {
    Q_OBJECT
public:
    LeftCellViewCtr();

    LeftCellView* view() const { return cellView; }
    void setItem(LeftCellItem* item);
    void setDelegate(LeftCellViewDelegate* delegate);
    void refreshCellView();
    void mouseDown(LeftCellItem* item) override;

private:
    void loadInterface();
    void awakeFromNib();

    LeftCellView* cellView = nullptr;
    QLabel* iconImageView = nullptr;
    QLabel* nameLabel = nullptr;
    QLabel* selectBgImageView = nullptr;
    QLabel* selLabel = nullptr;  // hidden; carries the font of the selected cell
    QFont normalFont;
    QFont selectFont;
    LeftCellItem* dictItem = nullptr;
    LeftCellViewDelegate* delegate = nullptr;
};

}  // namespace ui
