#pragma once

#include <cstdint>

namespace core {

// The output volume of the default audio device (platform::OutputVolume), with the panel's
// rules on top.

// The default output device; 0 when there is none (logged).
uint32_t defaultOutputDeviceID();
// 0 to 1; 0 when there is no device or no volume, and for a reading outside 0 to 1.
double getMasterVolume();
// A value outside 0 to 1 is ignored. Below 0.001 mutes the device; otherwise sets the volume
// and unmutes where the device can be muted.
void setMasterVolume(double volume);

}  // namespace core
