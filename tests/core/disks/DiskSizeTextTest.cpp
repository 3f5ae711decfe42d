#include "core/disks/DiskSizeText.h"

#include <gtest/gtest.h>

using core::disks::convertSize2String;

TEST(DiskSizeText, StepsAtEachPowerOfTwoWithoutATerabyteStep) {
    EXPECT_EQ(convertSize2String(0), "0 byte");
    EXPECT_EQ(convertSize2String(1023), "1023 byte");
    EXPECT_EQ(convertSize2String(1024), "1.00 KB");
    EXPECT_EQ(convertSize2String(0xFFFFF), "1024.00 KB");
    EXPECT_EQ(convertSize2String(1048576), "1.00 MB");
    EXPECT_EQ(convertSize2String(0x3FFFFFFF), "1024.00 MB");
    EXPECT_EQ(convertSize2String(1073741824), "1.00 GB");
    EXPECT_EQ(convertSize2String(2199023255552), "2048.00 GB");
}

TEST(DiskSizeText, QuotientIsSinglePrecision) {
    EXPECT_EQ(convertSize2String(254632502498), "237.15 GB");
    // 16,777,217 KiB is not a single-precision number: it rounds to 16,777,216.
    EXPECT_EQ(convertSize2String(16777217ull << 30), "16777216.00 GB");
}
