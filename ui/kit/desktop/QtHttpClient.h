#pragma once

#include "platform/desktop/HttpClient.h"

namespace ui {

// GET requests through Qt Network, waited for in a local event loop, so any thread (the main
// one at the first launch, the update check's own thread) can call it. A request that has not
// finished after the transfer timeout fails instead of holding its caller forever.
class QtHttpClient : public platform::HttpClient {
public:
    explicit QtHttpClient(int transferTimeoutMs = 15000);
    platform::HttpReply get(const std::string& url) override;

private:
    int transferTimeoutMs_;
};

}  // namespace ui
