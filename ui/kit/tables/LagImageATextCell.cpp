#include "ui/kit/tables/LagImageATextCell.h"

namespace ui {

LagImageATextCell::LagImageATextCell(QObject* parent)
    : ImageAndTextCell(Layout{25, 22, 9, 1, 14, 0, 20}, parent) {}

}  // namespace ui
