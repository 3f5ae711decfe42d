#pragma once

#include "platform/audio/OutputVolume.h"
#include "support/ServiceGate.h"

#include <memory>

namespace testsupport {

// A sound server that does not answer, as a stopped one would: every call waits on the gate,
// and once it is open the server says there is no device.
class HangingOutputVolume : public platform::OutputVolume {
public:
    explicit HangingOutputVolume(std::shared_ptr<ServiceGate> gate) : gate_(std::move(gate)) {}
    uint32_t defaultOutputDeviceID() override { return gate_->answer(0u); }
    std::optional<double> volume(uint32_t) override { return gate_->answer(std::optional<double>()); }
    bool canSetVolume(uint32_t) override { return gate_->answer(false); }
    bool canMute(uint32_t) override { return gate_->answer(false); }
    bool setVolume(uint32_t, double) override { return gate_->answer(false); }
    bool setMute(uint32_t, bool) override { return gate_->answer(false); }

private:
    std::shared_ptr<ServiceGate> gate_;
};

}  // namespace testsupport
