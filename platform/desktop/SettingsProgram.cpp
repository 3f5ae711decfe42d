#include "platform/desktop/SettingsProgram.h"

#include "platform/system/ProcessRunner.h"

namespace platform {

std::string settingsProgram() {
    for (const char* program : {"gnome-control-center", "systemsettings", "xfce4-settings-manager"}) {
        std::string found = findExecutable(program);
        if (!found.empty()) return found;
    }
    return "";
}

}  // namespace platform
