#include "platform/hardware/SmcKeyData.h"

#include <gtest/gtest.h>

using platform::SmcKeyData;

namespace {

SmcKeyData distinctRecord() {
    SmcKeyData record;
    record.key = 0x01020304;
    record.versionMajor = 0x05;
    record.versionMinor = 0x06;
    record.versionBuild = 0x07;
    record.versionReserved = 0x08;
    record.versionRelease = 0x090A;
    record.pLimitVersion = 0x0B0C;
    record.pLimitLength = 0x0D0E;
    record.cpuPLimit = 0x0F101112;
    record.gpuPLimit = 0x13141516;
    record.memPLimit = 0x1718191A;
    record.keyInfoDataSize = 0x1B1C1D1E;
    record.keyInfoDataType = 0x1F202122;
    record.keyInfoDataAttributes = 0x23;
    record.result = 0x24;
    record.status = 0x25;
    record.data8 = 0x26;
    record.data32 = 0x2728292A;
    for (size_t i = 0; i < record.bytes.size(); ++i) record.bytes[i] = static_cast<uint8_t>(0x40 + i);
    return record;
}

}  // namespace

TEST(SmcKeyData, EveryFieldSitsAtItsOffsetLittleEndian) {
    auto raw = distinctRecord().toBytes();
    auto expectAt = [&](size_t offset, std::initializer_list<uint8_t> bytes) {
        size_t i = offset;
        for (uint8_t byte : bytes) EXPECT_EQ(raw[i++], byte) << "offset " << offset;
    };
    expectAt(0, {0x04, 0x03, 0x02, 0x01});
    expectAt(4, {0x05, 0x06, 0x07, 0x08});
    expectAt(8, {0x0A, 0x09, 0x00, 0x00});  // release, then padding
    expectAt(12, {0x0C, 0x0B, 0x0E, 0x0D});
    expectAt(16, {0x12, 0x11, 0x10, 0x0F});
    expectAt(20, {0x16, 0x15, 0x14, 0x13});
    expectAt(24, {0x1A, 0x19, 0x18, 0x17});
    expectAt(28, {0x1E, 0x1D, 0x1C, 0x1B});
    expectAt(32, {0x22, 0x21, 0x20, 0x1F});
    expectAt(36, {0x23, 0x00, 0x00, 0x00});  // attributes, then padding
    expectAt(40, {0x24, 0x25, 0x26, 0x00});  // result, status, command, padding
    expectAt(44, {0x2A, 0x29, 0x28, 0x27});
    for (size_t i = 0; i < 32; ++i) EXPECT_EQ(raw[48 + i], 0x40 + i);
}

TEST(SmcKeyData, RoundTripKeepsEveryFieldAndAZeroRecordIsAllZero) {
    auto raw = distinctRecord().toBytes();
    EXPECT_EQ(SmcKeyData::fromBytes(raw).toBytes(), raw);
    SmcKeyData::Bytes zero{};
    EXPECT_EQ(SmcKeyData().toBytes(), zero);
    // Each single byte changed in the raw record comes back through a decode and encode.
    for (size_t offset = 0; offset < SmcKeyData::kSize; ++offset) {
        bool padding = offset == 10 || offset == 11 || (offset >= 37 && offset <= 39) || offset == 43;
        SmcKeyData::Bytes changed{};
        changed[offset] = 0xA5;
        EXPECT_EQ(SmcKeyData::fromBytes(changed).toBytes() == changed, !padding) << "offset " << offset;
    }
}

TEST(SmcKeyData, CodesCarryTheFirstCharacterInTheHighByte) {
    EXPECT_EQ(platform::smcCode("TC0P"), 0x54433050u);
    EXPECT_EQ(platform::smcCodeText(0x54433050u), "TC0P");
    EXPECT_EQ(platform::smcCodeText(platform::smcCode("ui8 ")), "ui8 ");
}
