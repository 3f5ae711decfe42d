#pragma once

#include <string>

namespace core {

// The readings' preferences in the standard user defaults.
class MenuMeterDefaults {
public:
    // Stands for "no sensor chosen": the readings service then takes the default sensor.
    static constexpr const char* kDefaultSensorName = "CPUTemperatureSensorDefault";

    static MenuMeterDefaults& sharedMenuMeterDefaults();
    // The text stored under "CPUTemperatureSensor", else kDefaultSensorName.
    std::string cpuTemperatureSensor() const;
};

}  // namespace core
