#include "ui/kit/LeftView.h"

#include "ui/kit/Colors.h"
#include "ui/kit/WidgetColors.h"

namespace ui {

LeftView::LeftView(QWidget* parent) : QWidget(parent) { fillBackground(this, getColor(244, 244, 244, 1)); }

}  // namespace ui
