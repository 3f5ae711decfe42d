#include "ui/panel/PopBaseView.h"

namespace ui {

PopBaseView::PopBaseView(QWidget* parent) : QWidget(parent) {}

void PopBaseView::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (delegate) delegate->mouseExitForPopView();
}

}  // namespace ui
