#include "platform/hardware/AtaPassThroughSmart.h"
#include "platform/mounts/BlockDevices.h"
#include "platform/hardware/LinuxSmartDevices.h"
#include "platform/hardware/SmartPage.h"
#include "platform/hardware/UdisksSmart.h"
#include "platform/files/FileDescriptor.h"

#include "support/ScopedEnvironment.h"
#include "support/SysfsFixtures.h"
#include "support/FakeProcessRunner.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <future>

using platform::BlockDevices;

namespace {

const char* const kSataDisk = "devices/pci0000:00/0000:00:17.0/ata1/host0/target0:0:0/0:0:0:0/block/sda";
const char* const kNvmeController = "devices/pci0000:00/0000:00:1d.0/0000:3d:00.0/nvme/nvme0";

std::string mountLine(const std::string& device, const std::string& type, const std::string& source) {
    return "29 1 " + device + " / / rw,relatime shared:1 - " + type + " " + source + " rw\n";
}

// Value bytes of one twelve-byte attribute slot of a page.
std::vector<uint8_t> slot(const std::vector<uint8_t>& page, size_t index) {
    return std::vector<uint8_t>(page.begin() + 2 + index * 12, page.begin() + 14 + index * 12);
}

class BlockDevicesTest : public ::testing::Test {
protected:
    BlockDevicesTest() {
        folder().writeFile(std::string("sys/") + kSataDisk + "/sda2/partition", "2\n");
        folder().writeFile(std::string("sys/") + kNvmeController + "/nvme0n1/nvme0n1p3/partition", "3\n");
        folder().makeFolder("sys/devices/virtual/block/dm-0/slaves");
        link(std::string("../../../../pci0000:00/0000:00:1d.0/0000:3d:00.0/nvme/nvme0/nvme0n1/nvme0n1p3"),
             "sys/devices/virtual/block/dm-0/slaves/nvme0n1p3");
        link(std::string("../../") + kSataDisk + "/sda2", "sys/dev/block/8:2");
        link("../../devices/virtual/block/dm-0", "sys/dev/block/254:0");
        link(std::string("../../") + kSataDisk + "/sda2", "sys/class/block/sda2");
        link(std::string("../../") + kSataDisk, "sys/class/block/sda");
        link(std::string("../../") + kNvmeController + "/nvme0n1", "sys/class/block/nvme0n1");
        link("../../nvme0", std::string("sys/") + kNvmeController + "/nvme0n1/device");
    }

    const testsupport::TempFolder& folder() const { return environment.folder(); }
    void link(const std::string& target, const std::string& relative) {
        std::string path = folder() / relative;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::filesystem::create_symlink(target, path);
    }
    void mountRoot(const std::string& line) { folder().writeFile("proc/self/mountinfo", "22 29 0:21 / /proc rw - proc proc rw\n" + line); }

    testsupport::ScopedEnvironment environment;
};

}  // namespace

TEST_F(BlockDevicesTest, StartUpDiskFromThePartitionThatHoldsRoot) {
    mountRoot(mountLine("8:2", "ext4", "/dev/sda2"));
    EXPECT_EQ(BlockDevices::wholeDiskOfRoot(), "sda");
    EXPECT_EQ(platform::LinuxSmartDevices().capableDeviceForBSDName("disk0"), "sda");
    EXPECT_EQ(platform::LinuxSmartDevices().capableDeviceForBSDName("disk1"), std::nullopt);
}

TEST_F(BlockDevicesTest, DeviceMapperIsFollowedThroughItsSlaves) {
    // The later mount on "/" covers the earlier one.
    mountRoot(mountLine("8:2", "ext4", "/dev/sda2") + mountLine("254:0", "ext4", "/dev/mapper/root"));
    EXPECT_EQ(BlockDevices::wholeDiskOfRoot(), "nvme0n1");
}

TEST_F(BlockDevicesTest, AnonymousDeviceFallsBackToTheMountSource) {
    mountRoot(mountLine("0:31", "btrfs", "/dev/sda2"));
    EXPECT_EQ(BlockDevices::wholeDiskOfRoot(), "sda");
    mountRoot(mountLine("0:31", "overlay", "overlay"));
    EXPECT_EQ(BlockDevices::wholeDiskOfRoot(), std::nullopt);
    folder().writeFile("proc/self/mountinfo", "");
    EXPECT_EQ(BlockDevices::wholeDiskOfRoot(), std::nullopt);
}

TEST_F(BlockDevicesTest, DevicePathsAreWalkedUpToTheirDisk) {
    platform::LinuxSmartDevices devices;
    EXPECT_EQ(devices.capableDeviceForPath("/dev/sda2"), "sda");
    EXPECT_EQ(devices.capableDeviceForPath("/dev/sda"), "sda");
    EXPECT_EQ(devices.capableDeviceForPath("/dev/sdz"), std::nullopt);
    EXPECT_EQ(devices.capableDeviceForPath("/dev/../etc/passwd"), std::nullopt);
    EXPECT_EQ(BlockDevices::wholeDiskOf(".."), std::nullopt);
}

TEST_F(BlockDevicesTest, DriveTemperatureSensorStandsForAttribute194) {
    testsupport::writeTemperatureSensor(folder(), std::string("sys/") + kNvmeController + "/hwmon2", 1, "Composite", 38850);
    auto runner = std::make_shared<testsupport::FakeProcessRunner>();  // udisks2 does not answer
    testsupport::ScopedProcessRunner scopedRunner(runner);
    platform::LinuxSmartDevices devices(folder().makeFolder("dev"));
    auto smart = devices.openInterface("nvme0n1");
    ASSERT_TRUE(smart);
    EXPECT_EQ(smart->SMARTEnableDisableOperations(true), 0);
    std::vector<uint8_t> page;
    ASSERT_EQ(smart->SMARTReadData(page), 0);
    ASSERT_EQ(page.size(), 512u);
    EXPECT_EQ(slot(page, 0)[0], 194);
    EXPECT_EQ(slot(page, 0)[5], 39);
    EXPECT_EQ(slot(page, 1)[0], 0);
    EXPECT_EQ(runner->calls().front().front(), "busctl");
    // The SATA disk has no sensor and no other way in.
    EXPECT_EQ(devices.openInterface("sda"), nullptr);
}

// A FIFO in a sensor's place would block a reader until someone writes to it.
TEST_F(BlockDevicesTest, ASensorThatIsNoRegularFileIsNeverOpened) {
    const std::string sensor = folder().makeFolder(std::string("sys/") + kSataDisk + "/device/hwmon/hwmon3") + "/temp1_input";
    ASSERT_EQ(mkfifo(sensor.c_str(), 0600), 0);
    auto runner = std::make_shared<testsupport::FakeProcessRunner>();
    testsupport::ScopedProcessRunner scopedRunner(runner);
    platform::LinuxSmartDevices devices(folder().makeFolder("dev"));
    auto opening = std::async(std::launch::async, [&] { return devices.openInterface("sda") == nullptr; });
    const bool returned = opening.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    if (!returned) platform::FileDescriptor(open(sensor.c_str(), O_WRONLY | O_CLOEXEC));  // lets the reader go
    ASSERT_TRUE(returned);
    EXPECT_TRUE(opening.get());
}

TEST(SmartPage, PagesAddUpToZeroAndHoldAtMostThirtyAttributes) {
    std::vector<platform::SmartPageAttribute> attributes(31);
    for (size_t i = 0; i < attributes.size(); ++i) {
        attributes[i].id = static_cast<uint8_t>(i + 1);
        attributes[i].threshold = 5;
        attributes[i].raw = platform::smartRawBytes(-16);
    }
    for (const auto& page : {platform::smartDataPage(attributes), platform::smartThresholdsPage(attributes)}) {
        ASSERT_EQ(page.size(), 512u);
        uint8_t sum = 0;
        for (uint8_t byte : page) sum = static_cast<uint8_t>(sum + byte);
        EXPECT_EQ(sum, 0);
        EXPECT_EQ(page[2 + 29 * 12], 30);
        EXPECT_EQ(page[2 + 30 * 12], 0);  // the 31st attribute has no slot
    }
    EXPECT_EQ(platform::smartRawBytes(-16), (std::array<uint8_t, 6>{0xF0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(UdisksSmart, AttributesOfTheDriveBecomePagesInTheirRawUnits) {
    const std::vector<std::string> bus = {"--system", "--json=short", "--timeout=3000ms", "--"};
    auto with = [&](std::vector<std::string> tail) {
        std::vector<std::string> arguments = bus;
        arguments.insert(arguments.end(), tail.begin(), tail.end());
        return arguments;
    };
    const std::string drive = "/org/freedesktop/UDisks2/drives/Samsung_SSD_860_EVO_500GB_S3Z1NB0K123456";
    const char* ata = "org.freedesktop.UDisks2.Drive.Ata";
    auto runner = std::make_shared<testsupport::FakeProcessRunner>();
    runner->answer(with({"get-property", "org.freedesktop.UDisks2", "/org/freedesktop/UDisks2/block_devices/sda",
                         "org.freedesktop.UDisks2.Block", "Drive"}),
                   "{\"type\":\"o\",\"data\":\"" + drive + "\"}\n");
    runner->answer(with({"get-property", "org.freedesktop.UDisks2", drive, ata, "SmartSupported"}), "{\"type\":\"b\",\"data\":true}\n");
    runner->answer(with({"get-property", "org.freedesktop.UDisks2", drive, ata, "SmartEnabled"}), "{\"type\":\"b\",\"data\":true}\n");
    runner->answer(with({"call", "org.freedesktop.UDisks2", drive, ata, "SmartGetAttributes", "a{sv}", "0"}),
                   testsupport::readWholeFile(std::string(DURIDOVE_TEST_DATA) + "/smart/udisks-smart-attributes.json"));
    testsupport::ScopedProcessRunner scopedRunner(runner);

    auto smart = platform::UdisksSmart::open("sda");
    ASSERT_TRUE(smart);
    EXPECT_EQ(smart->SMARTEnableDisableOperations(true), 0);
    EXPECT_NE(smart->SMARTEnableDisableOperations(false), 0);
    std::vector<uint8_t> data, thresholds;
    ASSERT_EQ(smart->SMARTReadData(data), 0);
    ASSERT_EQ(smart->SMARTReadDataThresholds(thresholds), 0);
    // power-on hours from milliseconds, the count as it is, the temperature from millikelvin.
    EXPECT_EQ(slot(data, 1), (std::vector<uint8_t>{9, 50, 0, 95, 95, 0x1A, 0x2F, 0, 0, 0, 0, 0}));
    EXPECT_EQ(slot(data, 2)[5], 0xD2);
    EXPECT_EQ(slot(data, 2)[6], 0x04);
    EXPECT_EQ(slot(data, 4)[0], 194);
    EXPECT_EQ(slot(data, 4)[5], 36);
    EXPECT_EQ(slot(thresholds, 0)[0], 5);
    EXPECT_EQ(slot(thresholds, 0)[1], 10);
}

TEST(UdisksSmart, NoServiceOrNoDriveGivesNoInterface) {
    auto runner = std::make_shared<testsupport::FakeProcessRunner>();
    testsupport::ScopedProcessRunner scopedRunner(runner);
    EXPECT_EQ(platform::UdisksSmart::open("sda"), nullptr);
    runner->answer({"--system", "--json=short", "--timeout=3000ms", "--", "get-property", "org.freedesktop.UDisks2",
                    "/org/freedesktop/UDisks2/block_devices/loop0", "org.freedesktop.UDisks2.Block", "Drive"},
                   "{\"type\":\"o\",\"data\":\"/\"}\n");
    EXPECT_EQ(platform::UdisksSmart::open("loop0"), nullptr);
}

TEST(AtaPassThroughSmart, FilesThatAreNoAtaDiskGiveNoInterface) {
    testsupport::TempFolder folder;
    EXPECT_EQ(platform::AtaPassThroughSmart::open(folder.writeFile("sda", std::string(512, '\0'))), nullptr);
    EXPECT_EQ(platform::AtaPassThroughSmart::open(folder / "missing"), nullptr);
}
