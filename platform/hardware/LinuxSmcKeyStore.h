#pragma once

#include "platform/hardware/SmcKeyStore.h"

#include <memory>

namespace platform {

// The controller's keys on this machine, from the first source that answers, below
// Environment::sysRoot(): the applesmc driver's own keys where this process may select them,
// else the applesmc driver's labelled sensors, else the processor's hwmon sensors. nullptr when
// the machine has none of them.
std::unique_ptr<SmcKeyStore> openLinuxSmcKeyStore();

}  // namespace platform
