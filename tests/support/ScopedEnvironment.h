#pragma once

#include "platform/system/Environment.h"
#include "support/TempFolder.h"

#include <functional>

namespace testsupport {

// Installs an Environment whose root, home (with its XDG folders), configuration and runtime
// folders all lie in a fresh temporary folder, so nothing a test does reaches the real home or
// system. A test of the Linux desktop's own layout sets the root to "/": the macOS user folders
// then resolve into the temporary home. The previous environment comes back when it goes out
// of scope.
class ScopedEnvironment {
public:
    explicit ScopedEnvironment(std::function<void(platform::Environment::Values&)> adjust = {});
    ~ScopedEnvironment();

    const TempFolder& folder() const { return folder_; }
    // The fixture tree that macOS paths resolve into.
    std::string root() const { return folder_ / "root"; }
    const platform::Environment& environment() const { return *environment_; }

private:
    TempFolder folder_;
    std::shared_ptr<platform::Environment> previous_;
    std::shared_ptr<platform::Environment> environment_;
};

}  // namespace testsupport
