#pragma once

#include <cstdint>
#include <memory>
#include <optional>

namespace platform {

// The volume and mute switch of the default audio output device. Devices are named by an id
// that is never 0, so 0 means "no device" (no sound server, or no output).
class OutputVolume {
public:
    virtual ~OutputVolume() = default;

    // The default output device; 0 when there is none.
    virtual uint32_t defaultOutputDeviceID() = 0;
    // The device's volume, 0 to 1 (a volume above the device's normal level reads 1);
    // nothing when the device gives none.
    virtual std::optional<double> volume(uint32_t device) = 0;
    virtual bool canSetVolume(uint32_t device) = 0;
    virtual bool canMute(uint32_t device) = 0;
    // Each answers whether the device took the change.
    virtual bool setVolume(uint32_t device, double volume) = 0;
    virtual bool setMute(uint32_t device, bool mute) = 0;

    static std::shared_ptr<OutputVolume> shared();
    // Tests install a fake; nullptr goes back to the sound server.
    static void setShared(std::shared_ptr<OutputVolume> volume);
};

}  // namespace platform
