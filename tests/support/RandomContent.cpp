#include "support/RandomContent.h"

#include <random>

namespace testsupport {

std::string randomContent(std::size_t length, std::uint64_t seed) {
    std::mt19937_64 generator(seed);
    std::string content(length, '\0');
    for (auto& byte : content) byte = static_cast<char>(generator());
    return content;
}

}  // namespace testsupport
