#include "ui/kit/looks/InterfaceFonts.h"

#include "core/kit/CommUti.h"
#include "ui/kit/looks/SystemFont.h"

namespace ui {

QString lightFontName() { return QString::fromStdString(core::CommUti::getLightFontName()); }
QString regularFontName() { return QString::fromStdString(core::CommUti::getRegularFontName()); }
QString boldFontName() { return QString::fromStdString(core::CommUti::getBoldFontName()); }

bool writLightFont(const QFont& font) { return core::CommUti::writLightFont(fontNameOf(font).toStdString()); }
bool writRegularFont(const QFont& font) { return core::CommUti::writRegularFont(fontNameOf(font).toStdString()); }
bool writBoldFont(const QFont& font) { return core::CommUti::writBoldFont(fontNameOf(font).toStdString()); }

}  // namespace ui
