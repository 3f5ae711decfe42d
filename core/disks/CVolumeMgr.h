#pragma once

#include "core/kit/Executors.h"
#include "platform/system/PlistValue.h"

#include <optional>
#include <string>
#include <vector>

namespace core::disks {

// Enumerates the machine's volumes through the disk utility's "list" and "info" output and
// filters out what the disk page does not show (boot helpers, system-internal volumes, tiny
// partitions, unmounted internal partitions). Made anew for every scan.
class CVolumeMgr {
public:
    explicit CVolumeMgr(Executors executors);

    // The "info" dictionary of one device identifier ("sda1"); nothing for an empty
    // identifier, a failed run or output that is no dictionary.
    std::optional<platform::PlistValue> EUGetDiskInfo(const std::string& identifier) const;
    // The volume dictionary the page's records are made from.
    static platform::PlistValue MakeVolumeInfo(const platform::PlistValue& info);
    // The volume dictionaries in disk order. Nothing when another enumeration started less
    // than a second ago (they share one output file) or when the list itself failed.
    std::optional<std::vector<platform::PlistValue>> enumDiskVolumesInfo();

private:
    // The recovery and booter identifiers of one disk, taken from its first mounted
    // "Preboot", "Recovery" or "VM" volume.
    struct BootIdentifiers {
        std::optional<std::string> recovery;
        std::optional<std::string> booter;
    };

    bool claimEnumeration();
    void addDisk(const platform::PlistValue& disk, std::vector<platform::PlistValue>& volumes) const;
    void addWholeDiskVolume(const platform::PlistValue& disk, std::vector<platform::PlistValue>& volumes) const;
    void addMembers(const platform::PlistValue::Array& members, std::vector<platform::PlistValue>& volumes) const;
    std::optional<platform::PlistValue> volumeOfMember(const platform::PlistValue& member, BootIdentifiers& boot) const;

    Executors executors_;
};

}  // namespace core::disks
