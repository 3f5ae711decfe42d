#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// The display's backlight, one device of <sys root>/class/backlight.
class Backlight {
public:
    // The device that drives the display: a firmware interface before a platform one before a
    // raw device, by name within each kind. Nothing where there is none whose level can be read.
    static std::optional<Backlight> find(const std::string& sysRoot);

    const std::string& name() const { return name_; }
    int64_t brightness() const { return brightness_; }
    int64_t maxBrightness() const { return maxBrightness_; }
    // The level when it was found, 0 to 1.
    double level() const { return double(brightness_) / double(maxBrightness_); }
    // The device's step for a level from 0 to 1; never 0, so the display never goes black.
    int64_t stepFor(double level) const;
    // Asks logind to set the level for the caller's own session, so no file of /sys is written
    // with rights the caller does not have. False (with a log line) when it refuses.
    bool setLevel(double level) const;

private:
    Backlight(std::string name, int64_t brightness, int64_t maxBrightness)
        : name_(std::move(name)), brightness_(brightness), maxBrightness_(maxBrightness) {}

    std::string name_;
    int64_t brightness_;
    int64_t maxBrightness_;
};

}  // namespace platform
