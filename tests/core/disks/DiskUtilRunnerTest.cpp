#include "core/disks/DiskUtilRunner.h"
#include "support/FakeProcessRunner.h"
#include "support/LogCapture.h"
#include "support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using core::disks::DiskUtilRunner;

namespace {

class DiskUtilRunnerTest : public ::testing::Test {
protected:
    void SetUp() override { platform::ProcessRunner::setShared(runner); }
    void TearDown() override { platform::ProcessRunner::setShared(nullptr); }

    testsupport::ScopedEnvironment environment;
    std::shared_ptr<testsupport::FakeProcessRunner> runner = std::make_shared<testsupport::FakeProcessRunner>();
};

}  // namespace

TEST_F(DiskUtilRunnerTest, OutputGoesToAPrivateFileWithoutStandardError) {
    platform::ProcessResult result;
    result.started = true;
    result.exitStatus = 0;
    result.output = "<plist/>";
    result.errorOutput = "a warning";
    runner->answerWith({"list", "-plist"}, result);
    auto path = DiskUtilRunner::ExecDiskUtilCommandWithArgs({"list", "-plist"});
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(*path, environment.folder() / "runtime/DiskListTemp.plist");
    EXPECT_EQ(testsupport::readWholeFile(*path), "<plist/>");
    struct stat info {};
    ASSERT_EQ(stat(path->c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    struct stat folder {};
    ASSERT_EQ(stat((environment.folder() / "runtime").c_str(), &folder), 0);
    EXPECT_EQ(folder.st_mode & 0777, 0700u);
    ASSERT_EQ(runner->calls().size(), 1u);
    EXPECT_EQ(runner->calls()[0].front(), std::string(DURIDOVE_BIN_DIR) + "/diskutil");
}

TEST_F(DiskUtilRunnerTest, FailingToolGivesNoResultAndALogLine) {
    testsupport::LogCapture log;
    runner->answer({"list", "-plist"}, "<plist><dict/></plist>");
    ASSERT_TRUE(DiskUtilRunner::ExecDiskUtilCommandWithArgs({"list", "-plist"}));
    runner->fail({"info", "-plist", "/dev/sdz"}, 1, "", "Error: could not find disk: /dev/sdz\n");
    EXPECT_FALSE(DiskUtilRunner::ExecDiskUtilCommandWithArgs({"info", "-plist", "/dev/sdz"}));
    EXPECT_TRUE(log.contains("diskutil info -plist /dev/sdz: exit status 1: Error: could not find disk: /dev/sdz"));
    // The earlier run's file is gone, so nothing stale can be read as this run's answer.
    EXPECT_EQ(testsupport::readWholeFile(environment.folder() / "runtime/DiskListTemp.plist"), "");
    EXPECT_FALSE(DiskUtilRunner::ExecDiskUtilCommandWithArgs({}));
    EXPECT_EQ(runner->calls().size(), 2u);
}

TEST_F(DiskUtilRunnerTest, ActionsGiveTheToolsStatusAndReasonWithoutAShortTimeout) {
    runner->fail({"eject", "ABCD"}, 1, "Unmounting /dev/sdb1 …\n", "Error: /dev/sdb1 is busy\n");
    auto failed = DiskUtilRunner::runDiskUtilWithArguments({"eject", "ABCD"}, "RepairTemp.plist");
    EXPECT_FALSE(failed.succeeded());
    EXPECT_EQ(failed.exitStatus, 1);
    EXPECT_EQ(failed.message, "/dev/sdb1 is busy");
    EXPECT_EQ(failed.path, environment.folder() / "runtime/RepairTemp.plist");
    EXPECT_EQ(testsupport::readWholeFile(failed.path), "Unmounting /dev/sdb1 …\n");
    EXPECT_GE(runner->requests().back().timeout, std::chrono::hours(1));

    runner->answer({"mount", "sdb1"}, "Volume STICK on /dev/sdb1 mounted at /media/STICK\n");
    auto mounted = DiskUtilRunner::runDiskUtilWithArguments({"mount", "sdb1"}, "VolumeTemp.plist");
    EXPECT_TRUE(mounted.succeeded());
    EXPECT_EQ(mounted.message, "Volume STICK on /dev/sdb1 mounted at /media/STICK");

    runner->fail({"unmount", "sdz9"}, 2, "", "");
    EXPECT_EQ(DiskUtilRunner::runDiskUtilWithArguments({"unmount", "sdz9"}, "VolumeTemp.plist").message,
              "diskutil exit status 2");
}

TEST(DiskUtilRunnerFolder, UntrustedRuntimeFolderGivesNoFile) {
    testsupport::TempFolder elsewhere;
    testsupport::ScopedEnvironment environment([&](platform::Environment::Values& values) {
        values.runtimeFolder = elsewhere / "link";
        symlink(elsewhere.path().c_str(), values.runtimeFolder.c_str());
    });
    testsupport::LogCapture log;
    EXPECT_FALSE(DiskUtilRunner::ExecDiskUtilCommandWithArgs({"list", "-plist"}));
    EXPECT_EQ(DiskUtilRunner::runDiskUtilWithArguments({"list", "-plist"}, "VolumeTemp.plist").path, "");
    EXPECT_TRUE(log.contains("not a private folder"));
}
