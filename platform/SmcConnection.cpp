#include "platform/SmcConnection.h"

#include "platform/KeyStoreSmcConnection.h"
#include "platform/LinuxSmcKeyStore.h"
#include "platform/ServiceSlot.h"

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
