#include "ui/kit/LightFontName.h"

namespace ui {

// The settings file's font-name readers are not part of the kit yet: until they are, no light
// font is stored and titles keep their own font.
QString lightFontName() { return QString(); }

}  // namespace ui
