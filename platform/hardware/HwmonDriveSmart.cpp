#include "platform/hardware/HwmonDriveSmart.h"

#include "platform/system/Environment.h"
#include "platform/system/KernelFiles.h"
#include "platform/hardware/SmartPage.h"

#include <cmath>

namespace platform {
namespace {

constexpr uint8_t kTemperatureAttribute = 194;
constexpr uint16_t kTemperatureFlags = 0x0022;  // informational, statistics collected online

// The drive's hwmon folders: directly below its device (NVMe) or in its "hwmon" folder (SCSI).
std::string temperatureInput(const std::string& deviceFolder) {
    std::vector<std::string> candidates;
    for (const auto& name : listKernelFolder(deviceFolder))
        if (name.rfind("hwmon", 0) == 0 && name != "hwmon") candidates.push_back(deviceFolder + "/" + name);
    for (const auto& name : listKernelFolder(deviceFolder + "/hwmon")) candidates.push_back(deviceFolder + "/hwmon/" + name);
    for (const auto& folder : candidates) {
        std::string input = folder + "/temp1_input";
        if (readKernelNumber(input)) return input;
    }
    return "";
}

}  // namespace

std::unique_ptr<HwmonDriveSmart> HwmonDriveSmart::open(const std::string& blockName) {
    std::string input = temperatureInput(Environment::current()->sysRoot() + "/class/block/" + blockName + "/device");
    if (input.empty()) return nullptr;
    return std::unique_ptr<HwmonDriveSmart>(new HwmonDriveSmart(input));
}

int HwmonDriveSmart::SMARTEnableDisableOperations(bool) { return kIOReturnSuccess; }

int HwmonDriveSmart::SMARTReadData(std::vector<uint8_t>& page) {
    auto millidegrees = readKernelNumber(input_);
    if (!millidegrees) return kIOReturnError;
    SmartPageAttribute temperature;
    temperature.id = kTemperatureAttribute;
    temperature.flags = kTemperatureFlags;
    temperature.value = 100;
    temperature.worst = 100;
    temperature.raw = smartRawBytes(std::lround(static_cast<double>(*millidegrees) / 1000.0));
    page = smartDataPage({temperature});
    return kIOReturnSuccess;
}

int HwmonDriveSmart::SMARTReadDataThresholds(std::vector<uint8_t>& page) {
    page = smartThresholdsPage({});
    return kIOReturnSuccess;
}

}  // namespace platform
