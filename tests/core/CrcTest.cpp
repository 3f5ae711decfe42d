#include "core/duplicates/crc.h"
#include "support/RandomContent.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>
#include <algorithm>

using core::crc;

namespace {

std::uint64_t byTable(const char* data, std::size_t length) {
    return crc::crc64BufferByTable(data, length, true, 0);
}

}  // namespace

TEST(Crc64, CheckValuesOfBothVersions) {
    const std::string abc = "abc", digits = "123456789";
    EXPECT_EQ(crc::crc64(abc.data(), abc.size()), 0xF10896EFC03E0514ull);
    EXPECT_EQ(crc::crc64(digits.data(), digits.size()), 0xCAA717168609F281ull);
    EXPECT_EQ(crc::crc64BufferByTable(abc.data(), abc.size(), true, 0), 0xF10896EFC03E0514ull);
    EXPECT_EQ(crc::crc64BufferByTable(digits.data(), digits.size(), true, 0), 0xCAA717168609F281ull);
    EXPECT_EQ(crc::crc64(abc.data(), 0), 0xFFFFFFFFFFFFFFFFull);
    EXPECT_EQ(crc::crc64(nullptr, 3), 0u);
    EXPECT_EQ(crc::crc64Buffer(nullptr, 3, false, 42), 0u);
    EXPECT_EQ(crc::crc64BufferByTable(nullptr, 3, false, 42), 0u);
}

TEST(Crc64, FastVersionEqualsTableOnEveryLengthRange) {
    const std::size_t longest = (4u << 20) + 17;
    const auto data = testsupport::randomContent(longest, 1);
    std::vector<std::size_t> lengths;
    for (std::size_t length = 0; length <= 1100; ++length) lengths.push_back(length);
    for (std::size_t power = 2048; power <= (4u << 20); power *= 2)
        for (std::size_t length : {power - 1, power, power + 1}) lengths.push_back(length);
    lengths.push_back(longest);
    for (std::size_t length : lengths)
        ASSERT_EQ(crc::crc64(data.data(), length), byTable(data.data(), length)) << "length " << length;
}

TEST(Crc64, FastVersionEqualsTableOnUnalignedStarts) {
    const auto data = testsupport::randomContent(70000, 2);
    for (std::size_t start = 1; start < 16; ++start)
        for (std::size_t length : {std::size_t(1), std::size_t(7), std::size_t(63), std::size_t(4099), std::size_t(65536)})
            ASSERT_EQ(crc::crc64(data.data() + start, length), byTable(data.data() + start, length))
                << "start " << start << " length " << length;
}

TEST(Crc64, ChainedPiecesGiveTheOneShotValue) {
    const auto data = testsupport::randomContent(300000, 3);
    const std::uint64_t whole = crc::crc64(data.data(), data.size());
    std::mt19937_64 generator(4);
    for (int trial = 0; trial < 50; ++trial) {
        std::uint64_t fast = 0, table = 0;
        bool head = true;
        for (std::size_t offset = 0; offset < data.size();) {
            const std::size_t piece = std::min<std::size_t>(generator() % 70000, data.size() - offset);
            fast = crc::crc64Buffer(data.data() + offset, piece, head, fast);
            table = crc::crc64BufferByTable(data.data() + offset, piece, head, table);
            head = false;
            offset += piece;
        }
        ASSERT_EQ(fast, whole);
        ASSERT_EQ(table, whole);
    }
}
