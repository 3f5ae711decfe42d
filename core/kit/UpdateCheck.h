#pragma once

#include "core/kit/VersionList.h"

#include <optional>

namespace core {

// The update check's work: whether the network can be reached, the published version list
// from the link "IniURL", and whether it announces a newer build than this one.
class UpdateCheck {
public:
    UpdateCheck() = delete;

    // Waits for the network: nothing when it cannot be reached; otherwise the list from
    // "IniURL" through the web client, the empty list (build number 0) when it could not be
    // loaded or no link is set. Runs off the main thread.
    static std::optional<VersionList> getVersionChange();
    // The list announces a build above this one's "VersionCheck" (both as integer values).
    static bool isNewerThanThisBuild(const VersionList& published);
};

}  // namespace core
