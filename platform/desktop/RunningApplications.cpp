#include "platform/desktop/RunningApplications.h"

#include "platform/desktop/ProcRunningApplications.h"
#include "platform/system/ServiceSlot.h"

namespace platform {
namespace {

ServiceSlot<RunningApplications>& slot() {
    static ServiceSlot<RunningApplications> instance([] {
        return std::static_pointer_cast<RunningApplications>(std::make_shared<ProcRunningApplications>(
            ProcRunningApplications::applicationFoldersFromProcess()));
    });
    return instance;
}

}  // namespace

std::shared_ptr<RunningApplications> RunningApplications::shared() { return slot().get(); }
void RunningApplications::setShared(std::shared_ptr<RunningApplications> applications) {
    slot().set(std::move(applications));
}

}  // namespace platform
