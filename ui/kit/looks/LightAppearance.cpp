#include "ui/kit/looks/LightAppearance.h"

#include "ui/kit/looks/Colors.h"

#include <QPalette>
#include <QWidget>

namespace ui {

void setLightAppearance(QWidget* window) {
    // Built from a white button and a light grey window ground, the palette derives black text
    // and white fields for everything else.
    window->setPalette(QPalette(getColor(255, 255, 255, 1), getColor(236, 236, 236, 1)));
}

}  // namespace ui
