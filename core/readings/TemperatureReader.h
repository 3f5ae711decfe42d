#pragma once

#include <optional>
#include <string>
#include <vector>

namespace core {

// The controller's temperature sensors: their names, a default one and a sensor's reading.
class TemperatureReader {
public:
    // Reported for a sensor that cannot be read.
    static constexpr float kFailureTemperature = -273.15f;

    // The sensors, listed once per process; nothing when the controller cannot be opened.
    static std::optional<std::vector<std::string>> sensorNames();
    // The default sensor, chosen once per process.
    static std::string defaultSensor();
    // The default sensor chosen now.
    static std::string defaultSensorRealWork();
    // Degrees Celsius, or kFailureTemperature; a key that holds no two-byte "sp78" value
    // reads as a failure.
    static float temperatureOfSensorWithName(const std::string& name);

    // The walk over the controller's keys behind sensorNames: every key that begins with "T"
    // and holds an "sp78" value, in the controller's index order.
    static std::optional<std::vector<std::string>> readSensorNames();
    // "TC0P" when listed (or when there is no list at all), else the first name beginning with
    // "TC", else the first name; "TC0P" for an empty list.
    static std::string chooseDefaultSensor(const std::optional<std::vector<std::string>>& names);
};

}  // namespace core
