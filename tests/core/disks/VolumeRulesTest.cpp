#include "core/disks/VolumeRules.h"

#include <gtest/gtest.h>

using core::disks::VolumeObj;
using core::disks::VolumeRules;

namespace {

VolumeObj volumeOf(const std::string& type, const std::string& mountPoint, int64_t freeBytes, bool ejectable) {
    VolumeObj volume;
    volume.diskType = type;
    volume.volumeMountPoint = mountPoint;
    volume.volumeFreeSizeNum = freeBytes;
    volume.bCanEject = ejectable;
    volume.volumePath = "sdb1";
    return volume;
}

}  // namespace

TEST(VolumeRules, ButtonsOfTheSelectedRow) {
    struct Case {
        const char* what;
        VolumeObj volume;
        bool rename, format, eject, open, mount, firstaid;
        const char* mountTitle;
    };
    const Case cases[] = {
        {"start-up volume", volumeOf("ext4", "/", 5000, false), true, false, false, true, false, true, "卸载"},
        {"NTFS stick", volumeOf("Windows NT File System (NTFS)", "/media/x", 10, true), false, true, true, true, true,
         true, "卸载"},
        {"unmounted stick", volumeOf("MS-DOS (FAT32)", "", 0, true), false, false, true, false, true, false, "装载"},
        // An APFS volume counts as mounted only through its mount point, whatever its free space.
        {"APFS without mount point", volumeOf("APFS", "", 900, false), false, false, false, false, false, false, "装载"},
        {"free space without mount point", volumeOf("ExFAT", "", 900, true), true, true, true, true, true, true, "卸载"},
    };
    for (const auto& c : cases) {
        auto buttons = VolumeRules::buttonsFor(c.volume);
        EXPECT_EQ(buttons.rename, c.rename) << c.what;
        EXPECT_EQ(buttons.format, c.format) << c.what;
        EXPECT_EQ(buttons.eject, c.eject) << c.what;
        EXPECT_EQ(buttons.open, c.open) << c.what;
        EXPECT_EQ(buttons.mount, c.mount) << c.what;
        EXPECT_EQ(buttons.firstaid, c.firstaid) << c.what;
        EXPECT_EQ(buttons.mountTitle, c.mountTitle) << c.what;
    }
}

TEST(VolumeRules, NamesSentToTheUtility) {
    VolumeObj fat = volumeOf("MS-DOS (FAT32)", "/media/x", 1, true);
    VolumeObj ext = volumeOf("ext4", "/media/y", 1, true);
    EXPECT_EQ(VolumeRules::renameName(fat, "sixteen chars ab"), "SIXTEEN CHA");
    EXPECT_EQ(VolumeRules::renameName(ext, "sixteen chars ab"), "sixteen chars ab");
    EXPECT_EQ(VolumeRules::renameName(fat, ""), std::nullopt);
    EXPECT_EQ(VolumeRules::renameName(fat, " "), std::nullopt);
    EXPECT_EQ(VolumeRules::renameName(fat, "  "), "  ");
    // Upper case beyond ASCII, and the cut falls between characters, never inside one.
    EXPECT_EQ(VolumeRules::fat32Name("été"), "ÉTÉ");
    EXPECT_EQ(VolumeRules::fat32Name("ééééééééééé€"), "ÉÉÉÉÉÉÉÉÉÉÉ");
    EXPECT_EQ(VolumeRules::fat32Name("文件文件文件文件文件文件"), "文件文件文件文件文件文");
    EXPECT_EQ(VolumeRules::formatName("MS-DOS FAT32", ""), "NEW");
    EXPECT_EQ(VolumeRules::formatName("ExFAT", " "), "NEW");
    EXPECT_EQ(VolumeRules::formatName("MS-DOS FAT32", "backup disk two"), "BACKUP DISK");
    EXPECT_EQ(VolumeRules::formatName("ExFAT", "backup disk two"), "backup disk two");
    EXPECT_EQ(VolumeRules::formatType("Mac OS扩展"), "Journaled HFS+");
    EXPECT_EQ(VolumeRules::formatType("ExFAT"), "ExFAT");
    EXPECT_EQ(VolumeRules::offeredTypeText("MS-DOS (FAT32)"), "MS-DOS FAT32");
    EXPECT_EQ(VolumeRules::offeredTypeText("ext4"), "Mac OS扩展");
    EXPECT_EQ(VolumeRules::offeredTypeText("APFS"), "APFS");
    EXPECT_EQ(VolumeRules::offeredTypeText("Windows NT File System (NTFS)"), "Windows NT File System (NTFS)");
}

TEST(VolumeRules, FirstAidProgress) {
    // Three output chunks show 15, then 100 at the end; 25 chunks stay at 99 until the end.
    EXPECT_EQ(VolumeRules::aidProgressShown(1), 5);
    EXPECT_EQ(VolumeRules::aidProgressShown(3), 15);
    EXPECT_EQ(VolumeRules::aidProgressShown(20), 99);
    EXPECT_EQ(VolumeRules::aidProgressShown(25), 99);
    EXPECT_EQ(VolumeRules::aidProgressShown(VolumeRules::kAidFinished), 100);
    VolumeObj volume = volumeOf("ext4", "/media/y", 1, true);
    EXPECT_EQ(VolumeRules::firstAidArguments(volume, false), (std::vector<std::string>{"verifyvolume", "sdb1"}));
    EXPECT_EQ(VolumeRules::firstAidArguments(volume, true), (std::vector<std::string>{"repairvolume", "sdb1"}));
}
