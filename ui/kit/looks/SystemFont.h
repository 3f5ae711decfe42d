#pragma once

#include <QFont>
#include <QString>

namespace ui {

// The desktop's interface font at a size given in points as the layouts count them: one point is
// one logical pixel, whatever the screen's dots per inch.
QFont systemFontOfSize(double points);
// The font of the given name at a size counted the same way. A name made by fontNameOf
// ("Noto Sans-Light") gives that family at that weight; any other name is a family (or the
// nearest one installed) at the regular weight.
QFont fontWithName(const QString& name, double points);
// The name a font is stored under: the installed family that draws it, a hyphen and the
// weight asked for, so a light and a bold font of one family keep different names even where
// the machine has a single face of it.
QString fontNameOf(const QFont& font);
// The same font in bold.
QFont boldSystemFontOfSize(double points);

}  // namespace ui
