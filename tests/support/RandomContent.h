#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace testsupport {

// Bytes that look random but are fixed by the seed, for file contents and buffers.
std::string randomContent(std::size_t length, std::uint64_t seed);

// Content of the same size, first kilobyte (for an offset past it) and CRC-64 as the given
// one, but other bytes from offset on. CRC-64 is linear: a difference whose own CRC (from a
// running value of 0) is 0 leaves the CRC as it was, and one byte r followed by its running
// value (little-endian) is such a difference.
std::string crcTwin(std::string content, std::size_t offset, unsigned char r);

}  // namespace testsupport
