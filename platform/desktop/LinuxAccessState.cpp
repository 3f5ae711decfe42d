#include "platform/desktop/LinuxAccessState.h"

#include "platform/system/Log.h"

namespace platform {

LinuxAccessState::LinuxAccessState() {
    logInfo("no Full Disk Access permission on this system: access to the user's data counts as granted");
}

}  // namespace platform
