#include "support/HexText.h"

#include <cctype>
#include <stdexcept>

namespace testsupport {

std::vector<uint8_t> bytesFromHex(const std::string& text) {
    std::string digits;
    for (char c : text) {
        if (std::isxdigit(static_cast<unsigned char>(c))) digits += c;
        else if (!std::isspace(static_cast<unsigned char>(c))) throw std::invalid_argument("not hex: " + text);
    }
    if (digits.size() % 2 != 0) throw std::invalid_argument("odd hex text " + text);
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < digits.size(); i += 2)
        bytes.push_back(static_cast<uint8_t>(std::stoul(digits.substr(i, 2), nullptr, 16)));
    return bytes;
}

}  // namespace testsupport
