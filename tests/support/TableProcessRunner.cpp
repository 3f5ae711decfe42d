#include "support/TableProcessRunner.h"

namespace testsupport {

void TableProcessRunner::answer(std::vector<std::string> arguments, platform::ProcessResult result) {
    std::lock_guard<std::mutex> lock(mutex_);
    answers_.emplace_back(std::move(arguments), std::move(result));
}

void TableProcessRunner::answer(std::vector<std::string> arguments, const std::string& output) {
    platform::ProcessResult result;
    result.started = true;
    result.exitStatus = 0;
    result.output = output;
    answer(std::move(arguments), std::move(result));
}

platform::ProcessResult TableProcessRunner::run(const platform::ProcessRequest& request) {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.push_back(request);
    for (const auto& [arguments, result] : answers_) {
        if (arguments == request.arguments) return result;
    }
    return {};
}

std::vector<platform::ProcessRequest> TableProcessRunner::requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

}  // namespace testsupport
