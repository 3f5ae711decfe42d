#pragma once

#include <cstddef>
#include <cstdint>

namespace core {

// CRC-64 with the Jones polynomial (0xAD93D23594C935A9, reflected input and output), started
// from all ones and without a final exclusive-or. The running value after a piece is the
// value to continue from, so chained pieces give the same result as one piece.
class crc {
public:
    static constexpr std::uint64_t initialValue = 0xFFFFFFFFFFFFFFFFull;

    // The CRC of one buffer: 0 for a null buffer, the initial value for no bytes.
    static std::uint64_t crc64(const void* buffer, std::size_t length);
    // The running value advanced over buffer; isHead starts it afresh. 0 for a null buffer.
    static std::uint64_t crc64Buffer(const void* buffer, std::size_t length, bool isHead, std::uint64_t running);
    // The same value computed a byte at a time from the 256-entry table: the reference that
    // the fast version is checked and measured against.
    static std::uint64_t crc64BufferByTable(const void* buffer, std::size_t length, bool isHead, std::uint64_t running);
};

}  // namespace core
