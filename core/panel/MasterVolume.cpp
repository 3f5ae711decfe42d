#include "core/panel/MasterVolume.h"

#include "platform/audio/OutputVolume.h"
#include "platform/system/Log.h"

#include <charconv>
#include <string>

namespace core {
namespace {

constexpr double kMuteBelow = 0.001;

std::string hex(uint32_t device) {
    char text[16];
    auto end = std::to_chars(text, text + sizeof text, device, 16).ptr;
    return "0x" + std::string(text, end);
}

}  // namespace

uint32_t defaultOutputDeviceID() {
    const uint32_t device = platform::OutputVolume::shared()->defaultOutputDeviceID();
    if (device == 0) platform::logWarning("Cannot find default output device!");
    return device;
}

double getMasterVolume() {
    const uint32_t device = defaultOutputDeviceID();
    if (device == 0) return 0;
    auto volume = platform::OutputVolume::shared()->volume(device);
    if (!volume) {
        platform::logWarning("No volume returned for device " + hex(device));
        return 0;
    }
    if (*volume < 0 || *volume > 1) return 0;
    return *volume;
}

void setMasterVolume(double volume) {
    if (!(volume >= 0 && volume <= 1)) return;
    const uint32_t device = defaultOutputDeviceID();
    if (device == 0) return;
    auto output = platform::OutputVolume::shared();
    const bool mutes = volume < kMuteBelow;
    if (!(mutes ? output->canMute(device) : output->canSetVolume(device))) {
        platform::logWarning("Device " + hex(device) + " does not support volume control");
        return;
    }
    const std::string unableToSet = "Unable to set volume for device " + hex(device);
    if (mutes) {
        if (!output->setMute(device, true)) platform::logWarning(unableToSet);
        return;
    }
    if (!output->setVolume(device, volume)) platform::logWarning(unableToSet);
    if (!output->canMute(device)) {
        platform::logWarning("Device " + hex(device) + " does not support muting");
        return;
    }
    if (!output->setMute(device, false)) platform::logWarning(unableToSet);
}

}  // namespace core
