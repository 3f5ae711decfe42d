#include "platform/hardware/SmartDevices.h"

#include "platform/hardware/LinuxSmartDevices.h"
#include "platform/system/ServiceSlot.h"

namespace platform {
namespace {

ServiceSlot<SmartDevices>& slot() {
    static ServiceSlot<SmartDevices> instance([] { return std::make_shared<LinuxSmartDevices>(); });
    return instance;
}

}  // namespace

std::shared_ptr<SmartDevices> SmartDevices::shared() { return slot().get(); }
void SmartDevices::setShared(std::shared_ptr<SmartDevices> devices) { slot().set(std::move(devices)); }

}  // namespace platform
