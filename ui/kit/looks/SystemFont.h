#pragma once

#include <QFont>
#include <QString>

namespace ui {

// The desktop's interface font at a size given in points as the layouts count them: one point is
// one logical pixel, whatever the screen's dots per inch.
QFont systemFontOfSize(double points);
// The font of the given family (or the nearest one installed) at a size counted the same way.
QFont fontWithName(const QString& name, double points);
// The same font in bold.
QFont boldSystemFontOfSize(double points);

}  // namespace ui
