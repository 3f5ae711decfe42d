#include "ui/kit/controls/EUHandButton.h"

namespace ui {

EUHandButton::EUHandButton(QWidget* parent) : QPushButton(parent) { setCursor(Qt::PointingHandCursor); }

}  // namespace ui
