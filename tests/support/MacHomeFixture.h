#pragma once

#include "support/ScopedEnvironment.h"

#include <string>

namespace testsupport {

// A Mac-like tree under a fresh root: macOS paths ("/Library/...", "~/Library/...") are written
// and made where the environment resolves them. The login name is "tester".
class MacHomeFixture {
public:
    MacHomeFixture() = default;
    explicit MacHomeFixture(std::function<void(platform::Environment::Values&)> adjust)
        : environment_(std::move(adjust)) {}

    // The resolved path of a macOS path.
    std::string path(const std::string& macPath) const { return environment_.environment().resolve(macPath); }
    std::string file(const std::string& macPath, const std::string& content = "x") const;
    std::string folder(const std::string& macPath) const;
    // A link at macPath pointing at target (a path on this machine).
    std::string link(const std::string& macPath, const std::string& target) const;
    const ScopedEnvironment& environment() const { return environment_; }

private:
    std::string relative(const std::string& macPath) const;

    ScopedEnvironment environment_;
};

}  // namespace testsupport
