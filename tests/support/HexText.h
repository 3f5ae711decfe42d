#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// Bytes written as hexadecimal text, white space ignored ("2F 80" gives 0x2F, 0x80).
std::vector<uint8_t> bytesFromHex(const std::string& text);

}  // namespace testsupport
