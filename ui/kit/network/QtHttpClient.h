#pragma once

#include "platform/desktop/HttpClient.h"

#include <cstdint>

namespace ui {

// GET requests through Qt Network, waited for in a local event loop, so any thread (the main
// one at the first launch, the update check's own thread) can call it. A request fails instead
// of holding its caller: when nothing arrives for the transfer timeout, when the whole answer
// has not come by the deadline (a server that trickles bytes), and when the answer grows past
// the byte cap. Telling the calling QThread to quit stops a request under way.
class QtHttpClient : public platform::HttpClient {
public:
    static constexpr int64_t kDefaultMaximumBytes = 1 << 20;

    explicit QtHttpClient(int transferTimeoutMs = 15000, int deadlineMs = 30000,
                          int64_t maximumBytes = kDefaultMaximumBytes);
    platform::HttpReply get(const std::string& url) override;

private:
    int transferTimeoutMs_;
    int deadlineMs_;
    int64_t maximumBytes_;
};

}  // namespace ui
