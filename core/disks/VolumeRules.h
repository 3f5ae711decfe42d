#pragma once

#include "core/disks/VolumeObj.h"

#include <optional>
#include <string>
#include <vector>

namespace core::disks {

// Which of the selected row's buttons are usable, and the mount button's title.
struct RowButtons {
    bool rename = false;
    bool format = false;
    bool eject = false;
    bool open = false;
    bool mount = false;
    bool firstaid = false;
    bool isMount = false;  // the volume counts as mounted: the mount button unmounts
    std::string mountTitle;  // "卸载" or "装载"
};

// The disk page's rules, without widgets: what the buttons allow, the names sent to the disk
// utility, the command lines of first aid and the progress it shows.
class VolumeRules {
public:
    static constexpr const char* kMountedTitle = "卸载";
    static constexpr const char* kUnmountedTitle = "装载";
    // The type text the format dialog offers for the platform's journaled file system.
    static constexpr const char* kJournaledTypeText = "Mac OS扩展";

    // Mounted when it reports free space and is no APFS volume; otherwise when it has a
    // mount point.
    static bool isVolumeMounted(const VolumeObj& volume);
    static RowButtons buttonsFor(const VolumeObj& volume);
    // The type, lower-cased, contains "apfs": such a volume keeps its type when formatted.
    static bool isApfsType(const std::string& type);

    // The name a rename sends: nothing for a blank name (nothing is done); on FAT32
    // upper-cased and cut to 11 characters.
    static std::optional<std::string> renameName(const VolumeObj& volume, const std::string& name);
    // The name a format sends: "NEW" for a blank one; for "MS-DOS FAT32" as on rename.
    static std::string formatName(const std::string& typeText, const std::string& name);
    // The format dialog's first type: the offered type text that makes the volume's own file
    // system ("MS-DOS (FAT32)" gives "MS-DOS FAT32", ext4 "Mac OS扩展"), else its own type.
    static std::string offeredTypeText(const std::string& diskType);
    // The type a format sends: "Mac OS扩展" becomes "Journaled HFS+", others go unchanged.
    static std::string formatType(const std::string& typeText);
    // FAT's label rule: upper case (beyond ASCII too) and at most 11 characters, never
    // splitting one.
    static std::string fat32Name(const std::string& name);

    // "verifyvolume" or "repairvolume" with the volume's device.
    static std::vector<std::string> firstAidArguments(const VolumeObj& volume, bool repair);
    // The bar's value for a progress report: 5 per output chunk, at most 99 while running;
    // 101 marks the end and shows 100.
    static double aidProgressShown(double value);
    static constexpr double kAidFinished = 101;
};

}  // namespace core::disks
