#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// One mounted volume as the system lists it.
struct MountedVolume {
    std::string name;      // the volume's name (its mount point's last component; "/" for the root)
    std::string rootPath;  // where it is mounted
    std::string device;    // kernel name of its device, e.g. "sdb1"
    uint64_t totalBytes = 0;
    uint64_t freeBytes = 0;  // available to the user
    bool ejectable = false;  // the medium can be taken out
    bool removable = false;
    bool externalBus = false;  // on a bus outside the machine (USB, FireWire, Thunderbolt)
    bool network = false;
    bool opticalMedia = false;  // a CD or DVD
};

// The mounted volumes, in the order they were mounted.
class MountedVolumes {
public:
    virtual ~MountedVolumes() = default;
    virtual std::vector<MountedVolume> mountedVolumes() = 0;

    static std::shared_ptr<MountedVolumes> shared();
    static void setShared(std::shared_ptr<MountedVolumes> volumes);
};

}  // namespace platform
