#pragma once

#include <memory>
#include <string>

namespace platform {

// What a GET request brought back: the body, or why there is none.
struct HttpReply {
    bool ok = false;
    std::string body;
    std::string error;
};

// Synchronous web requests: the calling thread waits for the answer. The interface layer
// installs the real client at start-up; before that every request fails with a log line.
class HttpClient {
public:
    virtual ~HttpClient() = default;
    virtual HttpReply get(const std::string& url) = 0;

    static std::shared_ptr<HttpClient> shared();
    static void setShared(std::shared_ptr<HttpClient> client);
};

}  // namespace platform
