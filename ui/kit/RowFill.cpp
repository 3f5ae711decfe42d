#include "ui/kit/RowFill.h"

#include "ui/kit/Colors.h"

namespace ui {

QColor rowGroundColor() { return getColor(254, 253, 255, 1); }

QColor markedRowColor() { return getColor(255, 255, 255, 0.95); }

}  // namespace ui
