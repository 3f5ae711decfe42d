#include "core/panel/BrightnessReading.h"

#include <charconv>

namespace core {

std::optional<double> brightnessFromToolOutput(const std::string& output) {
    static const std::string word = "brightness";
    const size_t found = output.find(word);
    if (found == std::string::npos) return std::nullopt;
    // What follows the word, with every further "brightness", space and line break left out.
    std::string rest;
    for (size_t at = found; at < output.size();) {
        if (output.compare(at, word.size(), word) == 0) {
            at += word.size();
        } else {
            if (output[at] != ' ' && output[at] != '\n') rest += output[at];
            ++at;
        }
    }
    double level = 0;
    if (std::from_chars(rest.data(), rest.data() + rest.size(), level).ec != std::errc()) return std::nullopt;
    return level;
}

}  // namespace core
