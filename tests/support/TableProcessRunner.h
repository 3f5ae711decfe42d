#pragma once

#include "platform/ProcessRunner.h"

#include <mutex>
#include <string>
#include <vector>

namespace testsupport {

// A process runner that starts nothing: it answers the argument vectors it was given with
// their recorded results, and every other request as a program that could not be started.
// It remembers every request in order.
class TableProcessRunner : public platform::ProcessRunner {
public:
    void answer(std::vector<std::string> arguments, platform::ProcessResult result);
    // A program that ran, printed the output and exited with 0.
    void answer(std::vector<std::string> arguments, const std::string& output);

    platform::ProcessResult run(const platform::ProcessRequest& request) override;
    std::vector<platform::ProcessRequest> requests() const;

private:
    mutable std::mutex mutex_;
    std::vector<std::pair<std::vector<std::string>, platform::ProcessResult>> answers_;
    std::vector<platform::ProcessRequest> requests_;
};

// Installs a runner as the shared one while it lives.
class ScopedProcessRunner {
public:
    explicit ScopedProcessRunner(std::shared_ptr<platform::ProcessRunner> runner) {
        platform::ProcessRunner::setShared(std::move(runner));
    }
    ~ScopedProcessRunner() { platform::ProcessRunner::setShared(nullptr); }
};

}  // namespace testsupport
