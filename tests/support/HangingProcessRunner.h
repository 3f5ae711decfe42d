#pragma once

#include "platform/system/ProcessRunner.h"
#include "support/ServiceGate.h"

#include <memory>

namespace testsupport {

// Child processes that never end: every run waits on the gate, and once it is open reports
// that nothing was started.
class HangingProcessRunner : public platform::ProcessRunner {
public:
    explicit HangingProcessRunner(std::shared_ptr<ServiceGate> gate) : gate_(std::move(gate)) {}
    platform::ProcessResult run(const platform::ProcessRequest&) override { return gate_->answer(platform::ProcessResult()); }

private:
    std::shared_ptr<ServiceGate> gate_;
};

}  // namespace testsupport
