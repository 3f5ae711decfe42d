#include "core/duplicates/crc.h"

#include "platform/system/IsalLibrary.h"

#include <array>

namespace core {
namespace {

constexpr std::uint64_t reflectedPolynomial = 0x95AC9329AC4BC9B5ull;

constexpr std::array<std::uint64_t, 256> makeTable() {
    std::array<std::uint64_t, 256> table{};
    for (std::uint64_t i = 0; i < table.size(); ++i) {
        std::uint64_t value = i;
        for (int bit = 0; bit < 8; ++bit) value = (value & 1) ? (value >> 1) ^ reflectedPolynomial : value >> 1;
        table[i] = value;
    }
    return table;
}

constexpr std::array<std::uint64_t, 256> table = makeTable();

}  // namespace

std::uint64_t crc::crc64(const void* buffer, std::size_t length) { return crc64Buffer(buffer, length, true, 0); }

// Without ISA-L the same sums come from the table, only slower.
std::uint64_t crc::crc64Buffer(const void* buffer, std::size_t length, bool isHead, std::uint64_t running) {
    if (!buffer) return 0;
    static const platform::IsalLibrary* const isal = platform::IsalLibrary::loaded();
    if (!isal) return crc64BufferByTable(buffer, length, isHead, running);
    const std::uint64_t start = isHead ? initialValue : running;
    // ISA-L inverts the value on the way in and out; the inversions around the call cancel them.
    return ~isal->crc64_jones_refl(~start, static_cast<const unsigned char*>(buffer), length);
}

std::uint64_t crc::crc64BufferByTable(const void* buffer, std::size_t length, bool isHead, std::uint64_t running) {
    if (!buffer) return 0;
    std::uint64_t value = isHead ? initialValue : running;
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    for (std::size_t i = 0; i < length; ++i) value = (value >> 8) ^ table[(value ^ bytes[i]) & 0xFF];
    return value;
}

}  // namespace core
