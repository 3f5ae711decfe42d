#include "platform/hardware/LinuxSmartDevices.h"

#include "platform/hardware/AtaPassThroughSmart.h"
#include "platform/mounts/BlockDevices.h"
#include "platform/hardware/HwmonDriveSmart.h"
#include "platform/system/Log.h"
#include "platform/files/PathText.h"
#include "platform/hardware/UdisksSmart.h"

namespace platform {

std::optional<std::string> LinuxSmartDevices::capableDeviceForBSDName(const std::string& bsdName) {
    // The start-up disk is the Mac's first disk.
    if (bsdName == "disk0") return BlockDevices::wholeDiskOfRoot();
    logInfo("no disk stands for " + bsdName + " on this system");
    return std::nullopt;
}

std::optional<std::string> LinuxSmartDevices::capableDeviceForPath(const std::string& path) {
    if (parentPath(path) != "/dev") return std::nullopt;
    return BlockDevices::wholeDiskOf(lastPathComponent(path));
}

std::unique_ptr<SmartInterface> LinuxSmartDevices::openInterface(const std::string& device) {
    if (auto ata = AtaPassThroughSmart::open(joinPath(deviceFolder_, device))) {
        logInfo("S.M.A.R.T. data of " + device + " through ATA pass-through");
        return ata;
    }
    if (auto udisks = UdisksSmart::open(device)) {
        logInfo("S.M.A.R.T. data of " + device + " from udisks2");
        return udisks;
    }
    if (auto hwmon = HwmonDriveSmart::open(device)) {
        logInfo("S.M.A.R.T. temperature of " + device + " from its hwmon sensor");
        return hwmon;
    }
    return nullptr;
}

}  // namespace platform
