#pragma once

#include "platform/hardware/SmcKeyTable.h"

#include <memory>
#include <string>

namespace platform {

// Temperature sensors of the Linux hardware monitor presented as the controller's "sp78" keys,
// each read afresh from its "temp<N>_input" file (thousandths of a degree), "#KEY" first.

// The applesmc driver's sensors, whose "temp<N>_label" files hold the controller's key names.
// nullptr when the folder has none.
std::unique_ptr<SmcKeyTable> applesmcSensorKeys(const std::string& deviceFolder);

// The processor's sensors (coretemp, k10temp, zenpower) below a hwmon class folder: the package
// or die temperature as "TC0P", the cores (or core complexes) as "TC0C", "TC1C", ... nullptr
// when there is none.
std::unique_ptr<SmcKeyTable> cpuSensorKeys(const std::string& hwmonClassFolder);

}  // namespace platform
