#pragma once

#include <string>

namespace platform {

// The desktop's own settings program: the first installed (found in PATH) of GNOME's, KDE's
// and Xfce's; "" where none is.
std::string settingsProgram();

}  // namespace platform
