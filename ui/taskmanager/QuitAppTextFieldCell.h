#pragma once

#include "ui/kit/tables/ImageAndTextCell.h"

namespace ui {

// The task manager's name cell: the application's icon (the model's decoration) drawn 22 by 22,
// 8 points into a 25-point strip and centred on the row, and the name 12 points further right,
// centred half a point higher.
class QuitAppTextFieldCell : public ImageAndTextCell {
    Q_OBJECT
public:
    explicit QuitAppTextFieldCell(QObject* parent = nullptr);
};

}  // namespace ui
