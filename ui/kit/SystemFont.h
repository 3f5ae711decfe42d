#pragma once

#include <QFont>

namespace ui {

// The desktop's interface font at a size given in points as the layouts count them: one point is
// one logical pixel, whatever the screen's dots per inch.
QFont systemFontOfSize(double points);

}  // namespace ui
