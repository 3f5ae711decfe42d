#pragma once

#include <cstdint>
#include <string>

namespace core::junk {

// One mounted volume.
struct TCVolumDetail {
    enum VolumeType : uint64_t { Other = 1, ExternalBus = 2, OpticalMedia = 3, Network = 4, Removable = 5 };

    int16_t volRefNumber = 0;
    uint64_t volType = 0;
    bool bIsDefaultVol = false;  // mounted at "/"
    std::string volumeName;
    std::string freeSpace;   // size texts
    std::string totalSpace;
    std::string volRootDir;  // the mount point
    std::string volIcon;     // the path whose workspace icon stands for the volume
    bool bCanEject = false;
    uint64_t nTotalSize = 0;
    uint64_t nFreeSize = 0;
};

}  // namespace core::junk
