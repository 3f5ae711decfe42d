#include "platform/desktop/HttpClient.h"

#include "platform/system/Log.h"
#include "platform/system/ServiceSlot.h"

namespace platform {
namespace {

class UnavailableHttpClient : public HttpClient {
public:
    HttpReply get(const std::string& url) override {
        logWarning("no web client to request " + url);
        return {false, "", "no web client"};
    }
};

ServiceSlot<HttpClient>& slot() {
    static ServiceSlot<HttpClient> instance([] { return std::make_shared<UnavailableHttpClient>(); });
    return instance;
}

}  // namespace

std::shared_ptr<HttpClient> HttpClient::shared() { return slot().get(); }
void HttpClient::setShared(std::shared_ptr<HttpClient> client) { slot().set(std::move(client)); }

}  // namespace platform
