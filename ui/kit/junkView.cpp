#include "ui/kit/junkView.h"

#include "ui/kit/Colors.h"

namespace ui {

junkView::junkView(QWidget* parent) : FilledView(getColor(254, 253, 255, 1), parent) {}

}  // namespace ui
