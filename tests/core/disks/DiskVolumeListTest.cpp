#include "core/disks/CVolumeMgr.h"
#include "core/disks/DiskVolumeList.h"
#include "support/DiskUtilFixture.h"
#include "support/ManualExecutors.h"
#include "support/ScopedEnvironment.h"
#include "support/ScriptedMountChangeSource.h"

#include <gtest/gtest.h>

using core::disks::DiskVolumeList;
using namespace std::chrono_literals;

namespace {

class DiskVolumeListTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::ProcessRunner::setShared(runner);
        testsupport::answerDiskUtilFrom(*runner, testsupport::diskUtilData("mac"));
        list->setReloadHandler([this] { ++reloads; });
    }
    void TearDown() override { platform::ProcessRunner::setShared(nullptr); }

    int listRuns() const { return runner->countOf({"list", "-plist"}); }
    std::vector<std::string> rowNames() const {
        std::vector<std::string> names;
        for (const auto& row : list->allVolumeArrSort()) names.push_back(row.isMarker() ? "A" : row.volume->volumeName);
        return names;
    }

    testsupport::ScopedEnvironment environment;
    std::shared_ptr<testsupport::FakeProcessRunner> runner = std::make_shared<testsupport::FakeProcessRunner>();
    testsupport::ManualExecutors manual;
    std::shared_ptr<DiskVolumeList> list = DiskVolumeList::create(manual.executors());
    int reloads = 0;
};

}  // namespace

TEST_F(DiskVolumeListTest, ScanSwapsInTheWholeListAndSelectsRowOne) {
    EXPECT_FALSE(list->isCanClick());
    list->getallVolumes();
    EXPECT_TRUE(list->isCanClick());
    EXPECT_TRUE(list->isScanV());
    ASSERT_TRUE(manual.runNext());  // the table is reloaded as the scan begins
    ASSERT_TRUE(manual.runNext());  // the enumeration, on the worker
    EXPECT_TRUE(list->allVolumeArr().empty());
    EXPECT_TRUE(list->allVolumeArrSort().empty());
    ASSERT_TRUE(manual.runNext());  // the swap, on the main thread
    EXPECT_FALSE(list->isScanV());
    EXPECT_EQ(list->allVolumeArr().size(), 7u);
    EXPECT_EQ(rowNames(), (std::vector<std::string>{"A", "Macintosh HD", "Recovery", "Exact", "Zero", "A", "STICK",
                                                    "Untitled", "CARD"}));
    EXPECT_EQ(list->inDiskCout(), 4);
    EXPECT_EQ(list->selectIndex(), 1);
    ASSERT_TRUE(list->selectVolume());
    EXPECT_EQ(list->selectVolume()->volumeName, "Macintosh HD");
    auto startup = list->startupVolume();
    ASSERT_TRUE(startup);
    EXPECT_EQ(startup->volumeFreeSize, "237.15 GB");
    EXPECT_EQ(startup->volumeFreeSizeNum, 254632502498);
    EXPECT_EQ(startup->diskType, "APFS");
    EXPECT_EQ(reloads, 2);
}

TEST_F(DiskVolumeListTest, RefusedRequestsGiveOneTrailingScan) {
    list->getallVolumes();
    list->getallVolumes();  // refused: a scan is running
    manual.runQueued();
    EXPECT_EQ(listRuns(), 1);
    list->getallVolumes();  // refused: too soon after the last start
    list->getallVolumes();
    manual.advance(1999ms);
    EXPECT_EQ(listRuns(), 1);
    manual.advance(1ms);
    EXPECT_EQ(listRuns(), 2);
    manual.advance(10s);
    EXPECT_EQ(listRuns(), 2);
    EXPECT_EQ(list->allVolumeArr().size(), 7u);
}

TEST_F(DiskVolumeListTest, RefusedEnumerationKeepsThePublishedListAndTriesAgain) {
    list->getallVolumes();
    manual.advance(2s);
    auto published = list->allVolumeArr();
    ASSERT_EQ(published.size(), 7u);
    // Another enumeration holds the enumerator's guard for the next second.
    ASSERT_TRUE(core::disks::CVolumeMgr(manual.executors()).enumDiskVolumesInfo());
    list->getallVolumes();
    manual.runQueued();
    EXPECT_EQ(listRuns(), 2);
    EXPECT_EQ(list->allVolumeArr(), published);
    EXPECT_EQ(list->selectVolume(), published[0]);
    manual.advance(2s);
    EXPECT_EQ(listRuns(), 3);
    EXPECT_EQ(list->allVolumeArr().size(), 7u);
    EXPECT_NE(list->allVolumeArr(), published);
}

TEST_F(DiskVolumeListTest, FailedListsKeepTheLastGoodListAndAreRetriedLessAndLessOften) {
    list->getallVolumes();
    manual.advance(2s);
    const auto published = list->allVolumeArr();
    ASSERT_EQ(published.size(), 7u);
    runner->fail({"list", "-plist"}, 1, "", "Error: cannot list the block devices\n");
    list->getallVolumes();
    manual.runQueued();
    EXPECT_EQ(listRuns(), 2);
    EXPECT_EQ(list->allVolumeArr(), published);
    EXPECT_EQ(list->selectVolume(), published[0]);
    EXPECT_EQ(list->startupVolume()->volumeName, "Macintosh HD");
    // Retries 2, 4, 8, 16, 32, 64 and again 64 s after each failure.
    for (auto [wait, runs] : std::vector<std::pair<std::chrono::seconds, int>>{
             {1s, 2}, {1s, 3}, {3s, 3}, {1s, 4}, {8s, 5}, {16s, 6}, {32s, 7}, {64s, 8}, {63s, 8}, {1s, 9}}) {
        manual.advance(wait);
        EXPECT_EQ(listRuns(), runs) << "after another " << wait.count() << " s";
    }
    testsupport::answerDiskUtilFrom(*runner, testsupport::diskUtilData("mac"));
    manual.advance(64s);
    EXPECT_EQ(listRuns(), 10);
    EXPECT_NE(list->allVolumeArr(), published);
    manual.advance(10min);
    EXPECT_EQ(listRuns(), 10);
}

TEST(DiskVolumeListRows, SecondMarkerOnlyWithEjectableVolumes) {
    auto volume = [](bool ejectable) {
        auto made = std::make_shared<core::disks::VolumeObj>();
        made->bCanEject = ejectable;
        return made;
    };
    auto internalOnly = DiskVolumeList::sortedRows({volume(false), volume(false)});
    ASSERT_EQ(internalOnly.rows.size(), 3u);
    EXPECT_TRUE(internalOnly.rows[0].isMarker());
    EXPECT_FALSE(internalOnly.rows[2].isMarker());
    EXPECT_EQ(internalOnly.internalCount, 2);
    auto externalOnly = DiskVolumeList::sortedRows({volume(true)});
    ASSERT_EQ(externalOnly.rows.size(), 3u);
    EXPECT_TRUE(externalOnly.rows[1].isMarker());
    EXPECT_EQ(externalOnly.internalCount, 0);
    EXPECT_EQ(DiskVolumeList::sortedRows({}).rows.size(), 1u);
}

TEST_F(DiskVolumeListTest, MountBurstGivesOneScan) {
    list->getallVolumes();
    manual.advance(2s);
    ASSERT_EQ(listRuns(), 1);
    testsupport::TempFolder folder;
    const std::string root = "27 1 8:1 / / rw - ext4 /dev/sda1 rw\n";
    const std::string stick = "71 27 8:17 / /media/STICK rw - vfat /dev/sdb1 rw\n";
    const std::string card = "72 27 8:33 / /media/CARD rw - exfat /dev/sdc1 rw\n";
    std::string table = folder.writeFile("mountinfo", root);
    auto write = [&](const std::string& text) { return [&folder, text] { folder.writeFile("mountinfo", text); }; };
    auto source = std::make_shared<testsupport::ScriptedMountChangeSource>(
        std::deque<std::function<void()>>{write(root + stick), write(root + stick + card), write(root + card)});
    list->observeMountChanges({table, 500ms, 5s, source});
    ASSERT_TRUE(source->waitUntilIdle(30s));
    ASSERT_TRUE(manual.waitForQueued(30s));
    manual.advance(10s);
    EXPECT_EQ(listRuns(), 2);
}
