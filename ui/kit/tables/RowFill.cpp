#include "ui/kit/tables/RowFill.h"

#include "ui/kit/looks/Colors.h"

namespace ui {

QColor rowGroundColor() { return getColor(254, 253, 255, 1); }

QColor markedRowColor() { return getColor(255, 255, 255, 0.95); }

}  // namespace ui
