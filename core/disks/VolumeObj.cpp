#include "core/disks/VolumeObj.h"

namespace core::disks {

VolumeObj VolumeObj::fromVolumeInfo(const platform::PlistValue& info) {
    VolumeObj volume;
    volume.volumeName = info["volumeName"].toString();
    volume.volumePath = info["volumePath"].toString();
    volume.volumeMountPoint = info["MountPoint"].toString();
    volume.volumeTotalSize = info["volumeTotalSize"].toString();
    volume.volumeFreeSize = info["volumeFreeSize"].toString();
    volume.volumeTotalSizeNum = info["TotalSize"].toInteger();
    volume.volumeFreeSizeNum = info["FreeSpace"].toInteger();
    volume.BusProtocol = info["BusProtocol"].toString();
    volume.diskType = info["FilesystemName"].toString();
    volume.diskUUID = info["DiskUUID"].toString();
    volume.volRootDir = info["DeviceNode"].toString();
    volume.parentWholeDisk = info["ParentWholeDisk"].toString();
    volume.isWritable = info["Writable"].toBool();
    volume.bCanEject = info["Ejectable"].toBool();
    return volume;
}

}  // namespace core::disks
