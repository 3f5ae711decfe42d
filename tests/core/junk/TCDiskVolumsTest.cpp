#include "core/junk/TCDiskVolums.h"

#include "support/FakeMountedVolumes.h"

#include <gtest/gtest.h>

using core::junk::TCDiskVolums;
using core::junk::TCVolumDetail;

TEST(TCDiskVolums, RecordsWithSizesKindsAndEjectability) {
    testsupport::MountedVolumesReset reset;
    auto volume = [](const std::string& root, uint64_t total) {
        platform::MountedVolume mounted;
        mounted.rootPath = root;
        mounted.name = root == "/" ? "/" : root.substr(root.rfind('/') + 1);
        mounted.totalBytes = total;
        mounted.freeBytes = total / 2;
        return mounted;
    };
    auto stick = volume("/Volumes/USB", 2 << 20);
    stick.externalBus = stick.removable = true;
    auto card = volume("/Volumes/Card", 1 << 20);
    card.removable = card.ejectable = true;
    auto dvd = volume("/Volumes/DVD", 1 << 30);
    dvd.opticalMedia = true;
    testsupport::FakeMountedVolumes::install({volume("/", 1 << 30), volume("/Volumes/Empty", 0), stick, card, dvd});

    TCDiskVolums volumes;
    const auto& all = volumes.allDiskVolums();
    ASSERT_EQ(all.size(), 4u);
    EXPECT_TRUE(all[0].bIsDefaultVol);
    EXPECT_EQ(all[0].volType, TCVolumDetail::Other);
    EXPECT_FALSE(all[0].bCanEject);
    EXPECT_EQ(all[0].totalSpace, "1.00 GB");
    EXPECT_EQ(all[0].freeSpace, "512.00 MB");
    EXPECT_EQ(all[1].volRootDir, "/Volumes/USB");
    EXPECT_EQ(all[1].volType, TCVolumDetail::ExternalBus);
    EXPECT_TRUE(all[1].bCanEject);
    EXPECT_EQ(all[2].volType, TCVolumDetail::Removable);
    EXPECT_TRUE(all[2].bCanEject);
    EXPECT_EQ(all[3].volType, TCVolumDetail::OpticalMedia);
    EXPECT_TRUE(all[3].bCanEject);
    // Enumerated afresh each time.
    EXPECT_EQ(volumes.allDiskVolums().size(), 4u);
}
