#pragma once

class QWidget;

namespace ui {

// Gives a window the light look of the interface (dark text on light grounds), whatever colour
// scheme the desktop uses.
void setLightAppearance(QWidget* window);

}  // namespace ui
