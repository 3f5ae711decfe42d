#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace testsupport {

// Bytes that look random but are fixed by the seed, for file contents and buffers.
std::string randomContent(std::size_t length, std::uint64_t seed);

}  // namespace testsupport
