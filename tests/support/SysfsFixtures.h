#pragma once

#include "support/TempFolder.h"

#include <cstdint>
#include <string>

namespace testsupport {

// Writes "temp<number>_input" (thousandths of a degree) and, unless label is empty,
// "temp<number>_label" into a hwmon-style folder given relative to the temporary folder.
void writeTemperatureSensor(const TempFolder& folder, const std::string& sensorFolder, int number,
                            const std::string& label, int64_t millidegrees);

}  // namespace testsupport
