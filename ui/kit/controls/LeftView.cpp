#include "ui/kit/controls/LeftView.h"

#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/WidgetColors.h"

namespace ui {

LeftView::LeftView(QWidget* parent) : QWidget(parent) { fillBackground(this, getColor(244, 244, 244, 1)); }

}  // namespace ui
