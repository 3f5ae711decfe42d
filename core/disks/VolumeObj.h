#pragma once

#include "platform/system/PlistValue.h"

#include <cstdint>
#include <string>

namespace core::disks {

// One volume of the disk page. Fields not filled from the volume dictionary keep their zero
// values; a volume is external (ejectable) exactly when bCanEject is set.
struct VolumeObj {
    std::string volumeType;
    std::string volumeName;
    std::string volumePath;  // the disk utility's device identifier, e.g. "sdb1"
    std::string volumeMountPoint;
    std::string volumeTotalSize;
    std::string volumeFreeSize;
    int64_t volumeTotalSizeNum = 0;
    int64_t volumeFreeSizeNum = 0;
    std::string BusProtocol;
    std::string diskType;  // the file-system name, e.g. "ext4"
    std::string diskId;
    std::string diskMediaName;
    std::string diskSMARTStatus;
    std::string diskContent;
    std::string diskEx;
    std::string vORpStr;
    std::string diskUUID;
    std::string volRootDir;
    int16_t volumeNum = 0;
    std::string parentWholeDisk;
    bool isInter = false;
    bool isSolidState = false;
    bool isWritable = false;
    bool isDisk = false;
    bool isOeners = false;
    int32_t chrCount = 0;
    bool bCanEject = false;

    // Built from a volume dictionary of CVolumeMgr::MakeVolumeInfo.
    static VolumeObj fromVolumeInfo(const platform::PlistValue& info);
};

}  // namespace core::disks
