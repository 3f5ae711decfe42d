#include "PowerSourceReport.h"

#include "platform/system/KernelFiles.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {

struct Battery {
    int64_t capacity = 0;
    std::string state;      // "charging", "discharging", "charged", "AC attached"
    std::string remaining;  // "3:10 remaining", "(no estimate)", "not charging"
};

// Far beyond any battery (10^12 µWh is a megawatt-hour) and small enough that every sum and
// product below stays inside 64 bits.
constexpr int64_t kLargestMeasure = 1'000'000'000'000;

class Supply {
public:
    explicit Supply(std::string folder) : folder_(std::move(folder)) {}
    std::string text(const char* name) const { return platform::readKernelAttribute(folder_ + "/" + name).value_or(""); }
    // Clamped, so an absurd driver value gives an absurd report rather than an overflow.
    std::optional<int64_t> number(const char* name) const {
        auto value = platform::readKernelNumber(folder_ + "/" + name);
        if (!value) return std::nullopt;
        return std::clamp(*value, -kLargestMeasure, kLargestMeasure);
    }

private:
    std::string folder_;
};

// Energy in µWh with power in µW, or charge in µAh with current in µA.
struct Measure {
    const char* now;
    const char* full;
    const char* rate;
};
constexpr Measure kMeasures[] = {{"energy_now", "energy_full", "power_now"},
                                 {"charge_now", "charge_full", "current_now"}};

std::string hoursAndMinutes(int64_t seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld remaining", static_cast<long long>(seconds / 3600),
                  static_cast<long long>(seconds / 60 % 60));
    return text;
}

// Seconds to empty or to full: the driver's own estimate, else the energy (or charge) still to
// go divided by the power (or current) flowing; nothing when no power flows.
std::optional<int64_t> secondsLeft(const Supply& supply, bool charging) {
    if (auto estimate = supply.number(charging ? "time_to_full_now" : "time_to_empty_now"); estimate && *estimate > 0)
        return *estimate;
    for (const Measure& measure : kMeasures) {
        auto now = supply.number(measure.now);
        auto flow = supply.number(measure.rate);
        if (!now || !flow) continue;
        if (*flow == 0) return std::nullopt;
        int64_t toGo = charging ? supply.number(measure.full).value_or(*now) - *now : *now;
        return std::max<int64_t>(toGo, 0) * 3600 / std::llabs(*flow);
    }
    return std::nullopt;
}

// A percentage, from 0 to 100.
std::optional<int64_t> capacityOf(const Supply& supply) {
    std::optional<int64_t> capacity = supply.number("capacity");
    for (const Measure& measure : kMeasures) {
        if (capacity) break;
        auto now = supply.number(measure.now);
        auto whole = supply.number(measure.full);
        if (now && whole && *whole > 0) capacity = *now * 100 / *whole;
    }
    if (!capacity) return std::nullopt;
    return std::clamp<int64_t>(*capacity, 0, 100);
}

std::optional<Battery> batteryOf(const Supply& supply, bool onMains) {
    if (supply.text("type") != "Battery" || supply.text("scope") == "Device" || supply.number("present") == 0)
        return std::nullopt;
    auto capacity = capacityOf(supply);
    if (!capacity) return std::nullopt;
    std::string status = supply.text("status");
    Battery battery;
    battery.capacity = *capacity;
    if (status == "Full") {
        battery.state = "charged";
        battery.remaining = "0:00 remaining";
    } else if (status == "Not charging" || (status != "Charging" && status != "Discharging" && onMains)) {
        battery.state = "AC attached";
        battery.remaining = "not charging";
    } else {
        bool charging = status == "Charging";
        battery.state = charging ? "charging" : "discharging";
        auto seconds = secondsLeft(supply, charging);
        battery.remaining = seconds ? hoursAndMinutes(*seconds) : "(no estimate)";
    }
    return battery;
}

}  // namespace

std::string PowerSourceReport::text() const {
    std::vector<std::string> names = platform::listKernelFolder(folder_);
    std::optional<bool> mainsOnline;
    for (const auto& name : names) {
        Supply supply(folder_ + "/" + name);
        if (supply.text("type") == "Mains") mainsOnline = mainsOnline.value_or(false) || supply.number("online") == 1;
    }
    std::vector<Battery> batteries;
    for (const auto& name : names) {
        if (auto battery = batteryOf(Supply(folder_ + "/" + name), mainsOnline.value_or(true))) batteries.push_back(*battery);
    }
    // Without a mains supply to ask, a discharging battery is what the machine runs on.
    bool onBattery = mainsOnline ? !*mainsOnline
                                 : std::any_of(batteries.begin(), batteries.end(),
                                               [](const Battery& b) { return b.state == "discharging"; });
    std::string text = std::string("Now drawing from '") + (onBattery ? "Battery Power" : "AC Power") + "'\n";
    for (size_t i = 0; i < batteries.size(); ++i) {
        text += " -InternalBattery-" + std::to_string(i) + " (id=" + std::to_string(i) + ")\t" +
                std::to_string(batteries[i].capacity) + "%; " + batteries[i].state + "; " + batteries[i].remaining +
                " present: true\n";
    }
    return text;
}
