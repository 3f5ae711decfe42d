// The disk utility stand-in, run as the program it is, against recorded lsblk outputs and
// mount tables; and the volume list built through it.
#include "core/disks/DiskVolumeList.h"
#include "platform/mounts/MountTable.h"
#include "platform/system/PosixProcessRunner.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using platform::PlistValue;
using namespace std::chrono_literals;

namespace {

std::string lsblkData(const std::string& name) { return std::string(DURIDOVE_TEST_DATA) + "/lsblk/" + name; }

// A busctl for the front of PATH that records each call and answers none, so that nothing
// the stand-in does reaches udisks2.
class RecordingBusctl {
public:
    RecordingBusctl() {
        const std::string program = folder_.writeFile(
            "bin/busctl", "#!/bin/sh\nprintf '%s\\n' \"$*\" >> '" + (folder_ / "calls") + "'\nexit 1\n");
        std::filesystem::permissions(program, std::filesystem::perms::owner_all, std::filesystem::perm_options::replace);
    }
    std::pair<std::string, std::string> path() const {
        const char* path = std::getenv("PATH");
        return {"PATH", (folder_ / "bin") + ":" + (path ? path : "/usr/bin:/bin")};
    }
    std::string calls() const { return testsupport::readWholeFile(folder_ / "calls"); }

private:
    testsupport::TempFolder folder_;
};

// A /proc root whose self/mountinfo is the recorded table of the fixture.
class RecordedMachine {
public:
    explicit RecordedMachine(const std::string& fixture)
        : json_(lsblkData(fixture + ".json")) {
        folder_.writeFile("proc/self/mountinfo", testsupport::readWholeFile(lsblkData(fixture + ".mountinfo")));
    }
    std::vector<std::pair<std::string, std::string>> environment() const {
        return {{"DURIDOVE_LSBLK_JSON", json_}, {"DURIDOVE_PROC_ROOT", folder_ / "proc"},
                {"DURIDOVE_SYS_ROOT", folder_ / "sys"}, busctl_.path()};
    }
    const testsupport::TempFolder& folder() const { return folder_; }
    std::string udisksCalls() const { return busctl_.calls(); }

private:
    testsupport::TempFolder folder_;
    std::string json_;
    RecordingBusctl busctl_;
};

platform::ProcessResult runDiskUtil(std::vector<std::pair<std::string, std::string>> environment,
                                    std::vector<std::string> args) {
    platform::ProcessRequest request;
    request.arguments = {std::string(DURIDOVE_BIN_DIR) + "/diskutil"};
    request.arguments.insert(request.arguments.end(), args.begin(), args.end());
    request.timeout = 30s;
    request.environment = std::move(environment);
    return platform::PosixProcessRunner().run(request);
}

platform::ProcessResult runStandIn(const RecordedMachine& machine, std::vector<std::string> args) {
    return runDiskUtil(machine.environment(), std::move(args));
}

PlistValue plistOf(const platform::ProcessResult& result) {
    EXPECT_TRUE(result.succeeded()) << result.errorOutput;
    return PlistValue::fromBytes(result.output).value_or(PlistValue());
}

PlistValue listOf(const std::string& fixture) { return plistOf(runStandIn(RecordedMachine(fixture), {"list", "-plist"})); }

PlistValue infoOf(const std::string& fixture, const std::string& device) {
    return plistOf(runStandIn(RecordedMachine(fixture), {"info", "-plist", device}));
}

std::vector<std::string> identifiers(const PlistValue::Array& entries) {
    std::vector<std::string> ids;
    for (const auto& entry : entries) ids.push_back(entry["DeviceIdentifier"].toString());
    return ids;
}

const PlistValue::Array& disksOf(const PlistValue& list) { return list["AllDisksAndPartitions"].array(); }

}  // namespace

TEST(DiskUtilStandIn, LaptopDiskWithEfiRootAndHome) {
    PlistValue list = listOf("laptop");
    ASSERT_EQ(disksOf(list).size(), 1u);
    const PlistValue& disk = disksOf(list)[0];
    EXPECT_EQ(disk["DeviceIdentifier"], PlistValue("nvme0n1"));
    EXPECT_EQ(disk["Content"], PlistValue("GUID_partition_scheme"));
    EXPECT_FALSE(disk.contains("APFSVolumes"));
    const auto& partitions = disk["Partitions"].array();
    EXPECT_EQ(identifiers(partitions), (std::vector<std::string>{"nvme0n1p1", "nvme0n1p2", "nvme0n1p3"}));
    EXPECT_EQ(partitions[0]["Content"], PlistValue("EFI"));
    EXPECT_EQ(partitions[1]["MountPoint"], PlistValue("/"));
    EXPECT_EQ(partitions[2]["FilesystemName"], PlistValue("ext4"));

    PlistValue efi = infoOf("laptop", "/dev/nvme0n1p1");
    EXPECT_EQ(efi["FilesystemName"], PlistValue("MS-DOS (FAT32)"));
    EXPECT_EQ(efi["Writable"], PlistValue(false));  // mounted read-only
    PlistValue root = infoOf("laptop", "/dev/nvme0n1p2");
    EXPECT_EQ(root["MountPoint"], PlistValue("/"));
    EXPECT_FALSE(root.contains("VolumeName"));
    EXPECT_GT(root["FreeSpace"].toInteger(), 0);
    EXPECT_EQ(root["TotalSize"], PlistValue(int64_t{107374182400}));
    EXPECT_EQ(root["BusProtocol"], PlistValue("PCI-Express"));
    EXPECT_EQ(root["Ejectable"], PlistValue(false));
    EXPECT_EQ(root["Writable"], PlistValue(true));
    EXPECT_EQ(root["DeviceNode"], PlistValue("/dev/nvme0n1p2"));
    EXPECT_EQ(root["ParentWholeDisk"], PlistValue("nvme0n1"));
    EXPECT_EQ(root["DiskUUID"], PlistValue("2f4e6c1a-7b1d-4c55-9a4e-3f0d9c2b1a01"));
    EXPECT_FALSE(root.contains("APFSContainerFree"));
    EXPECT_FALSE(root.contains("RecoveryDeviceIdentifier"));
    EXPECT_EQ(infoOf("laptop", "nvme0n1p3")["VolumeName"], PlistValue("home"));
}

TEST(DiskUtilStandIn, EncryptedLvmIsFlattenedBelowItsPartition) {
    PlistValue list = listOf("encrypted-lvm");
    const auto& partitions = disksOf(list)[0]["Partitions"].array();
    EXPECT_EQ(identifiers(partitions), (std::vector<std::string>{"sda1", "sda2", "sda3", "dm-0", "dm-1", "dm-2"}));
    PlistValue root = infoOf("encrypted-lvm", "/dev/dm-1");
    EXPECT_EQ(root["MountPoint"], PlistValue("/"));
    EXPECT_EQ(root["FilesystemName"], PlistValue("ext4"));
    EXPECT_EQ(root["ParentWholeDisk"], PlistValue("sda"));
    EXPECT_EQ(root["BusProtocol"], PlistValue("SATA"));
    EXPECT_EQ(infoOf("encrypted-lvm", "/dev/mapper/vg-root")["DeviceIdentifier"], PlistValue("dm-1"));
    // Containers and swap hold no volume; active swap has no mount point.
    EXPECT_FALSE(infoOf("encrypted-lvm", "/dev/sda3").contains("FilesystemName"));
    EXPECT_FALSE(infoOf("encrypted-lvm", "/dev/dm-0").contains("FilesystemName"));
    PlistValue swap = infoOf("encrypted-lvm", "/dev/dm-2");
    EXPECT_FALSE(swap.contains("FilesystemName"));
    EXPECT_EQ(swap["MountPoint"], PlistValue(""));
    EXPECT_EQ(swap["FreeSpace"], PlistValue(0));
}

TEST(DiskUtilStandIn, MirroredRaidIsListedOnce) {
    PlistValue list = listOf("raid-mirror");
    ASSERT_EQ(disksOf(list).size(), 2u);
    EXPECT_EQ(identifiers(disksOf(list)[0]["Partitions"].array()), (std::vector<std::string>{"sdb1", "md127"}));
    EXPECT_EQ(identifiers(disksOf(list)[1]["Partitions"].array()), std::vector<std::string>{"sdc1"});
}

TEST(DiskUtilStandIn, UsbStickAndDvdAreEjectable) {
    PlistValue list = listOf("usb-stick");
    EXPECT_EQ(identifiers(disksOf(list)), (std::vector<std::string>{"sda", "sdb", "sr0"}));
    EXPECT_EQ(disksOf(list)[1]["Content"], PlistValue("FDisk_partition_scheme"));
    EXPECT_EQ(disksOf(list)[2]["Content"], PlistValue(""));
    PlistValue stick = infoOf("usb-stick", "/dev/sdb1");
    EXPECT_EQ(stick["VolumeName"], PlistValue("STICK"));
    EXPECT_EQ(stick["FilesystemName"], PlistValue("MS-DOS (FAT32)"));
    EXPECT_EQ(stick["Ejectable"], PlistValue(true));
    EXPECT_EQ(stick["BusProtocol"], PlistValue("USB"));
    EXPECT_EQ(stick["MountPoint"], PlistValue("/media/tester/STICK"));
    PlistValue unmounted = infoOf("usb-stick", "/dev/sdb2");
    EXPECT_EQ(unmounted["FilesystemName"], PlistValue("ExFAT"));
    EXPECT_EQ(unmounted["MountPoint"], PlistValue(""));
    EXPECT_EQ(unmounted["FreeSpace"], PlistValue(0));
    EXPECT_FALSE(unmounted.contains("VolumeName"));
    PlistValue dvd = infoOf("usb-stick", "/dev/sr0");
    EXPECT_EQ(dvd["FilesystemName"], PlistValue("ISO 9660"));
    EXPECT_EQ(dvd["Writable"], PlistValue(false));
    EXPECT_EQ(dvd["Ejectable"], PlistValue(true));
}

TEST(DiskUtilStandIn, LoopDevicesAreNoDisks) {
    EXPECT_EQ(identifiers(disksOf(listOf("loop"))), std::vector<std::string>{"vda"});
    auto result = runStandIn(RecordedMachine("loop"), {"info", "-plist", "/dev/loop0"});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.errorOutput, "Error: could not find disk: /dev/loop0\n");
    EXPECT_TRUE(result.output.empty());
}

TEST(DiskUtilStandIn, WholeDiskExt4WithoutAFileSystemTypeFromLsblk) {
    PlistValue list = listOf("whole-disk-ext4");
    ASSERT_EQ(identifiers(disksOf(list)), std::vector<std::string>{"vda"});  // zram is no disk
    EXPECT_EQ(disksOf(list)[0]["Content"], PlistValue(""));
    EXPECT_TRUE(disksOf(list)[0]["Partitions"].array().empty());
    PlistValue disk = infoOf("whole-disk-ext4", "/dev/vda");
    EXPECT_EQ(disk["FilesystemName"], PlistValue("ext4"));  // from the mount table
    EXPECT_EQ(disk["MountPoint"], PlistValue("/"));
    EXPECT_FALSE(disk.contains("BusProtocol"));
}

TEST(DiskUtilStandIn, UnsupportedCommandLinesFailClearly) {
    RecordedMachine machine("laptop");
    auto action = runStandIn(machine, {"partitionDisk", "nvme0n1"});
    EXPECT_EQ(action.exitStatus, 1);
    EXPECT_EQ(action.errorOutput, "Error: diskutil partitionDisk is not supported on this system\n");
    EXPECT_EQ(runStandIn(machine, {"eject"}).exitStatus, 1);
    EXPECT_EQ(runStandIn(machine, {"list"}).exitStatus, 1);
    EXPECT_EQ(runStandIn(machine, {}).exitStatus, 1);
    EXPECT_EQ(runStandIn(machine, {"info", "-plist"}).exitStatus, 1);
}

TEST(DiskUtilStandIn, BrokenLsblkOutputFails) {
    testsupport::TempFolder folder;
    platform::ProcessRequest request{{std::string(DURIDOVE_BIN_DIR) + "/diskutil", "list", "-plist"}, 30s};
    request.environment = {{"DURIDOVE_LSBLK_JSON", folder.writeFile("lsblk.json", "{\"blockdevices\": [")}};
    auto result = platform::PosixProcessRunner().run(request);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.errorOutput, "Error: cannot list the block devices\n");
}

namespace {

platform::ProcessResult listFromRecordedText(const std::string& lsblkText) {
    testsupport::TempFolder folder;
    platform::ProcessRequest request{{std::string(DURIDOVE_BIN_DIR) + "/diskutil", "list", "-plist"}, 30s};
    request.environment = {{"DURIDOVE_LSBLK_JSON", folder.writeFile("lsblk.json", lsblkText)},
                           {"DURIDOVE_PROC_ROOT", folder.makeFolder("proc")}};
    return platform::PosixProcessRunner().run(request);
}

}  // namespace

// A device tree deeper than any real stack is cut at sixteen levels; a listing nested past what
// any JSON reader here takes is refused whole, like a broken one, before anything copies it.
TEST(DiskUtilStandIn, ADeviceTreeIsReadSixteenLevelsDeepAndAListingNestedTooDeeplyIsRefused) {
    auto nestedListing = [](int levels) {
        std::string text = "{\"blockdevices\": [";
        for (int level = 0; level < levels; ++level)
            text += level == 0 ? "{\"kname\": \"sda\", \"type\": \"disk\", \"children\": ["
                               : "{\"kname\": \"sda" + std::to_string(level) + "\", \"type\": \"part\", \"children\": [";
        for (int level = 0; level < levels; ++level) text += "]}";
        return text + "]}";
    };
    const auto cut = listFromRecordedText(nestedListing(100));
    const PlistValue list = plistOf(cut);
    ASSERT_EQ(identifiers(disksOf(list)), std::vector<std::string>{"sda"});
    EXPECT_EQ(disksOf(list)[0]["Partitions"].array().size(), 15u);
    EXPECT_NE(cut.errorOutput.find("deeper than 16 levels"), std::string::npos) << cut.errorOutput;

    const auto refused = listFromRecordedText(nestedListing(100000));
    EXPECT_EQ(refused.exitStatus, 1);
    EXPECT_NE(refused.errorOutput.find("lsblk's listing nests deeper than 256 levels and is refused"), std::string::npos)
        << refused.errorOutput;
    EXPECT_NE(refused.errorOutput.find("Error: cannot list the block devices"), std::string::npos);
}

TEST(DiskUtilStandIn, AListingLargerThanEightMegabytesIsRefused) {
    const std::string listing = "{\"blockdevices\": [{\"kname\": \"sda\", \"type\": \"disk\"}]}";
    EXPECT_TRUE(listFromRecordedText(listing).succeeded());
    const auto result = listFromRecordedText(listing + std::string(8 * 1024 * 1024, ' '));
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_NE(result.errorOutput.find("Error: cannot list the block devices"), std::string::npos);
}

namespace {

// The volume list built through the stand-in, which the child inherits its inputs from.
class VolumeListThroughStandIn : public ::testing::Test {
protected:
    void TearDown() override {
        unsetenv("DURIDOVE_LSBLK_JSON");
        unsetenv("DURIDOVE_PROC_ROOT");
    }
    std::shared_ptr<core::disks::DiskVolumeList> scan(const std::string& fixture) {
        machine_ = std::make_unique<RecordedMachine>(fixture);
        for (const auto& [name, value] : machine_->environment()) setenv(name.c_str(), value.c_str(), 1);
        auto list = core::disks::DiskVolumeList::create(core::Executors::inlineExecutors());
        list->getallVolumes();
        return list;
    }
    static std::vector<std::string> namesOf(const core::disks::DiskVolumeList& list) {
        std::vector<std::string> names;
        for (const auto& volume : list.allVolumeArr()) names.push_back(volume->volumeName);
        return names;
    }

    testsupport::ScopedEnvironment environment_;
    std::unique_ptr<RecordedMachine> machine_;
};

}  // namespace

TEST_F(VolumeListThroughStandIn, WholeDiskRootIsAnUntitledVolumeWithItsFreeSpace) {
    auto list = scan("whole-disk-ext4");
    ASSERT_EQ(list->allVolumeArr().size(), 1u);
    auto root = list->startupVolume();
    ASSERT_TRUE(root);
    EXPECT_EQ(root->volumeName, "Untitled");
    EXPECT_EQ(root->volumePath, "vda");
    EXPECT_EQ(root->diskType, "ext4");
    EXPECT_GT(root->volumeFreeSizeNum, 0);
    EXPECT_FALSE(root->volumeFreeSize.empty());
    EXPECT_EQ(root->volumeTotalSize, "256.00 GB");
}

TEST_F(VolumeListThroughStandIn, EfiSwapAndContainersAreLeftOut) {
    EXPECT_EQ(namesOf(*scan("laptop")), (std::vector<std::string>{"Untitled", "home"}));
    EXPECT_EQ(namesOf(*scan("encrypted-lvm")), (std::vector<std::string>{"Untitled", "Untitled"}));
    auto usb = scan("usb-stick");
    EXPECT_EQ(namesOf(*usb), (std::vector<std::string>{"Untitled", "STICK", "Untitled", "DEBIAN_12"}));
    EXPECT_EQ(usb->inDiskCout(), 1);
}

// On a machine whose root file system lives on a block device, the list holds it.
TEST_F(VolumeListThroughStandIn, ThisMachinesStartupVolumeIsListed) {
    auto mounts = platform::MountTable::read("/proc/self/mountinfo");
    const platform::MountEntry* root = mounts ? mounts->entryAt("/") : nullptr;
    if (!root || !root->blockDevice || platform::findExecutable("lsblk").empty())
        GTEST_SKIP() << "the root file system is not on a block device here";
    auto list = core::disks::DiskVolumeList::create(core::Executors::inlineExecutors());
    list->getallVolumes();
    auto startup = list->startupVolume();
    ASSERT_TRUE(startup);
    EXPECT_FALSE(startup->volumeName.empty());
    EXPECT_GT(startup->volumeFreeSizeNum, 0);
}

namespace {

// The kernel's view of the encrypted LVM fixture below a /sys root: sda's partitions, the
// LUKS device on sda3 and the root and swap volumes on it, linked through "holders" as the
// kernel links them, and the device numbers of the mount table.
void writeEncryptedLvmSysfs(const testsupport::TempFolder& folder) {
    namespace fs = std::filesystem;
    const std::string sys = folder / "sys";
    auto device = [&](const std::string& place, const std::string& name, const std::string& number) {
        std::string path = folder.makeFolder("sys/devices/" + place);
        folder.writeFile("sys/devices/" + place + "/dev", number + "\n");
        fs::create_directories(sys + "/class/block");
        fs::create_directories(sys + "/dev/block");
        fs::create_directory_symlink(path, sys + "/class/block/" + name);
        fs::create_directory_symlink(path, sys + "/dev/block/" + number);
        return path;
    };
    device("pci/block/sda", "sda", "8:0");
    for (int n = 1; n <= 3; ++n) {
        device("pci/block/sda/sda" + std::to_string(n), "sda" + std::to_string(n), "8:" + std::to_string(n));
        folder.writeFile("sys/devices/pci/block/sda/sda" + std::to_string(n) + "/partition", std::to_string(n) + "\n");
    }
    for (int n = 0; n <= 2; ++n) device("virtual/block/dm-" + std::to_string(n), "dm-" + std::to_string(n), "253:" + std::to_string(n));
    auto hold = [&](const std::string& below, const std::string& above) {
        fs::create_directories(sys + "/class/block/" + below + "/holders");
        fs::create_directory_symlink(sys + "/class/block/" + above, sys + "/class/block/" + below + "/holders/" + above);
    };
    hold("sda3", "dm-0");
    hold("dm-0", "dm-1");
    hold("dm-0", "dm-2");
    folder.writeFile("proc/swaps", "Filename\tType\tSize\tUsed\tPriority\n/dev/dm-2 partition 7294972 0 -2\n");
}

std::string refusalOf(const platform::ProcessResult& result) {
    EXPECT_EQ(result.exitStatus, 1) << result.output;
    EXPECT_TRUE(result.output.empty()) << result.output;
    return result.errorOutput;
}

std::string refusalOf(const RecordedMachine& machine, std::vector<std::string> args) {
    return refusalOf(runStandIn(machine, std::move(args)));
}

}  // namespace

// None of these reaches udisks2: each is refused before anything runs.
TEST(DiskUtilStandInActions, RefusesWhatIsNoListedDeviceAndWhatTheSystemStandsOn) {
    RecordedMachine machine("encrypted-lvm");
    writeEncryptedLvmSysfs(machine.folder());
    const std::string plainFile = machine.folder().writeFile("image.bin", "not a disk");
    struct Case {
        std::vector<std::string> args;
        std::string error;
    };
    const Case cases[] = {
        {{"eraseVolume", "ExFAT", "X", "/"}, "Error: / is no disk or volume listed by this utility\n"},
        {{"eraseVolume", "ExFAT", "X", "/dev/../etc/passwd"},
         "Error: /dev/../etc/passwd is no disk or volume listed by this utility\n"},
        {{"mount", plainFile}, "Error: " + plainFile + " is no disk or volume listed by this utility\n"},
        {{"unmount", "--force"}, "Error: \"--force\" names no device\n"},
        {{"eraseVolume", "ExFAT", "X", "-a"}, "Error: \"-a\" names no device\n"},
        // sda3 carries the LUKS device under the root and swap volumes.
        {{"eraseVolume", "ExFAT", "X", "sda3"}, "Error: /dev/sda3 holds "},
        {{"reformat", "/dev/mapper/sda3_crypt"}, "Error: /dev/dm-0 holds "},
        {{"repairvolume", "dm-1"}, "Error: /dev/dm-1 holds / of the running system and is left alone\n"},
        {{"verifyvolume", "sda2"}, "Error: /dev/sda2 holds /boot of the running system and is left alone\n"},
        {{"eraseVolume", "MS-DOS FAT32", "X", "dm-2"}, "Error: /dev/dm-2 holds swap of the running system and is left alone\n"},
        {{"eject", "A1B2-C3D4"}, "Error: /dev/sda holds "},
        {{"eraseVolume", "APFS", "X", "sda1"}, "Error: APFS volumes cannot be formatted on this system\n"},
        {{"eraseVolume", "UFS", "X", "sda1"}, "Error: the format type \"UFS\" is not supported\n"},
    };
    for (const auto& c : cases) {
        std::string error = refusalOf(machine, c.args);
        EXPECT_EQ(error.substr(0, c.error.size()), c.error) << c.args.back();
        if (c.error.back() != '\n') {
            EXPECT_NE(error.find("of the running system and is left alone"), std::string::npos) << error;
        }
    }
    EXPECT_EQ(machine.udisksCalls(), "");
}

// This machine's own root volume, as the stand-in lists it from the real lsblk and mount table:
// every action that would change it is refused before udisks2 is asked.
TEST(DiskUtilStandInActions, ThisMachinesRootVolumeIsLeftAloneWithoutAskingUdisks2) {
    auto mounts = platform::MountTable::read("/proc/self/mountinfo");
    const platform::MountEntry* root = mounts ? mounts->entryAt("/") : nullptr;
    if (!root || !root->blockDevice || platform::findExecutable("lsblk").empty())
        GTEST_SKIP() << "the root file system is not on a block device here";
    RecordingBusctl busctl;
    const std::vector<std::pair<std::string, std::string>> machine = {
        {"DURIDOVE_LSBLK_JSON", ""}, {"DURIDOVE_PROC_ROOT", "/proc"}, {"DURIDOVE_SYS_ROOT", "/sys"}, busctl.path()};
    const PlistValue info = plistOf(runDiskUtil(machine, {"info", "-plist", root->source}));
    ASSERT_EQ(info["MountPoint"], PlistValue("/")) << root->source << " is not listed as the root volume";
    const std::string device = info["DeviceNode"].toString();
    const std::vector<std::vector<std::string>> actions = {
        {"unmount", device},   {"eraseVolume", "ExFAT", "ERASED", device}, {"eraseVolume", "MS-DOS FAT32", "X", device},
        {"reformat", device},  {"repairvolume", device},                    {"verifyvolume", device},
        {"eject", device}};
    for (const auto& action : actions) {
        const std::string error = refusalOf(runDiskUtil(machine, action));
        EXPECT_NE(error.find(" holds / of the running system and is left alone\n"), std::string::npos)
            << action.front() << ": " << error;
    }
    EXPECT_EQ(busctl.calls(), "");
}

TEST(DiskUtilStandInActions, RefusesASharedUuidAndADeviceWithoutANode) {
    RecordedMachine mirror("raid-mirror");
    EXPECT_EQ(refusalOf(mirror, {"rename", "aa11bb22-0000-4000-8000-000000000001", "X"}),
              "Error: the UUID aa11bb22-0000-4000-8000-000000000001 belongs to 2 devices; name the device instead\n");

    testsupport::TempFolder folder;
    folder.makeFolder("proc/self");
    folder.writeFile("proc/self/mountinfo", "");
    platform::ProcessRequest request{{std::string(DURIDOVE_BIN_DIR) + "/diskutil", "mount", "duridove-absent1"}, 30s};
    request.environment = {
        {"DURIDOVE_LSBLK_JSON",
         folder.writeFile("lsblk.json", R"({"blockdevices": [{"kname": "duridove-absent", "type": "disk", "children": [
             {"kname": "duridove-absent1", "type": "part", "fstype": "vfat"}]}]})")},
        {"DURIDOVE_PROC_ROOT", folder / "proc"}};
    auto result = platform::PosixProcessRunner().run(request);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.errorOutput, "Error: /dev/duridove-absent1 is not a block device\n");
}
