// The disk utility's actions against a real device: a FAT image attached to a loop device and
// presented to the stand-in as a USB disk. It needs root, loop devices, mkfs.vfat and a running
// udisksd on the system bus, and is skipped where any of them is missing.
#include "platform/system/Busctl.h"
#include "platform/system/PosixProcessRunner.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

using namespace std::chrono_literals;

namespace {

platform::ProcessResult runProgram(std::vector<std::string> arguments,
                                   std::vector<std::pair<std::string, std::string>> environment = {}) {
    platform::ProcessRequest request{std::move(arguments), 120s};
    request.environment = std::move(environment);
    return platform::PosixProcessRunner().run(request);
}

std::string trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text;
}

std::string whyNotHere() {
    if (geteuid() != 0) return "attaching a loop device needs root";
    if (!std::filesystem::exists("/dev/loop-control")) return "this machine has no loop devices";
    for (const char* program : {"losetup", "mkfs.vfat", "blkid"})
        if (platform::findExecutable(program).empty()) return std::string(program) + " is not installed";
    auto version = platform::busctl(platform::Bus::System,
                                    {"get-property", "org.freedesktop.UDisks2", "/org/freedesktop/UDisks2/Manager",
                                     "org.freedesktop.UDisks2.Manager", "Version"},
                                    10s);
    if (!version.succeeded) return "udisksd is not running on the system bus (" + version.error + ")";
    return "";
}

// A 64 MiB FAT image on a loop device, detached again at the end.
class LoopDisk {
public:
    explicit LoopDisk(const testsupport::TempFolder& folder) {
        image_ = folder / "stick.img";
        std::filesystem::resize_file(folder.writeFile("stick.img", ""), 64 << 20);
        if (!runProgram({"mkfs.vfat", "-F", "32", "-n", "LOOPSTICK", image_}).succeeded()) return;
        auto attached = runProgram({"losetup", "--find", "--show", image_});
        if (attached.succeeded()) device_ = trimmed(attached.output);
    }
    ~LoopDisk() {
        if (device_.empty()) return;
        runProgram({"umount", device_});
        runProgram({"losetup", "-d", device_});
    }
    const std::string& device() const { return device_; }
    std::string name() const { return device_.substr(device_.rfind('/') + 1); }

private:
    std::string image_;
    std::string device_;
};

}  // namespace

TEST(DiskUtilLoopDevice, AFatStickIsRenamedMountedUnmountedAndChecked) {
    std::string reason = whyNotHere();
    if (!reason.empty()) GTEST_SKIP() << reason;
    testsupport::TempFolder folder;
    LoopDisk disk(folder);
    ASSERT_FALSE(disk.device().empty());
    std::string uuid = trimmed(runProgram({"blkid", "-s", "UUID", "-o", "value", disk.device()}).output);
    ASSERT_FALSE(uuid.empty());
    // The loop device stands as the one partition of a USB disk that exists only in the listing.
    std::string listing = R"({"blockdevices": [{"name": "duridove-usb", "kname": "duridove-usb", "type": "disk",
        "tran": "usb", "rm": true, "hotplug": true, "children": [{"name": ")" + disk.name() + R"(", "kname": ")" +
                          disk.name() + R"(", "path": ")" + disk.device() + R"(", "type": "part", "fstype": "vfat",
        "fsver": "FAT32", "label": "LOOPSTICK", "uuid": ")" + uuid + R"(", "mountpoints": [null]}]}]})";
    std::vector<std::pair<std::string, std::string>> environment = {
        {"DURIDOVE_LSBLK_JSON", folder.writeFile("lsblk.json", listing)}};
    auto diskutil = [&](std::vector<std::string> args) {
        args.insert(args.begin(), std::string(DURIDOVE_BIN_DIR) + "/diskutil");
        return runProgram(std::move(args), environment);
    };

    auto renamed = diskutil({"rename", uuid, "RENAMED"});
    ASSERT_TRUE(renamed.succeeded()) << renamed.errorOutput;
    EXPECT_EQ(trimmed(runProgram({"blkid", "-s", "LABEL", "-o", "value", disk.device()}).output), "RENAMED");

    auto mounted = diskutil({"mount", disk.name()});
    ASSERT_TRUE(mounted.succeeded()) << mounted.errorOutput;
    EXPECT_NE(mounted.output.find("mounted at /"), std::string::npos) << mounted.output;
    auto unmounted = diskutil({"unmount", disk.device()});
    ASSERT_TRUE(unmounted.succeeded()) << unmounted.errorOutput;

    auto checked = diskutil({"verifyvolume", disk.name()});
    EXPECT_TRUE(checked.succeeded()) << checked.errorOutput;
    EXPECT_NE(checked.output.find("Checking the file system on " + disk.device()), std::string::npos);
    EXPECT_NE(checked.output.find("appears to be OK"), std::string::npos) << checked.output;
}
