#pragma once

#include "platform/hardware/SmartDevices.h"

namespace platform {

// Disks below Environment::sysRoot(), their device nodes in a /dev folder. A whole disk's
// interface is the first that answers: ATA pass-through where this process may open the
// disk, else udisks2's copy of the attributes, else the drive's hwmon temperature.
class LinuxSmartDevices : public SmartDevices {
public:
    explicit LinuxSmartDevices(std::string deviceFolder = "/dev") : deviceFolder_(std::move(deviceFolder)) {}

    std::optional<std::string> capableDeviceForBSDName(const std::string& bsdName) override;
    std::optional<std::string> capableDeviceForPath(const std::string& path) override;
    std::unique_ptr<SmartInterface> openInterface(const std::string& device) override;

private:
    std::string deviceFolder_;
};

}  // namespace platform
