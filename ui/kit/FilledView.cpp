#include "ui/kit/FilledView.h"

#include <QPainter>

namespace ui {

FilledView::FilledView(const QColor& fill, QWidget* parent) : QWidget(parent), fill(fill) {}

void FilledView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), fill);
}

}  // namespace ui
