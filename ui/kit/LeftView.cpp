#include "ui/kit/LeftView.h"

#include "ui/kit/Colors.h"

namespace ui {

LeftView::LeftView(QWidget* parent) : FilledView(getColor(244, 244, 244, 1), parent) {}

}  // namespace ui
