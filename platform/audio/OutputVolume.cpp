#include "platform/audio/OutputVolume.h"

#include "platform/audio/PulseOutputVolume.h"
#include "platform/system/ServiceSlot.h"

namespace platform {
namespace {

ServiceSlot<OutputVolume>& slot() {
    static ServiceSlot<OutputVolume> instance([] { return std::make_shared<PulseOutputVolume>(); });
    return instance;
}

}  // namespace

std::shared_ptr<OutputVolume> OutputVolume::shared() { return slot().get(); }
void OutputVolume::setShared(std::shared_ptr<OutputVolume> volume) { slot().set(std::move(volume)); }

}  // namespace platform
