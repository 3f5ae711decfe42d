#include "platform/desktop/AccessState.h"

#include "platform/desktop/LinuxAccessState.h"
#include "platform/system/ServiceSlot.h"

namespace platform {
namespace {

ServiceSlot<AccessState>& slot() {
    static ServiceSlot<AccessState> instance([] { return std::make_shared<LinuxAccessState>(); });
    return instance;
}

}  // namespace

std::shared_ptr<AccessState> AccessState::shared() { return slot().get(); }
void AccessState::setShared(std::shared_ptr<AccessState> state) { slot().set(std::move(state)); }

}  // namespace platform
