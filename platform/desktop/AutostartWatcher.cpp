#include "platform/desktop/AutostartWatcher.h"

#include "platform/files/PathText.h"
#include "platform/system/Log.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace platform {
namespace {

constexpr uint32_t kGone = IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;
constexpr uint32_t kFolderEvents = IN_CREATE | IN_DELETE | IN_CLOSE_WRITE | IN_MOVED_FROM | IN_MOVED_TO | IN_ATTRIB | kGone;
constexpr uint32_t kParentEvents = IN_CREATE | IN_MOVED_TO | kGone;
// A burst that never goes quiet is still reported after this long.
constexpr std::chrono::seconds kLongestDelay{2};

}  // namespace

AutostartWatcher::AutostartWatcher(std::string folder, LoginItemList::ChangeHandler handler,
                                   std::chrono::milliseconds quietPeriod)
    : folder_(normalizedPath(folder)), handler_(std::move(handler)), quietPeriod_(quietPeriod),
      inotifyFd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)), wakeFd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
    if (inotifyFd_ < 0) {
        logWarning("cannot watch the login items in " + folder_ + ": " + std::strerror(errno));
        return;
    }
    watchFolderOrNearestParent();
    thread_ = std::thread([this] { watch(); });
}

AutostartWatcher::~AutostartWatcher() {
    stopping_ = true;
    uint64_t one = 1;
    ssize_t ignored = write(wakeFd_, &one, sizeof one);
    (void)ignored;
    if (thread_.joinable()) thread_.join();
    if (inotifyFd_ >= 0) close(inotifyFd_);
    if (wakeFd_ >= 0) close(wakeFd_);
}

void AutostartWatcher::watch() {
    while (!stopping_) {
        if (!waitForEvents(std::nullopt)) continue;
        auto giveUp = std::chrono::steady_clock::now() + kLongestDelay;
        while (!stopping_ && std::chrono::steady_clock::now() < giveUp && waitForEvents(quietPeriod_)) {
        }
        if (stopping_) break;
        bool wasWatchingFolder = watchingFolder_;
        watchFolderOrNearestParent();
        // Events in a parent only matter once they brought the folder itself.
        if (wasWatchingFolder || watchingFolder_) handler_();
    }
}

void AutostartWatcher::watchFolderOrNearestParent() {
    if (watchDescriptor_ >= 0) inotify_rm_watch(inotifyFd_, watchDescriptor_);
    watchDescriptor_ = -1;
    for (std::string path = folder_; !path.empty(); path = parentPath(path)) {
        bool isFolder = path == folder_;
        watchDescriptor_ = inotify_add_watch(inotifyFd_, path.c_str(), isFolder ? kFolderEvents : kParentEvents);
        if (watchDescriptor_ >= 0) {
            watchingFolder_ = isFolder;
            return;
        }
        if ((errno != ENOENT && errno != ENOTDIR) || path == "/") break;
    }
    watchingFolder_ = false;
    logWarning("cannot watch the login items in " + folder_ + ": " + std::strerror(errno));
}

bool AutostartWatcher::waitForEvents(std::optional<std::chrono::milliseconds> timeout) {
    pollfd fds[2] = {{inotifyFd_, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
    if (poll(fds, 2, timeout ? static_cast<int>(timeout->count()) : -1) <= 0) return false;
    if (fds[1].revents & POLLIN) return false;
    if (!(fds[0].revents & POLLIN)) return false;
    alignas(inotify_event) char buffer[4096];
    while (read(inotifyFd_, buffer, sizeof buffer) > 0) {
    }
    return true;
}

}  // namespace platform
