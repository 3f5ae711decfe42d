#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

namespace core {

// The contents of a few short files one worker has read whole, by size and CRC-64: a file
// read after one of them with the same size, CRC and bytes is known to be its copy at once,
// without being read again to be compared. A class of thousands of copies of one small file is
// so read only once, in a few kilobytes of memory. When all places are taken, a new content
// takes the place of the one that has had the fewest copies (the oldest of those), so the
// contents that have many copies stay.
class RecentContents {
public:
    static constexpr std::size_t longest = 16u << 10;
    static constexpr std::size_t kept = 16;
    static constexpr std::size_t none = std::numeric_limits<std::size_t>::max();

    // The file (by its index) whose content the bytes equal, or none; the bytes are kept in
    // place of the oldest when no kept file has their size and CRC. Bytes longer than longest
    // are neither compared nor kept.
    std::size_t copyOf(std::size_t index, std::uint64_t crc, const unsigned char* bytes, std::size_t length);

private:
    struct Content {
        std::size_t index = none;
        std::uint64_t crc = 0;
        std::uint64_t copies = 0;
        std::uint64_t since = 0;  // when it was kept, in files seen
        std::vector<unsigned char> bytes;
    };

    std::vector<Content> contents_;
    std::uint64_t seen_ = 0;
};

}  // namespace core
