#pragma once

#include "platform/system/ProcessRunner.h"

namespace platform {

class PosixProcessRunner : public ProcessRunner {
public:
    ProcessResult run(const ProcessRequest& request) override;
};

}  // namespace platform
