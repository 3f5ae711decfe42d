#include "core/disks/DiskVolumeActions.h"
#include "support/DiskUtilFixture.h"
#include "support/ScopedEnvironment.h"

#include <gtest/gtest.h>

using core::disks::DiskVolumeActions;
using core::disks::VolumeObj;

namespace {

class DiskVolumeActionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::ProcessRunner::setShared(runner);
        testsupport::answerDiskUtilFrom(*runner, testsupport::diskUtilData("mac"));
        stick.volumeName = "STICK";
        stick.volumePath = "disk2s1";
        stick.diskUUID = "3C1E-8A5F";
        stick.diskType = "MS-DOS (FAT32)";
        stick.volumeMountPoint = "/Volumes/STICK";
        stick.bCanEject = true;
    }
    void TearDown() override { platform::ProcessRunner::setShared(nullptr); }

    std::vector<std::string> lastCall() const {
        auto call = runner->calls().back();
        return {call.begin() + 1, call.end()};
    }
    int listRuns() const { return runner->countOf({"list", "-plist"}); }
    DiskVolumeActions::Done record() {
        return [this](const DiskVolumeActions::Result& result) { results.push_back(result); };
    }

    testsupport::ScopedEnvironment environment;
    std::shared_ptr<testsupport::FakeProcessRunner> runner = std::make_shared<testsupport::FakeProcessRunner>();
    std::shared_ptr<core::disks::DiskVolumeList> list =
        core::disks::DiskVolumeList::create(core::Executors::inlineExecutors());
    DiskVolumeActions actions{core::Executors::inlineExecutors(), list};
    VolumeObj stick;
    std::vector<DiskVolumeActions::Result> results;
};

}  // namespace

TEST_F(DiskVolumeActionsTest, AFailedRenameKeepsTheRecordAndGivesTheReason) {
    runner->fail({"rename", "3C1E-8A5F", "SIXTEEN CHA"}, 1, "", "Error: cannot rename /dev/sdb1: Not authorized\n");
    EXPECT_TRUE(actions.makeSureToChangeName(stick, "sixteen chars ab", record()));
    EXPECT_EQ(lastCall(), (std::vector<std::string>{"rename", "3C1E-8A5F", "SIXTEEN CHA"}));
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].message, "cannot rename /dev/sdb1: Not authorized");
    EXPECT_EQ(stick.volumeName, "STICK");
    EXPECT_EQ(stick.volumeMountPoint, "/Volumes/STICK");
    EXPECT_EQ(listRuns(), 0);

    EXPECT_FALSE(actions.makeSureToChangeName(stick, " ", record()));
    EXPECT_EQ(results.size(), 1u);
}

TEST_F(DiskVolumeActionsTest, ARenameOfAVolumeWithoutUuidFailsWithAReason) {
    stick.diskUUID.clear();
    const size_t calls = runner->calls().size();
    EXPECT_TRUE(actions.makeSureToChangeName(stick, "photos", record()));
    EXPECT_EQ(runner->calls().size(), calls);
    ASSERT_EQ(results.size(), 1u);
    EXPECT_FALSE(results[0].succeeded());
    EXPECT_EQ(results[0].message, "无法重命名“STICK”：这个宗卷没有 UUID。");
    EXPECT_EQ(stick.volumeName, "STICK");
}

TEST_F(DiskVolumeActionsTest, ASuccessfulRenameRescansInsteadOfPatchingTheRecord) {
    runner->answer({"rename", "3C1E-8A5F", "PHOTOS"}, "");
    EXPECT_TRUE(actions.makeSureToChangeName(stick, "photos", record()));
    ASSERT_EQ(results.size(), 1u);
    EXPECT_TRUE(results[0].succeeded());
    EXPECT_EQ(stick.volumeName, "STICK");
    EXPECT_EQ(listRuns(), 1);
}

TEST_F(DiskVolumeActionsTest, FormatSendsTheRulesNamesAndTypes) {
    actions.makeSureToFormat(stick, "", "MS-DOS FAT32", record());
    EXPECT_EQ(lastCall(), (std::vector<std::string>{"eraseVolume", "MS-DOS FAT32", "NEW", "disk2s1"}));
    actions.makeSureToFormat(stick, "Backup", "Mac OS扩展", record());
    EXPECT_EQ(lastCall(), (std::vector<std::string>{"eraseVolume", "Journaled HFS+", "Backup", "disk2s1"}));
    ASSERT_EQ(results.size(), 2u);
    EXPECT_FALSE(results[1].succeeded());  // the fake knows no such command line
    EXPECT_EQ(listRuns(), 0);  // the format-end notice rescans when it closes
}

TEST_F(DiskVolumeActionsTest, ApfsIsRenamedThenReformattedAndTheRefusalReported) {
    stick.diskType = "APFS";
    runner->answer({"rename", "3C1E-8A5F", "Data"}, "");
    runner->fail({"reformat", "disk2s1"}, 1, "", "Error: APFS volumes cannot be formatted on this system\n");
    actions.makeSureToFormat(stick, "Data", "APFS", record());
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].message, "APFS volumes cannot be formatted on this system");
    EXPECT_EQ(runner->countOf({"reformat", "disk2s1"}), 1);
}

TEST_F(DiskVolumeActionsTest, MountUnmountAndEjectRunOnTheDeviceAndRescan) {
    runner->answer({"unmount", "disk2s1"}, "");
    actions.mountButtonAction(stick, true, record());
    EXPECT_EQ(listRuns(), 1);
    actions.mountButtonAction(stick, false, record());
    EXPECT_EQ(lastCall(), (std::vector<std::string>{"mount", "disk2s1"}));
    actions.ejectButtonAction(stick, record());
    EXPECT_EQ(lastCall(), (std::vector<std::string>{"eject", "3C1E-8A5F"}));
    ASSERT_EQ(results.size(), 3u);
    EXPECT_TRUE(results[0].succeeded());
    EXPECT_FALSE(results[2].succeeded());
    stick.volumePath.clear();
    stick.diskUUID.clear();
    actions.mountButtonAction(stick, true, record());
    actions.ejectButtonAction(stick, record());
    EXPECT_EQ(results.size(), 3u);
}
