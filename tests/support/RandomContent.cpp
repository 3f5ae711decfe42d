#include "support/RandomContent.h"

#include "core/duplicates/crc.h"

#include <random>

namespace testsupport {

std::string randomContent(std::size_t length, std::uint64_t seed) {
    std::mt19937_64 generator(seed);
    std::string content(length, '\0');
    for (auto& byte : content) byte = static_cast<char>(generator());
    return content;
}

std::string crcTwin(std::string content, std::size_t offset, unsigned char r) {
    const std::uint64_t value = core::crc::crc64Buffer(&r, 1, false, 0);
    content[offset] = static_cast<char>(content[offset] ^ r);
    for (int i = 0; i < 8; ++i)
        content[offset + 1 + i] = static_cast<char>(content[offset + 1 + i] ^ ((value >> (8 * i)) & 0xFF));
    return content;
}

}  // namespace testsupport
