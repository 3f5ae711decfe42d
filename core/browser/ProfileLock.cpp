#include "core/browser/ProfileLock.h"

#include "platform/files/FileDescriptor.h"
#include "platform/files/PathText.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <optional>

namespace core::browser {
namespace {

std::optional<std::string> linkTarget(const std::string& path) {
    char buffer[4096];
    ssize_t length = readlink(path.c_str(), buffer, sizeof buffer);
    if (length < 0) return std::nullopt;
    return std::string(buffer, static_cast<size_t>(length));
}

std::optional<pid_t> pidIn(std::string_view text) {
    pid_t pid = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), pid);
    if (error != std::errc() || end != text.data() + text.size() || pid <= 0) return std::nullopt;
    return pid;
}

bool hasEnded(pid_t pid) { return kill(pid, 0) != 0 && errno == ESRCH; }

std::string hostName() {
    char name[256] = {};
    gethostname(name, sizeof name - 1);
    return name;
}

// Chromium's "SingletonLock" is a link to "<host>-<pid>" while the browser runs. Anything else
// in its place counts as held.
bool singletonLockHeld(const std::string& dataRoot) {
    const std::string lock = platform::joinPath(dataRoot, "SingletonLock");
    struct stat info {};
    if (lstat(lock.c_str(), &info) != 0) return false;
    auto target = linkTarget(lock);
    if (!target) return true;
    const size_t dash = target->rfind('-');
    if (dash == std::string::npos) return true;
    auto pid = pidIn(std::string_view(*target).substr(dash + 1));
    return !(pid && target->substr(0, dash) == hostName() && hasEnded(*pid));
}

// Firefox keeps a link "lock" to "<address>:+<pid>" and a lock on ".parentlock" while it runs.
bool firefoxProfileHeld(const std::string& profile) {
    const std::string lock = platform::joinPath(profile, "lock");
    struct stat info {};
    if (lstat(lock.c_str(), &info) == 0) {
        auto target = linkTarget(lock);
        const size_t plus = target ? target->rfind('+') : std::string::npos;
        auto pid = plus == std::string::npos ? std::nullopt : pidIn(std::string_view(*target).substr(plus + 1));
        if (!pid || !hasEnded(*pid)) return true;
    }
    const std::string parentLock = platform::joinPath(profile, ".parentlock");
    platform::FileDescriptor file(open(parentLock.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!file.isOpen()) return false;
    // An open-file-description query sees the browser's lock even where this process holds one.
    struct flock query {};
    query.l_type = F_WRLCK;
    query.l_whence = SEEK_SET;
    return fcntl(file.get(), F_OFD_GETLK, &query) == 0 && query.l_type != F_UNLCK;
}

}  // namespace

bool ProfileLock::isInUse(const BrowserTable::Row& row, const std::string& profilePath) {
    switch (row.lock) {
        case BrowserTable::Lock::SingletonLock: {
            const auto roots = BrowserTable::itemRootPaths(row);
            return !roots.empty() && singletonLockHeld(roots.front());
        }
        case BrowserTable::Lock::FirefoxProfile: return firefoxProfileHeld(profilePath);
        case BrowserTable::Lock::None: break;
    }
    return false;
}

}  // namespace core::browser
