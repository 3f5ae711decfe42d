#include "platform/hardware/SmcConnection.h"

#include "platform/hardware/KeyStoreSmcConnection.h"
#include "platform/hardware/LinuxSmcKeyStore.h"
#include "platform/system/ServiceSlot.h"

namespace platform {
namespace {

ServiceSlot<SmcConnection>& slot() {
    static ServiceSlot<SmcConnection> instance(
        [] { return std::make_shared<KeyStoreSmcConnection>(openLinuxSmcKeyStore); });
    return instance;
}

}  // namespace

std::shared_ptr<SmcConnection> SmcConnection::shared() { return slot().get(); }
void SmcConnection::setShared(std::shared_ptr<SmcConnection> connection) { slot().set(std::move(connection)); }

}  // namespace platform
