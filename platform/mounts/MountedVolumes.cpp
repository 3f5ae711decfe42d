#include "platform/mounts/MountedVolumes.h"

#include "platform/mounts/LinuxMountedVolumes.h"
#include "platform/system/ServiceSlot.h"

namespace platform {
namespace {

ServiceSlot<MountedVolumes>& slot() {
    static ServiceSlot<MountedVolumes> instance([] { return std::make_shared<LinuxMountedVolumes>(); });
    return instance;
}

}  // namespace

std::shared_ptr<MountedVolumes> MountedVolumes::shared() { return slot().get(); }
void MountedVolumes::setShared(std::shared_ptr<MountedVolumes> volumes) { slot().set(std::move(volumes)); }

}  // namespace platform
