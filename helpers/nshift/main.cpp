// Sets the strength of the display's night colours: "nshift 50" turns them on, "nshift 0" off.
// The desktop's night light has no strength of its own, so any strength above 0 means on and
// the colour temperature the user chose stays as it is. The setting is stored before the
// program ends; the settings daemon applies it live.

#include "platform/preferences/DesktopPreferences.h"

#include <charconv>
#include <cstdio>
#include <cstring>

int main(int argc, char* argv[]) {
    int strength = -1;
    const char* text = argc == 2 ? argv[1] : "";
    const char* end = text + std::strlen(text);
    const auto parsed = std::from_chars(text, end, strength);
    if (argc != 2 || parsed.ec != std::errc() || parsed.ptr != end || strength < 0 || strength > 100) {
        std::fprintf(stderr, "usage: nshift STRENGTH (0 to 100; 0 turns Night Shift off)\n");
        return 2;
    }
    const bool on = strength > 0;
    if (!platform::DesktopPreferences::shared()->setValue(platform::Preference::NightShift, on)) {
        std::fprintf(stderr, "nshift: the night light could not be turned %s\n", on ? "on" : "off");
        return 1;
    }
    return 0;
}
