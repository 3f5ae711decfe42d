#include "platform/hardware/Backlight.h"

#include "platform/system/Busctl.h"
#include "platform/system/KernelFiles.h"
#include "platform/system/Log.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace platform {
namespace {

constexpr auto kLogindTimeout = std::chrono::seconds(5);

// Lower is preferred: the kernel's own advice for choosing among backlight interfaces.
int preferenceOf(const std::string& type) {
    static const std::array<std::string, 3> order = {"firmware", "platform", "raw"};
    return int(std::find(order.begin(), order.end(), type) - order.begin());
}

}  // namespace

std::optional<Backlight> Backlight::find(const std::string& sysRoot) {
    const std::string folder = sysRoot + "/class/backlight";
    std::optional<Backlight> chosen;
    int chosenPreference = 0;
    for (const std::string& name : listKernelFolder(folder)) {
        const std::string device = folder + "/" + name;
        const int preference = preferenceOf(readKernelAttribute(device + "/type").value_or(""));
        if (chosen && preference >= chosenPreference) continue;
        auto brightness = readKernelNumber(device + "/brightness");
        auto maxBrightness = readKernelNumber(device + "/max_brightness");
        if (!brightness || !maxBrightness || *maxBrightness <= 0) continue;
        chosen = Backlight(name, std::clamp<int64_t>(*brightness, 0, *maxBrightness), *maxBrightness);
        chosenPreference = preference;
    }
    return chosen;
}

int64_t Backlight::stepFor(double level) const {
    const double clamped = std::clamp(level, 0.0, 1.0);
    return std::max<int64_t>(1, std::llround(clamped * double(maxBrightness_)));
}

bool Backlight::setLevel(double level) const {
    const BusctlAnswer answer =
        busctl(Bus::System,
               {"call", "org.freedesktop.login1", "/org/freedesktop/login1/session/auto",
                "org.freedesktop.login1.Session", "SetBrightness", "ssu", "backlight", name_,
                std::to_string(stepFor(level))},
               kLogindTimeout);
    if (!answer.succeeded) logWarning("Brightness: logind did not set " + name_ + ": " + answer.error);
    return answer.succeeded;
}

}  // namespace platform
