#include "core/disks/CVolumeMgr.h"
#include "support/DiskUtilFixture.h"
#include "support/LogCapture.h"
#include "support/ManualExecutors.h"
#include "support/ScopedEnvironment.h"

#include <gtest/gtest.h>

using core::disks::CVolumeMgr;
using platform::PlistValue;

namespace {

class CVolumeMgrTest : public ::testing::Test {
protected:
    void SetUp() override { platform::ProcessRunner::setShared(runner); }
    void TearDown() override { platform::ProcessRunner::setShared(nullptr); }

    std::vector<PlistValue> enumerate() {
        auto volumes = CVolumeMgr(core::Executors::inlineExecutors()).enumDiskVolumesInfo();
        EXPECT_TRUE(volumes.has_value());
        return volumes.value_or(std::vector<PlistValue>{});
    }
    static std::vector<std::string> pathsOf(const std::vector<PlistValue>& volumes) {
        std::vector<std::string> paths;
        for (const auto& volume : volumes) paths.push_back(volume["volumePath"].toString());
        return paths;
    }
    void answerInfo(const std::string& id, PlistValue info) { runner->answer({"info", "-plist", "/dev/" + id}, info.toXml()); }

    testsupport::ScopedEnvironment environment;
    std::shared_ptr<testsupport::FakeProcessRunner> runner = std::make_shared<testsupport::FakeProcessRunner>();
};

PlistValue dictionary(PlistValue::Dictionary values) { return PlistValue(std::move(values)); }

}  // namespace

TEST_F(CVolumeMgrTest, FiltersAMacShapedListing) {
    testsupport::answerDiskUtilFrom(*runner, testsupport::diskUtilData("mac"));
    auto volumes = enumerate();
    // Kept: the start-up volume, the second Recovery (compared with the first one's
    // identifiers), 30 MiB exactly, size 0, the unmounted stick, the nameless volume and the
    // whole-disk card. Dropped: EFI, the APFS partition, the unmounted internal partition,
    // Data, Preboot and Recovery matching the identifiers, VM, Update, 20 MiB, the failed
    // info, the disk image and the partitioned disk without members.
    EXPECT_EQ(pathsOf(volumes), (std::vector<std::string>{"disk1s1", "disk1s6", "disk1s9", "disk1s10", "disk2s1",
                                                         "disk2s2", "disk4"}));
    for (const char* skippedBeforeInfo : {"disk0s1", "disk0s2", "disk1s5"})
        EXPECT_EQ(runner->countOf({"info", "-plist", std::string("/dev/") + skippedBeforeInfo}), 0) << skippedBeforeInfo;
    EXPECT_EQ(runner->countOf({"info", "-plist", "/dev/disk5"}), 0);
    EXPECT_EQ(runner->countOf({"info", "-plist", "/dev/disk1"}), 1);
}

TEST_F(CVolumeMgrTest, VolumeDictionaryCarriesSizesNamesAndCopiedKeys) {
    testsupport::answerDiskUtilFrom(*runner, testsupport::diskUtilData("mac"));
    auto volumes = enumerate();
    ASSERT_EQ(volumes.size(), 7u);
    const PlistValue& root = volumes[0];
    // Free space 0 takes the container's free space.
    EXPECT_EQ(root["FreeSpace"], PlistValue("254632502498"));
    EXPECT_EQ(root["volumeFreeSize"], PlistValue("237.15 GB"));
    EXPECT_EQ(root["TotalSize"], PlistValue("499963174912"));
    EXPECT_EQ(root["volumeName"], PlistValue("Macintosh HD"));
    EXPECT_EQ(root["MountPoint"], PlistValue("/"));
    EXPECT_EQ(root["Writable"], PlistValue(false));
    EXPECT_EQ(root["Ejectable"], PlistValue(false));
    EXPECT_EQ(root["DiskUUID"], PlistValue("A1B2C3D4-0000-4000-8000-000000000001"));
    EXPECT_EQ(root["ParentWholeDisk"], PlistValue("disk1"));
    EXPECT_EQ(root["DeviceNode"], PlistValue("/dev/disk1s1"));
    EXPECT_FALSE(root.contains("APFSContainerFree"));
    EXPECT_EQ(volumes[3]["volumeTotalSize"], PlistValue("0 byte"));
    EXPECT_EQ(volumes[5]["volumeName"], PlistValue("Untitled"));
    EXPECT_EQ(volumes[4]["MountPoint"], PlistValue(""));
    EXPECT_EQ(volumes[4]["Ejectable"], PlistValue(true));
}

TEST_F(CVolumeMgrTest, MissingKeysStayMissingAndAnEmptyNameIsUntitled) {
    PlistValue volume = CVolumeMgr::MakeVolumeInfo(dictionary({{"VolumeName", ""}, {"DeviceIdentifier", "sdb1"}}));
    EXPECT_EQ(volume["volumeName"], PlistValue("Untitled"));
    EXPECT_EQ(volume["FreeSpace"], PlistValue("0"));
    EXPECT_EQ(volume["volumeFreeSize"], PlistValue("0 byte"));
    EXPECT_EQ(volume["volumePath"], PlistValue("sdb1"));
    for (const char* key : {"MountPoint", "DiskUUID", "Writable", "Ejectable", "FilesystemName", "BusProtocol"})
        EXPECT_FALSE(volume.contains(key)) << key;
}

TEST_F(CVolumeMgrTest, ApfsDiskOwnVolumeIsAddedWithoutTests) {
    runner->answer({"list", "-plist"},
                   dictionary({{"AllDisksAndPartitions",
                                PlistValue::Array{dictionary({{"DeviceIdentifier", "disk3"},
                                                              {"APFSVolumes", PlistValue::Array{dictionary(
                                                                                  {{"DeviceIdentifier", "disk3s1"}})}}})}}})
                       .toXml());
    // Not mounted and not ejectable: a member like this would be dropped.
    answerInfo("disk3", dictionary({{"DeviceIdentifier", "disk3"}, {"FilesystemName", "APFS"}, {"TotalSize", 1000}}));
    answerInfo("disk3s1", dictionary({{"DeviceIdentifier", "disk3s1"}, {"FilesystemName", "APFS"}}));
    EXPECT_EQ(pathsOf(enumerate()), std::vector<std::string>{"disk3"});
}

TEST_F(CVolumeMgrTest, FailedListIsNoListWithALogLine) {
    testsupport::LogCapture log;
    runner->fail({"list", "-plist"}, 1, "", "Error: cannot list the block devices\n");
    EXPECT_FALSE(CVolumeMgr(core::Executors::inlineExecutors()).enumDiskVolumesInfo());
    EXPECT_TRUE(log.contains("diskutil list error"));
}

TEST_F(CVolumeMgrTest, EnumerationsAreSpacedOneSecondApart) {
    testsupport::answerDiskUtilFrom(*runner, testsupport::diskUtilData("mac"));
    testsupport::ManualExecutors manual;
    EXPECT_TRUE(CVolumeMgr(manual.executors()).enumDiskVolumesInfo().has_value());
    manual.advance(std::chrono::milliseconds(999));
    EXPECT_FALSE(CVolumeMgr(manual.executors()).enumDiskVolumesInfo().has_value());
    manual.advance(std::chrono::milliseconds(1));
    EXPECT_TRUE(CVolumeMgr(manual.executors()).enumDiskVolumesInfo().has_value());
    EXPECT_EQ(runner->countOf({"list", "-plist"}), 2);
}

TEST_F(CVolumeMgrTest, InfoOfNothingRunsNothing) {
    EXPECT_FALSE(CVolumeMgr(core::Executors::inlineExecutors()).EUGetDiskInfo(""));
    runner->answer({"info", "-plist", "/dev/sdq"}, "not a property list");
    EXPECT_FALSE(CVolumeMgr(core::Executors::inlineExecutors()).EUGetDiskInfo("sdq"));
    EXPECT_EQ(runner->calls().size(), 1u);
}
