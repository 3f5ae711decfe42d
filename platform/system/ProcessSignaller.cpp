#include "platform/system/ProcessSignaller.h"

#include "platform/system/Log.h"
#include "platform/system/PidfdProcessSignaller.h"
#include "platform/system/ServiceSlot.h"

#include <unistd.h>

#include <string>

namespace platform {
namespace {

ServiceSlot<ProcessSignaller>& slot() {
    static ServiceSlot<ProcessSignaller> instance([] { return std::make_shared<PidfdProcessSignaller>(); });
    return instance;
}

}  // namespace

ProcessSignaller::Result ProcessSignaller::send(const ProcessIdentity& process, int signal) {
    if (process.pid <= 1 || process.pid == getpid()) {
        logWarning("Refused to signal process " + std::to_string(process.pid));
        return Result::Refused;
    }
    return deliver(process, signal);
}

std::shared_ptr<ProcessSignaller> ProcessSignaller::shared() { return slot().get(); }
void ProcessSignaller::setShared(std::shared_ptr<ProcessSignaller> signaller) { slot().set(std::move(signaller)); }

}  // namespace platform
