#pragma once

#include "core/kit/Executors.h"
#include "platform/mounts/MountWatcher.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace core::disks {

constexpr const char* kVolumeMountNotification = "QvVolumeMount";
constexpr const char* kVolumeUnmountNotification = "QvVolumeUnmount";

// Follows the mount table and tells its observer, on the main thread, when block devices
// were mounted ("QvVolumeMount") or unmounted ("QvVolumeUnmount"). A burst of changes is one
// notification: "QvVolumeMount" when it mounted anything, else "QvVolumeUnmount".
class WatchMountUnmount {
public:
    using Observer = std::function<void(const std::string& name, const std::vector<platform::MountChange>& changes)>;

    WatchMountUnmount(Executors executors, Observer observer, platform::MountWatcher::Options options = {});

    static std::string notificationName(const std::vector<platform::MountChange>& changes);

private:
    std::unique_ptr<platform::MountWatcher> watcher_;
};

}  // namespace core::disks
