#include "core/largefiles/Controller.h"

#include "core/largefiles/Progress.h"
#include "support/ManualExecutors.h"
#include "support/RecordingControllerDelegate.h"
#include "support/ScopedEnvironment.h"
#include "support/SizeTreeFixture.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <thread>

using core::largefiles::Controller;
using core::largefiles::FileNodeTree;
using core::largefiles::Progress;
using testsupport::writeSizedFile;
using namespace std::chrono_literals;

namespace {

bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

// The scan on a thread of its own (joined at the end), the deletion inline, the main queue run
// by the test.
class ControllerScanThreadsTest : public ::testing::Test {
protected:
    testsupport::ScopedEnvironment environment;
    std::string first = environment.folder().makeFolder("first");
    std::string second = environment.folder().makeFolder("second");
    testsupport::ManualExecutors main;
    std::vector<std::thread> threads;
    std::shared_ptr<Controller> controller = Controller::make([this] {
        core::Executors executors = main.executors();
        executors.detached = [this](core::Task task) { threads.emplace_back(std::move(task)); };
        executors.global = [](core::Task task) { task(); };
        return executors;
    }());
    testsupport::RecordingControllerDelegate page;

    void SetUp() override {
        controller->aDelegate = &page;
        for (int index = 0; index < 8; ++index) writeSizedFile(first + "/d" + std::to_string(index) + "/f", 10);
        writeSizedFile(second + "/new", 1);
    }
    void TearDown() override {
        Progress::shareInit().resume();
        controller->stopScan();
        for (auto& thread : threads) thread.join();
        main.runQueued();
    }

    void pause() {
        if (!Progress::shareInit().getProgress()) Progress::shareInit().isContinue();
    }
    void runMainUntil(const std::function<bool()>& condition) {
        EXPECT_TRUE(waitFor([&] {
            main.runQueued();
            return condition();
        }, 5s));
    }
};

// The switch stays paused throughout: only the stop can end the old scan.
TEST_F(ControllerScanThreadsTest, AStopWhilePausedEndsTheScanAndTheNextScanShowsNoOldNode) {
    pause();
    auto old = std::make_shared<FileNodeTree>();
    controller->eumeAllRootFileNodeWithRootArr(old, first);
    ASSERT_TRUE(waitFor([&] { return old->topLevelCount() == 8; }, 5s));
    std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(controller->isScanFinished());

    controller->stopScan();
    EXPECT_TRUE(waitFor([&] { return old->isFinished(); }, 30s));
    EXPECT_TRUE(Progress::shareInit().getProgress());
    EXPECT_LT(controller->getProgress(), 100.0f);

    Progress::shareInit().resume();
    auto fresh = std::make_shared<FileNodeTree>();
    controller->eumeAllRootFileNodeWithRootArr(fresh, second);
    runMainUntil([&] { return controller->isScanFinished(); });
    EXPECT_EQ(testsupport::SizeTreeReader(fresh).names(), (std::vector<std::string>{"new"}));
    EXPECT_EQ(old->childRows(old->childRows(nullptr).front().node).size(), 0u);  // its walk never went on
}

TEST_F(ControllerScanThreadsTest, ADeletionDuringAPausedScanWaitsForTheWalkersToEnd) {
    pause();
    auto tree = std::make_shared<FileNodeTree>();
    controller->eumeAllRootFileNodeWithRootArr(tree, first);
    ASSERT_TRUE(waitFor([&] { return tree->topLevelCount() == 8; }, 5s));
    controller->clickNode(testsupport::SizeTreeReader(tree).node("d3"));

    ASSERT_TRUE(controller->deleteFilesWithDic(tree));
    EXPECT_FALSE(Progress::shareInit().getProgress());
    EXPECT_FALSE(controller->eumeAllRootFileNodeWithRootArr(std::make_shared<FileNodeTree>(), second));
    EXPECT_FALSE(controller->deleteFilesWithDic(tree));
    runMainUntil([&] { return !controller->isRemoving(); });
    EXPECT_TRUE(tree->isFinished());
    EXPECT_EQ(page.points.back(), 100);
    struct stat info;
    EXPECT_NE(lstat((first + "/d3").c_str(), &info), 0);
    EXPECT_EQ(lstat((first + "/d4").c_str(), &info), 0);
}

}  // namespace
