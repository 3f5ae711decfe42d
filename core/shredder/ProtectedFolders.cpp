#include "core/shredder/ProtectedFolders.h"

#include "platform/files/PathText.h"
#include "platform/files/ResolvedParentPath.h"
#include "platform/system/Environment.h"

#include <pwd.h>
#include <unistd.h>

namespace core {
namespace {

std::vector<std::string> currentHomes() {
    const auto environment = platform::Environment::current();
    std::vector<std::string> homes = {environment->resolve("~"), environment->values().realHome};
    if (const passwd* account = getpwuid(getuid()); account && account->pw_dir) homes.emplace_back(account->pw_dir);
    return homes;
}

}  // namespace

ProtectedFolders::ProtectedFolders() : ProtectedFolders(currentHomes()) {}

ProtectedFolders::ProtectedFolders(std::vector<std::string> homes) {
    for (const std::string& home : homes) {
        if (home.empty() || home.front() != '/') continue;
        homes_.push_back(platform::normalizedPath(home));
        if (auto real = platform::realPath(home)) homes_.push_back(std::move(*real));
    }
}

bool ProtectedFolders::isProtected(const std::string& path) const {
    if (path == "/") return true;
    const std::string resolved = platform::resolvedParentPath(path).value_or(path);
    for (const std::string& home : homes_)
        if (platform::isInsideOrEqual(home, path) || platform::isInsideOrEqual(home, resolved)) return true;
    return false;
}

}  // namespace core
