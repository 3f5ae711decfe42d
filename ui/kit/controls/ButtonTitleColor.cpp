#include "ui/kit/controls/ButtonTitleColor.h"

#include <QAbstractButton>

namespace ui {

void setTitleTextColor(QAbstractButton* button, const QColor& color) {
    QPalette palette = button->palette();
    for (QPalette::ColorRole role : {QPalette::ButtonText, QPalette::WindowText})
        palette.setColor(role, color);
    button->setPalette(palette);
}

QColor titleTextColor(const QAbstractButton*) { return Qt::white; }

}  // namespace ui
