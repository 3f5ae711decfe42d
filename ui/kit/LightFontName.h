#pragma once

#include <QString>

namespace ui {

// The light font's name as the settings file stores it; empty when none is stored.
QString lightFontName();

}  // namespace ui
