#include "ui/taskmanager/QuitAppTextFieldCell.h"

namespace ui {

QuitAppTextFieldCell::QuitAppTextFieldCell(QObject* parent)
    : ImageAndTextCell(Layout{25, 22, 8, 0, 12, 0.5, 0}, parent) {}

}  // namespace ui
