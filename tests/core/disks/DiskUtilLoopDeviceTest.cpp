// The disk utility's actions against a real device through udisks2: a loop disk that the
// stand-in lists as a USB stick and nothing else (testsupport::LiveLoopDisk). They need root,
// loop devices and udisks2 (started for the test where the machine runs none) and are skipped,
// saying why, where any of them is missing. Each action is checked on the device itself.
#include "core/disks/DiskVolumeList.h"
#include "platform/system/PlistValue.h"
#include "support/LiveLoopDisk.h"
#include "support/ScopedEnvironment.h"
#include "support/ScopedVariable.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>

using platform::PlistValue;

namespace {

constexpr const char* kLabel = "LOOPSTICK";

class DiskUtilLoopDevice : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string reason = testsupport::LiveLoopDisk::whyNotHere();
        if (!reason.empty()) GTEST_SKIP() << reason;
        live_ = std::make_unique<testsupport::LiveLoopDisk>(kLabel);
        ASSERT_EQ(live_->failure(), "");
    }

    const testsupport::LoopDisk& disk() const { return live_->disk(); }
    std::string name() const { return disk().name(); }
    const std::string& device() const { return disk().device(); }

    // The verb's output lines; the verb must succeed.
    std::string succeeded(std::vector<std::string> args) const {
        const std::string verb = args.front();
        auto result = live_->diskutil(std::move(args));
        EXPECT_TRUE(result.succeeded()) << verb << ": " << result.errorOutput;
        return result.output;
    }
    PlistValue plistOf(std::vector<std::string> args) const {
        return PlistValue::fromBytes(succeeded(std::move(args))).value_or(PlistValue());
    }
    std::string mount() const {
        succeeded({"mount", name()});
        return disk().mountPoint();
    }

    std::unique_ptr<testsupport::LiveLoopDisk> live_;
};

std::string fileSystemName(const std::string& fsType) { return fsType == "vfat" ? "MS-DOS (FAT32)" : fsType; }

}  // namespace

TEST_F(DiskUtilLoopDevice, TheLoopDiskIsListedAsAnExternalVolume) {
    const PlistValue list = plistOf({"list", "-plist"});
    const auto& disks = list["AllDisksAndPartitions"].array();
    ASSERT_EQ(disks.size(), 1u);
    EXPECT_EQ(disks[0]["DeviceIdentifier"], PlistValue(name()));
    EXPECT_TRUE(disks[0]["Partitions"].array().empty());
    const PlistValue info = plistOf({"info", "-plist", device()});
    EXPECT_EQ(info["VolumeName"], PlistValue(kLabel));
    EXPECT_EQ(info["FilesystemName"], PlistValue(fileSystemName(live_->fsType())));
    EXPECT_EQ(info["DiskUUID"], PlistValue(disk().probed("UUID")));
    EXPECT_EQ(info["Ejectable"], PlistValue(true));
    EXPECT_EQ(info["BusProtocol"], PlistValue("USB"));
    EXPECT_EQ(info["MountPoint"], PlistValue(""));

    // The page's list: the one volume, in the external group.
    testsupport::ScopedEnvironment environment([](platform::Environment::Values& values) {
        values.procRoot = "/proc";
        values.sysRoot = "/sys";
    });
    testsupport::ScopedVariable path("PATH", live_->searchPath());
    auto volumes = core::disks::DiskVolumeList::create(core::Executors::inlineExecutors());
    volumes->getallVolumes();
    ASSERT_EQ(volumes->allVolumeArr().size(), 1u);
    EXPECT_EQ(volumes->inDiskCout(), 0);
    const auto& rows = volumes->allVolumeArrSort();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_TRUE(rows[0].isMarker() && rows[1].isMarker());
    EXPECT_EQ(rows[2].volume->volumeName, kLabel);
    EXPECT_TRUE(rows[2].volume->bCanEject);
    EXPECT_EQ(rows[2].volume->volumePath, name());
}

TEST_F(DiskUtilLoopDevice, AMountedVolumeIsRenamedKeepingItsFilesAndIsUnmounted) {
    const std::string mounted = succeeded({"mount", name()});
    const std::string point = disk().mountPoint();
    ASSERT_FALSE(point.empty());
    EXPECT_EQ(mounted, "Volume " + std::string(kLabel) + " on " + device() + " mounted at " + point + "\n");
    std::ofstream(point + "/notes.txt") << "kept";

    EXPECT_EQ(succeeded({"rename", disk().probed("UUID"), "RENAMED"}), "Volume on " + device() + " renamed to RENAMED\n");
    EXPECT_EQ(disk().probed("LABEL"), "RENAMED");
    EXPECT_EQ(testsupport::readWholeFile(point + "/notes.txt"), "kept");

    EXPECT_EQ(succeeded({"unmount", device()}), "Volume RENAMED on " + device() + " unmounted\n");
    EXPECT_EQ(disk().mountPoint(), "");
    const std::string again = mount();
    ASSERT_FALSE(again.empty());
    EXPECT_EQ(testsupport::readWholeFile(again + "/notes.txt"), "kept");
}

// First aid unmounts a mounted volume for the check and mounts it again afterwards.
TEST_F(DiskUtilLoopDevice, FirstAidChecksAndRepairsTheVolumeAndMountsItAgain) {
    ASSERT_FALSE(mount().empty());
    const std::string node = device();
    EXPECT_EQ(succeeded({"verifyvolume", name()}), "Unmounting " + node + " …\nChecking the file system on " + node +
                                                       " …\nThe volume LOOPSTICK appears to be OK.\nMounting " + node +
                                                       " …\n");
    EXPECT_FALSE(disk().mountPoint().empty());
    EXPECT_EQ(succeeded({"repairvolume", node}), "Unmounting " + node + " …\nRepairing the file system on " + node +
                                                     " …\nThe volume LOOPSTICK was repaired.\nMounting " + node +
                                                     " …\n");
    EXPECT_FALSE(disk().mountPoint().empty());

    succeeded({"unmount", name()});
    EXPECT_EQ(succeeded({"verifyvolume", name()}),
              "Checking the file system on " + node + " …\nThe volume LOOPSTICK appears to be OK.\n");
    EXPECT_EQ(disk().mountPoint(), "");
}

// The types of the format dialog ("Mac OS扩展" is sent as "Journaled HFS+"), each that this
// machine can make: first the one this kernel mounts, on the mounted volume, which is mounted
// again; then the others on the unmounted volume.
TEST_F(DiskUtilLoopDevice, FormatsToEachOfferedTypeAndReformats) {
    struct Case {
        std::string type;
        std::string fsType;
        std::string label;
    };
    std::vector<Case> cases = {
        {"ExFAT", "exfat", "EXFAT"}, {"MS-DOS FAT32", "vfat", "FAT32"}, {"Journaled HFS+", "ext4", "JOURNALED"}};
    std::stable_partition(cases.begin(), cases.end(), [&](const Case& c) { return c.fsType == live_->fsType(); });
    ASSERT_FALSE(mount().empty());
    for (const auto& c : cases) {
        if (!testsupport::LoopDisk::canMake(c.fsType)) {
            RecordProperty("not made here", c.fsType);
            continue;
        }
        const bool wasMounted = !disk().mountPoint().empty();
        const std::string steps = succeeded({"eraseVolume", c.type, c.label, name()});
        EXPECT_NE(steps.find("Formatted " + device() + " as " + c.fsType + " named " + c.label), std::string::npos)
            << steps;
        EXPECT_EQ(disk().probed("TYPE"), c.fsType);
        EXPECT_EQ(disk().probed("LABEL"), c.label);
        if (c.fsType == "vfat") {
            EXPECT_EQ(disk().probed("VERSION"), "FAT32");
        }
        EXPECT_EQ(!disk().mountPoint().empty(), wasMounted) << c.type;
        if (wasMounted) succeeded({"unmount", name()});
    }
    // The last file system again, anew under its name.
    const std::string fsType = disk().probed("TYPE");
    const std::string label = disk().probed("LABEL");
    const std::string uuid = disk().probed("UUID");
    EXPECT_NE(succeeded({"reformat", name()}).find("Formatted " + device() + " as " + fsType + " named " + label),
              std::string::npos);
    EXPECT_EQ(disk().probed("TYPE"), fsType);
    EXPECT_EQ(disk().probed("LABEL"), label);
    EXPECT_NE(disk().probed("UUID"), uuid);
}

// A disk image has no drive to power off: ejecting it unmounts it and detaches it.
TEST_F(DiskUtilLoopDevice, EjectUnmountsAndDetachesTheDisk) {
    ASSERT_FALSE(mount().empty());
    const std::string node = device();
    EXPECT_EQ(succeeded({"eject", disk().probed("UUID")}),
              "Unmounting " + node + " …\nEjecting " + node + " …\nDisk " + node + " ejected\n");
    EXPECT_FALSE(disk().isOurs());
    EXPECT_EQ(disk().mountPoint(), "");
}
