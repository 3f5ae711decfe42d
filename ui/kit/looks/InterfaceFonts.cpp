#include "ui/kit/looks/InterfaceFonts.h"

#include "core/kit/CommUti.h"

namespace ui {

QString lightFontName() { return QString::fromStdString(core::CommUti::getLightFontName()); }
QString regularFontName() { return QString::fromStdString(core::CommUti::getRegularFontName()); }
QString boldFontName() { return QString::fromStdString(core::CommUti::getBoldFontName()); }

bool writLightFont(const QFont& font) { return core::CommUti::writLightFont(font.family().toStdString()); }
bool writRegularFont(const QFont& font) { return core::CommUti::writRegularFont(font.family().toStdString()); }
bool writBoldFont(const QFont& font) { return core::CommUti::writBoldFont(font.family().toStdString()); }

}  // namespace ui
