#include "core/disks/WatchMountUnmount.h"

namespace core::disks {

WatchMountUnmount::WatchMountUnmount(Executors executors, Observer observer, platform::MountWatcher::Options options) {
    auto deliver = [executors, observer](const std::vector<platform::MountChange>& changes) {
        executors.main([observer, changes] { observer(notificationName(changes), changes); });
    };
    watcher_ = std::make_unique<platform::MountWatcher>(deliver, std::move(options));
}

std::string WatchMountUnmount::notificationName(const std::vector<platform::MountChange>& changes) {
    for (const auto& change : changes)
        if (change.kind == platform::MountChange::Kind::Mounted) return kVolumeMountNotification;
    return kVolumeUnmountNotification;
}

}  // namespace core::disks
