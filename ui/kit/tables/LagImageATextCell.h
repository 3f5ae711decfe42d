#pragma once

#include "ui/kit/tables/ImageAndTextCell.h"

namespace ui {

// A text cell with a small icon: the model's decoration drawn 22 by 22, 9 points into a 25-point
// slice, the text 14 points further right and 20 points narrower than ImageAndTextCell's.
class LagImageATextCell : public ImageAndTextCell {
    Q_OBJECT
public:
    explicit LagImageATextCell(QObject* parent = nullptr);
};

}  // namespace ui
