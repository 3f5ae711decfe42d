#include "core/junk/TCDiskVolums.h"

#include "core/kit/CommUti.h"
#include "platform/mounts/MountedVolumes.h"

namespace core::junk {
namespace {

uint64_t volumeTypeOf(const platform::MountedVolume& volume) {
    if (volume.network) return TCVolumDetail::Network;
    if (volume.opticalMedia) return TCVolumDetail::OpticalMedia;
    if (volume.externalBus) return TCVolumDetail::ExternalBus;
    if (volume.removable) return TCVolumDetail::Removable;
    return TCVolumDetail::Other;
}

TCVolumDetail detailOf(const platform::MountedVolume& volume, int16_t refNumber) {
    TCVolumDetail detail;
    detail.volRefNumber = refNumber;
    detail.nTotalSize = volume.totalBytes;
    detail.nFreeSize = volume.freeBytes;
    detail.totalSpace = CommUti::convertVolSpace(volume.totalBytes);
    detail.freeSpace = CommUti::convertVolSpace(volume.freeBytes);
    detail.volumeName = volume.name;
    detail.volRootDir = volume.rootPath;
    detail.volIcon = volume.rootPath;
    detail.bIsDefaultVol = volume.rootPath == "/";
    detail.volType = volumeTypeOf(volume);
    detail.bCanEject = volume.network || volume.externalBus || volume.ejectable ||
                       detail.volType == TCVolumDetail::OpticalMedia;
    return detail;
}

}  // namespace

const std::vector<TCVolumDetail>& TCDiskVolums::allDiskVolums() {
    volumesArr_.clear();
    enumVolumesInfo();
    return volumesArr_;
}

void TCDiskVolums::enumVolumesInfo() {
    int16_t index = 0;
    for (const auto& volume : platform::MountedVolumes::shared()->mountedVolumes()) {
        ++index;
        if (volume.totalBytes == 0) continue;
        volumesArr_.push_back(detailOf(volume, index));
    }
}

}  // namespace core::junk
