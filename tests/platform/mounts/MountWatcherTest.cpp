#include "platform/mounts/MountWatcher.h"
#include "support/ScriptedMountChangeSource.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

using platform::MountChange;
using platform::MountWatcher;

namespace {

const std::string kRoot = "27 1 8:1 / / rw - ext4 /dev/sda1 rw\n";
const std::string kStick = "71 27 8:17 / /media/STICK rw - vfat /dev/sdb1 rw\n";
const std::string kCard = "72 27 8:33 / /media/CARD rw - exfat /dev/sdc1 rw\n";
const std::string kRun = "73 27 0:45 / /run/user/1000 rw - tmpfs tmpfs rw\n";

// Collects the watcher's reports, which arrive on its own thread.
class Reports {
public:
    MountWatcher::Handler handler() {
        return [this](const std::vector<MountChange>& changes) {
            std::lock_guard<std::mutex> lock(mutex_);
            batches_.push_back(changes);
            arrived_.notify_all();
        };
    }
    std::vector<std::vector<MountChange>> waitFor(size_t count) {
        std::unique_lock<std::mutex> lock(mutex_);
        arrived_.wait_for(lock, std::chrono::seconds(30), [&] { return batches_.size() >= count; });
        return batches_;
    }

private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::vector<std::vector<MountChange>> batches_;
};

}  // namespace

TEST(MountWatcher, BurstIsReportedOnceAsItsNetChange) {
    testsupport::TempFolder folder;
    std::string table = folder.writeFile("mountinfo", kRoot);
    auto write = [&](const std::string& text) { return [&folder, text] { folder.writeFile("mountinfo", text); }; };
    // The stick and a card come, a tmpfs comes, the card goes again, all in one burst.
    auto source = std::make_shared<testsupport::ScriptedMountChangeSource>(std::deque<std::function<void()>>{
        write(kRoot + kStick), write(kRoot + kStick + kCard + kRun), write(kRoot + kStick + kRun)});
    Reports reports;
    {
        MountWatcher watcher(reports.handler(), {table, std::chrono::milliseconds(500), std::chrono::seconds(5), source});
        auto batches = reports.waitFor(1);
        ASSERT_EQ(batches.size(), 1u);
        ASSERT_EQ(batches[0].size(), 1u);
        EXPECT_EQ(batches[0][0].kind, MountChange::Kind::Mounted);
        EXPECT_EQ(batches[0][0].entry.source, "/dev/sdb1");
        EXPECT_EQ(batches[0][0].entry.target, "/media/STICK");
        ASSERT_TRUE(source->waitUntilIdle(std::chrono::seconds(30)));
    }
    EXPECT_EQ(reports.waitFor(1).size(), 1u);
}

TEST(MountWatcher, ChangesThatCancelOutAreNotReported) {
    testsupport::TempFolder folder;
    std::string table = folder.writeFile("mountinfo", kRoot + kStick);
    auto source = std::make_shared<testsupport::ScriptedMountChangeSource>(std::deque<std::function<void()>>{
        [&] { folder.writeFile("mountinfo", kRoot); }, [&] { folder.writeFile("mountinfo", kRoot + kStick); },
        [&] { folder.writeFile("mountinfo", kRoot + kStick + kRun); }});
    Reports reports;
    {
        MountWatcher watcher(reports.handler(), {table, std::chrono::milliseconds(500), std::chrono::seconds(5), source});
        ASSERT_TRUE(source->waitUntilIdle(std::chrono::seconds(30)));
    }
    EXPECT_TRUE(reports.waitFor(0).empty());
}
