#pragma once

#include <optional>
#include <string>

namespace core {

// The level in the brightness tool's "-l" output ("display 0: brightness 0.750000" gives
// 0.75): the number after the first "brightness"; nothing when the word or the number is
// missing.
std::optional<double> brightnessFromToolOutput(const std::string& output);

}  // namespace core
