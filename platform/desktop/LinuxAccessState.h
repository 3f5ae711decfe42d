#pragma once

#include "platform/desktop/AccessState.h"

namespace platform {

// Linux has no privacy permission over the user's data: ordinary file permissions govern it,
// and the tools meet refusals as they meet any unreadable file. Access therefore counts as
// granted, and there is no settings pane to send the user to.
class LinuxAccessState : public AccessState {
public:
    LinuxAccessState();

    Status fullDiskAccessStatus() override { return Status::Granted; }
    bool hasPrivacySettingsPane() override { return false; }
};

}  // namespace platform
