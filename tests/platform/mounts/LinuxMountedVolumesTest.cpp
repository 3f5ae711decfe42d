#include "platform/mounts/LinuxMountedVolumes.h"

#include "support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <unistd.h>

using platform::LinuxMountedVolumes;

namespace {

// A /sys/dev/block link to a device folder, with the whole disk's attributes.
void addBlockDevice(const testsupport::TempFolder& folder, const std::string& number, const std::string& diskPath,
                    const std::string& partition, const std::string& removable, const std::string& type) {
    std::string disk = "sys/devices/" + diskPath;
    folder.writeFile(disk + "/removable", removable + "\n");
    if (!type.empty()) folder.writeFile(disk + "/device/type", type + "\n");
    std::string device = disk;
    if (!partition.empty()) {
        device += "/" + partition;
        folder.writeFile(device + "/partition", "1\n");
    }
    folder.makeFolder("sys/dev/block");
    symlink((folder / device).c_str(), (folder / ("sys/dev/block/" + number)).c_str());
}

}  // namespace

TEST(LinuxMountedVolumes, BlockDevicesOnceEachWithTheirKind) {
    testsupport::ScopedEnvironment environment;
    const auto& folder = environment.folder();
    std::string root = folder.makeFolder("mnt/root");
    std::string stick = folder.makeFolder("mnt/STICK");
    std::string dvd = folder.makeFolder("mnt/DVD");
    std::string bind = folder.makeFolder("mnt/bind");
    std::string again = folder.makeFolder("mnt/again");
    addBlockDevice(folder, "8:1", "pci0000:00/ata1/host0/block/sda", "sda1", "0", "0");
    addBlockDevice(folder, "8:17", "pci0000:00/usb1/1-1/host6/block/sdb", "sdb1", "1", "0");
    addBlockDevice(folder, "11:0", "pci0000:00/ata2/host1/block/sr0", "", "1", "5");
    folder.writeFile("proc/self/mountinfo",
                     "22 27 0:21 / /proc rw - proc proc rw\n"
                     "27 1 8:1 / " + root + " rw - ext4 /dev/sda1 rw\n"
                     "31 27 0:26 / /run rw - tmpfs tmpfs rw\n"
                     "71 31 8:17 / " + stick + " rw - vfat /dev/sdb1 rw\n"
                     "74 31 11:0 / " + dvd + " ro - iso9660 /dev/sr0 ro\n"
                     "75 27 0:40 / /mnt/share-on-a-dead-server rw - nfs4 server:/export rw\n"
                     "76 27 8:1 /var/lib " + bind + " rw - ext4 /dev/sda1 rw\n"
                     "77 27 8:17 / " + again + " rw - vfat /dev/sdb1 rw\n");

    auto volumes = LinuxMountedVolumes().mountedVolumes();
    ASSERT_EQ(volumes.size(), 3u);
    EXPECT_EQ(volumes[0].rootPath, root);
    EXPECT_EQ(volumes[0].device, "sda1");
    EXPECT_GT(volumes[0].totalBytes, 0u);
    EXPECT_FALSE(volumes[0].removable || volumes[0].externalBus || volumes[0].opticalMedia);

    EXPECT_EQ(volumes[1].rootPath, stick);
    EXPECT_EQ(volumes[1].name, "STICK");
    EXPECT_TRUE(volumes[1].removable);
    EXPECT_TRUE(volumes[1].externalBus);
    EXPECT_FALSE(volumes[1].opticalMedia);

    EXPECT_EQ(volumes[2].rootPath, dvd);
    EXPECT_TRUE(volumes[2].opticalMedia);
    EXPECT_FALSE(volumes[2].externalBus);
}

TEST(LinuxMountedVolumes, UnreadableTableGivesNoVolumes) {
    testsupport::ScopedEnvironment environment;
    EXPECT_TRUE(LinuxMountedVolumes().mountedVolumes().empty());
}
