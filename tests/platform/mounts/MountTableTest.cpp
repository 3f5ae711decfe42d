#include "platform/mounts/KernelMountChangeSource.h"
#include "platform/mounts/MountTable.h"
#include "support/LogCapture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>

using platform::MountChange;
using platform::MountTable;

namespace {

const char* kTable =
    "22 27 0:21 / /proc rw,relatime - proc proc rw\n"
    "27 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
    "31 27 0:26 / /run rw,nosuid - tmpfs tmpfs rw,mode=755\n"
    "71 31 8:17 / /media/STICK rw,nosuid - vfat /dev/sdb1 rw\n"
    "74 31 11:0 / /media/DVD ro,nosuid - iso9660 /dev/sr0 ro\n"
    "75 27 0:40 / /mnt/share rw - nfs4 server:/export rw\n"
    "76 71 0:41 / /media/STICK tmpfs rw - tmpfs tmpfs rw\n";

MountTable tableOf(const testsupport::TempFolder& folder, const std::string& text) {
    auto table = MountTable::read(folder.writeFile("mountinfo", text));
    return table.value_or(MountTable());
}

}  // namespace

TEST(MountTable, ReadsEntriesWithTheirKindAndAccess) {
    testsupport::TempFolder folder;
    MountTable table = tableOf(folder, kTable);
    ASSERT_EQ(table.entries().size(), 7u);
    const auto* root = table.entryAt("/");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->source, "/dev/sda1");
    EXPECT_EQ(root->fsType, "ext4");
    EXPECT_TRUE(root->blockDevice);
    EXPECT_FALSE(root->readOnly);
    EXPECT_TRUE(table.entryAt("/media/DVD")->readOnly);
    EXPECT_FALSE(table.entryAt("/run")->blockDevice);
    EXPECT_FALSE(table.entryAt("/mnt/share")->blockDevice);
    // A later mount over the same place hides the earlier one.
    EXPECT_EQ(table.entryAt("/media/STICK")->fsType, "tmpfs");
    EXPECT_EQ(table.entryAt("/nowhere"), nullptr);
}

TEST(MountTable, MissingFileIsNoTableAndIsLogged) {
    testsupport::LogCapture log;
    EXPECT_FALSE(MountTable::read("/nonexistent/mountinfo").has_value());
    EXPECT_TRUE(log.contains("/nonexistent/mountinfo"));
}

TEST(MountTable, ChangesCoverOnlyBlockDevices) {
    testsupport::TempFolder folder;
    MountTable before = tableOf(folder, kTable);
    MountTable after = tableOf(folder,
                               "27 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
                               "90 27 8:33 / /media/CARD rw - exfat /dev/sdc1 rw\n"
                               "91 27 0:50 / /tmp/x rw - tmpfs tmpfs rw\n"
                               "74 31 11:0 / /media/DVD rw,nosuid - iso9660 /dev/sr0 rw\n");
    auto changes = after.blockDeviceChangesSince(before);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].kind, MountChange::Kind::Mounted);
    EXPECT_EQ(changes[0].entry.source, "/dev/sdc1");
    EXPECT_EQ(changes[1].kind, MountChange::Kind::Unmounted);
    EXPECT_EQ(changes[1].entry.target, "/media/STICK");
    EXPECT_TRUE(after.blockDeviceChangesSince(after).empty());
}

TEST(KernelMountChangeSource, InterruptWakesAWaitWithoutTimeout) {
    platform::KernelMountChangeSource source("/proc/self/mountinfo");
    auto waiting = std::async(std::launch::async, [&] { return source.waitForChange(std::nullopt); });
    source.interrupt();
    ASSERT_EQ(waiting.wait_for(std::chrono::seconds(30)), std::future_status::ready);
    EXPECT_FALSE(waiting.get());
}
