#pragma once

#include "platform/ProcessRunner.h"

namespace platform {

class PosixProcessRunner : public ProcessRunner {
public:
    ProcessResult run(const ProcessRequest& request) override;
};

}  // namespace platform
