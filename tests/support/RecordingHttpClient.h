#pragma once

#include "platform/desktop/HttpClient.h"

#include <mutex>
#include <string>
#include <vector>

namespace testsupport {

// A web client that sends nothing: it remembers the addresses asked for and gives one answer.
class RecordingHttpClient : public platform::HttpClient {
public:
    explicit RecordingHttpClient(platform::HttpReply answer = {true, "ok", ""}) : answer_(std::move(answer)) {}

    platform::HttpReply get(const std::string& url) override {
        std::lock_guard<std::mutex> lock(mutex_);
        urls_.push_back(url);
        return answer_;
    }
    std::vector<std::string> urls() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return urls_;
    }

private:
    mutable std::mutex mutex_;
    platform::HttpReply answer_;
    std::vector<std::string> urls_;
};

}  // namespace testsupport
