#pragma once

#include "platform/desktop/HttpClient.h"

#include <memory>
#include <mutex>
#include <string>

namespace platform {

// The web client kept in a loadable module, loaded on the first request and then kept for the
// life of the process (its code must outlive every client it made). A module that cannot be
// loaded is said once in the log, and every request then fails saying why.
class ModuleHttpClient : public HttpClient {
public:
    // The module file, and the name of its function that makes a client (taking no arguments
    // and returning a new HttpClient the caller owns).
    ModuleHttpClient(std::string modulePath, std::string makerName);
    HttpReply get(const std::string& url) override;

private:
    void load();

    const std::string modulePath_;
    const std::string makerName_;
    std::once_flag loaded_;
    std::unique_ptr<HttpClient> client_;
    std::string failure_;
};

}  // namespace platform
