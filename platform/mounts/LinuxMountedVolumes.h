#pragma once

#include "platform/mounts/MountTable.h"
#include "platform/mounts/MountedVolumes.h"

#include <optional>

namespace platform {

// Mounted volumes from the mount table under the environment's /proc root: every block device
// once, at its first mount point (later bind mounts of it are the same volume), with sizes from statvfs and its kind from the
// device's folder under the /sys root. Network and pseudo file systems are not volumes here, so
// no statvfs ever waits on a server that has gone away.
class LinuxMountedVolumes : public MountedVolumes {
public:
    std::vector<MountedVolume> mountedVolumes() override;

    // The volume of one mount table entry; nothing for an entry that is no volume.
    static std::optional<MountedVolume> volumeOf(const MountEntry& entry);
};

}  // namespace platform
