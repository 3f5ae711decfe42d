// The display brightness tool: "-l" prints "display 0: brightness <level>" (0 to 1, six decimals,
// C locale) of the backlight under DURIDOVE_SYS_ROOT (default /sys); a single level from 0 to 1
// sets it through logind, 0 giving the lowest step that still lights the display.

#include "platform/hardware/Backlight.h"
#include "platform/system/Environment.h"

#include <charconv>
#include <cstdio>
#include <optional>
#include <string>

namespace {

int usage() {
    std::fprintf(stderr, "usage: -l (print the level) or LEVEL (0 to 1)\n");
    return 1;
}

std::optional<double> parseLevel(const std::string& text) {
    double level = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), level);
    if (error != std::errc() || end != text.data() + text.size() || !(level >= 0 && level <= 1)) return std::nullopt;
    return level;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) return usage();
    const std::string argument = argv[1];
    const bool listing = argument == "-l";
    auto level = listing ? std::optional<double>() : parseLevel(argument);
    if (!listing && !level) return usage();

    auto backlight = platform::Backlight::find(platform::Environment::current()->sysRoot());
    if (!backlight) {
        std::fprintf(stderr, "no backlight found\n");
        return 1;
    }
    if (listing) {
        // This program never changes its locale from "C", so the level is written with a point.
        std::printf("display 0: brightness %f\n", backlight->level());
        return 0;
    }
    return backlight->setLevel(*level) ? 0 : 1;
}
