#include "core/readings/MenuMeterDefaults.h"

#include "platform/system/UserDefaults.h"

namespace core {

MenuMeterDefaults& MenuMeterDefaults::sharedMenuMeterDefaults() {
    static MenuMeterDefaults defaults;
    return defaults;
}

std::string MenuMeterDefaults::cpuTemperatureSensor() const {
    auto stored = platform::UserDefaults::shared()->objectForKey("CPUTemperatureSensor");
    if (!stored || !stored->isString()) return kDefaultSensorName;
    return stored->toString();
}

}  // namespace core
