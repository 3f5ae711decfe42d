#pragma once

#include <QFont>
#include <QString>

namespace ui {

// The interface's light, regular and bold font names, kept in the settings file. Each launch
// stores the names (family and weight, fontNameOf) of the main window's three font labels;
// labels and header cells read them back and make a font of the size they need with
// fontWithName (SystemFont.h).
// A name is empty when none is stored.
QString lightFontName();
QString regularFontName();
QString boldFontName();
bool writLightFont(const QFont& font);
bool writRegularFont(const QFont& font);
bool writBoldFont(const QFont& font);

}  // namespace ui
