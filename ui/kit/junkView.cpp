#include "ui/kit/junkView.h"

#include "ui/kit/Colors.h"
#include "ui/kit/WidgetColors.h"

namespace ui {

junkView::junkView(QWidget* parent) : QWidget(parent) { fillBackground(this, getColor(254, 253, 255, 1)); }

}  // namespace ui
