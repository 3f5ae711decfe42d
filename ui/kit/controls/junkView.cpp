#include "ui/kit/controls/junkView.h"

#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/WidgetColors.h"

namespace ui {

junkView::junkView(QWidget* parent) : QWidget(parent) { fillBackground(this, getColor(254, 253, 255, 1)); }

}  // namespace ui
