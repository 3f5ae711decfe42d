#include "ui/shell/PlaceholderViewController.h"

#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/WidgetColors.h"

#include <QLabel>
#include <QVBoxLayout>

namespace ui {

PlaceholderViewController::PlaceholderViewController(int viewID, const QString& toolName) : viewID(viewID) {
    fillBackground(this, getColor(254, 253, 255, 1));

    auto* name = new QLabel(toolName, this);
    name->setAlignment(Qt::AlignCenter);
    QFont font = name->font();
    font.setPixelSize(24);
    name->setFont(font);
    setTextColor(name, getColor(120, 120, 120, 1));
    (new QVBoxLayout(this))->addWidget(name);
}

}  // namespace ui
