#pragma once

#include "platform/system/ProcessRunner.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

// A process runner that starts nothing: it answers command lines from a table, keyed by the
// arguments after the program, and remembers every call. An unknown command line fails
// with exit status 1, unless an answer for every other command line is given.
class FakeProcessRunner : public platform::ProcessRunner {
public:
    void answer(const std::vector<std::string>& args, std::string output) {
        answerWith(args, succeeded(std::move(output)));
    }
    void fail(const std::vector<std::string>& args, int status, std::string output, std::string errorOutput) {
        platform::ProcessResult result;
        result.started = true;
        result.exitStatus = status;
        result.output = std::move(output);
        result.errorOutput = std::move(errorOutput);
        answerWith(args, std::move(result));
    }
    void answerWith(const std::vector<std::string>& args, platform::ProcessResult result) {
        std::lock_guard<std::mutex> lock(mutex_);
        answers_[args] = std::move(result);
    }
    void answerEveryOther(std::string output) {
        std::lock_guard<std::mutex> lock(mutex_);
        otherAnswer_ = succeeded(std::move(output));
    }

    // The answer's output, then its error output, go to the request's onOutput line by line,
    // as a tool printing one line at a time would give them.
    platform::ProcessResult run(const platform::ProcessRequest& request) override {
        const platform::ProcessResult result = answerTo(request);
        if (!request.onOutput) return result;
        for (const std::string* text : {&result.output, &result.errorOutput})
            for (size_t start = 0, end = 0; start < text->size(); start = end) {
                end = std::min(text->find('\n', start), text->size() - 1) + 1;
                request.onOutput(text->substr(start, end - start));
            }
        return result;
    }

    // Every call's full argument vector, the program first.
    std::vector<std::vector<std::string>> calls() const {
        std::vector<std::vector<std::string>> calls;
        for (const auto& request : requests()) calls.push_back(request.arguments);
        return calls;
    }
    // Every call's whole request (timeout, input, environment), in order.
    std::vector<platform::ProcessRequest> requests() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }
    int countOf(const std::vector<std::string>& args) const {
        int count = 0;
        for (const auto& call : calls())
            if (std::vector<std::string>(call.begin() + (call.empty() ? 0 : 1), call.end()) == args) ++count;
        return count;
    }

private:
    platform::ProcessResult answerTo(const platform::ProcessRequest& request) {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back(request);
        std::vector<std::string> args(request.arguments.begin() + (request.arguments.empty() ? 0 : 1),
                                      request.arguments.end());
        auto found = answers_.find(args);
        if (found != answers_.end()) return found->second;
        if (otherAnswer_) return *otherAnswer_;
        platform::ProcessResult unknown;
        unknown.started = true;
        unknown.exitStatus = 1;
        unknown.errorOutput = "no answer for this command line";
        return unknown;
    }
    static platform::ProcessResult succeeded(std::string output) {
        platform::ProcessResult result;
        result.started = true;
        result.exitStatus = 0;
        result.output = std::move(output);
        return result;
    }

    mutable std::mutex mutex_;
    std::map<std::vector<std::string>, platform::ProcessResult> answers_;
    std::optional<platform::ProcessResult> otherAnswer_;
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
