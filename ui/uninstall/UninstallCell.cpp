#include "ui/uninstall/UninstallCell.h"

namespace ui {

UninstallCell::UninstallCell(QObject* parent) : ImageAndTextCell(Layout{27, 24, 3, 0, 8, 0, 0}, parent) {}

}  // namespace ui
