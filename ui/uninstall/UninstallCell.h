#pragma once

#include "ui/kit/tables/ImageAndTextCell.h"

namespace ui {

// The related-files outline's name cell: the model's decoration drawn 24 by 24, 3 points into a
// 27-point slice at the left, and the title 8 points further right, both centred on the row.
class UninstallCell : public ImageAndTextCell {
    Q_OBJECT
public:
    explicit UninstallCell(QObject* parent = nullptr);
};

}  // namespace ui
