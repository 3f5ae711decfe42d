#pragma once

#include "platform/desktop/RunningApplications.h"
#include "support/ServiceGate.h"

#include <memory>

namespace testsupport {

// A list of running applications that takes forever (a huge or stuck /proc): every call waits
// on the gate, and once it is open nothing is running.
class HangingRunningApplications : public platform::RunningApplications {
public:
    explicit HangingRunningApplications(std::shared_ptr<ServiceGate> gate) : gate_(std::move(gate)) {}
    std::vector<platform::RunningApplication> runningApplications() override {
        return gate_->answer(std::vector<platform::RunningApplication>());
    }

private:
    std::shared_ptr<ServiceGate> gate_;
};

}  // namespace testsupport
