#include "platform/hardware/LinuxSmcKeyStore.h"

#include "platform/hardware/AppleSmcKeyStore.h"
#include "platform/system/Environment.h"
#include "platform/hardware/HwmonSmcKeys.h"
#include "platform/system/KernelFiles.h"
#include "platform/system/Log.h"

namespace platform {
namespace {

std::string applesmcFolder(const std::string& sysRoot) {
    std::string platformDevices = sysRoot + "/devices/platform";
    for (const auto& name : listKernelFolder(platformDevices)) {
        if (name.rfind("applesmc.", 0) == 0) return platformDevices + "/" + name;
    }
    return "";
}

std::unique_ptr<SmcKeyStore> applesmcStore(const std::string& folder) {
    if (auto store = AppleSmcKeyStore::open(folder)) {
        logInfo("controller keys through the applesmc driver in " + folder);
        return store;
    }
    // The sensor files sit on the device itself, or on its hwmon child in newer drivers.
    std::vector<std::string> sensorFolders = {folder};
    for (const auto& name : listKernelFolder(folder + "/hwmon")) sensorFolders.push_back(folder + "/hwmon/" + name);
    for (const auto& sensors : sensorFolders) {
        if (auto table = applesmcSensorKeys(sensors)) {
            logInfo("controller temperature keys from the applesmc sensors in " + sensors);
            return table;
        }
    }
    return nullptr;
}

}  // namespace

std::unique_ptr<SmcKeyStore> openLinuxSmcKeyStore() {
    std::string sysRoot = Environment::current()->sysRoot();
    std::string folder = applesmcFolder(sysRoot);
    if (!folder.empty()) {
        if (auto store = applesmcStore(folder)) return store;
    }
    if (auto table = cpuSensorKeys(sysRoot + "/class/hwmon")) {
        logInfo("controller temperature keys stand for the processor's hwmon sensors");
        return table;
    }
    return nullptr;
}

}  // namespace platform
