#include "core/readings/CSMARTAttribute.h"

#include "core/readings/AtaSmartAttribute.h"
#include "platform/system/Log.h"

#include <cerrno>

namespace core {
namespace {

constexpr size_t kFirstAttribute = 2;
constexpr size_t kAttributeCount = 30;

std::string withStatus(const char* operation, int status) {
    return std::string(operation) + " failed with " + std::to_string(status) + "!";
}

}  // namespace

CSMARTAttribute::CSMARTAttribute(TimerStarter startTimer) : startTimer_(std::move(startTimer)) {}

CSMARTAttribute::DeviceName CSMARTAttribute::deviceNameForPath(const std::string& path) {
    if (path.rfind("/dev/rdisk", 0) == 0) return {true, path.substr(6)};
    if (path.rfind("/dev/disk", 0) == 0) return {true, path.substr(5)};
    if (path.rfind("disk", 0) == 0) return {true, path};
    return {false, path};
}

std::optional<std::string> CSMARTAttribute::findCapableDevice(const std::string& path) {
    auto devices = platform::SmartDevices::shared();
    DeviceName device = deviceNameForPath(path);
    if (device.isBSDName) {
        platform::logInfo("IOServiceGetMatchingService");
        return devices->capableDeviceForBSDName(device.name);
    }
    platform::logInfo("IORegistryEntryFromPath");
    return devices->capableDeviceForPath(device.name);
}

void CSMARTAttribute::GetSmartAttribute(const std::optional<std::string>& name) {
    // A name that already is a path under /dev is not prefixed a second time.
    std::string path = !name ? "/dev/disk0" : name->rfind("/", 0) == 0 ? *name : "/dev/" + *name;
    platform::logInfo("pathname = " + path);
    auto device = findCapableDevice(path);
    if (!device) {
        errno = ENODEV;
        platform::logWarning("Find this device's parent and try again");
        return;
    }
    smartIf = platform::SmartDevices::shared()->openInterface(*device);
    if (!smartIf) {
        platform::logWarning("Please enable smart!");
        return;
    }
    int status = smartIf->SMARTEnableDisableOperations(true);
    if (status != platform::kIOReturnSuccess) {
        platform::logWarning(withStatus("SMARTEnableDisableOperations", status));
    } else {
        platform::logInfo("SMARTEnableDisableOperations enable success");
        readPages(false);
    }
    if (startTimer_) startTimer_(kRereadSeconds, [this] { GetThreaholds(); });
}

void CSMARTAttribute::readPages(bool rereading) {
    std::vector<uint8_t> data(platform::SmartInterface::kPageSize, 0);
    int status = smartIf->SMARTReadData(data);
    if (status != platform::kIOReturnSuccess) {
        platform::logWarning(withStatus("SMARTReadData", status));
        return;
    }
    if (!rereading) platform::logInfo("SMARTReadData success");
    std::vector<uint8_t> thresholds(platform::SmartInterface::kPageSize, 0);
    status = smartIf->SMARTReadDataThresholds(thresholds);
    if (status != platform::kIOReturnSuccess) {
        // A drive that stops answering is taken as having no temperature any more.
        if (rereading) iTemperature = 0;
        platform::logWarning(withStatus("SMARTReadDataThresholds", status));
        return;
    }
    if (!rereading) platform::logInfo("SMARTReadDataThresholds success");
    PrintSMART(data);
}

void CSMARTAttribute::GetThreaholds() {
    if (smartIf) readPages(true);
}

void CSMARTAttribute::PrintSMART(const std::vector<uint8_t>& page) {
    if (page.size() < platform::SmartInterface::kPageSize) {
        platform::logWarning("a S.M.A.R.T. data page of " + std::to_string(page.size()) + " bytes is not read");
        return;
    }
    for (size_t slot = 0; slot < kAttributeCount; ++slot) {
        auto attribute = AtaSmartAttribute::fromBytes(&page[kFirstAttribute + slot * AtaSmartAttribute::kSize]);
        switch (attribute.id) {
        case 194:
            platform::logInfo("iTemperature begin");
            iTemperature = static_cast<int>(ata_format_attr_raw_value(attribute));
            break;
        case 12:
            platform::logInfo("Power_Cycle_Count begin");
            u64PowerCycleCount = static_cast<uint64_t>(ata_format_attr_raw_value(attribute));
            break;
        case 9:
            platform::logInfo("Power on hours begin");
            u64PowerOnHour = static_cast<uint64_t>(ata_format_attr_raw_value(attribute));
            break;
        default: break;
        }
    }
    platform::logInfo("Uptime = " + std::to_string(u64PowerOnHour) + ", Powercyclecount = " +
                      std::to_string(u64PowerCycleCount) + ", iTemperature = " + std::to_string(iTemperature));
}

}  // namespace core
