#include "platform/desktop/ModuleHttpClient.h"

#include "platform/system/Log.h"

#include <dlfcn.h>

namespace platform {

ModuleHttpClient::ModuleHttpClient(std::string modulePath, std::string makerName)
    : modulePath_(std::move(modulePath)), makerName_(std::move(makerName)) {}

HttpReply ModuleHttpClient::get(const std::string& url) {
    std::call_once(loaded_, [this] { load(); });
    if (!client_) return {false, "", failure_};
    return client_->get(url);
}

// Never closed: the client's code lives in the module.
void ModuleHttpClient::load() {
    void* module = modulePath_.empty() ? nullptr : dlopen(modulePath_.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        const char* reason = modulePath_.empty() ? "it is missing" : dlerror();
        failure_ = "the web client " + modulePath_ + " cannot be loaded: " + (reason ? reason : "unknown reason");
        logWarning(failure_);
        return;
    }
    using Maker = HttpClient* (*)();
    auto make = reinterpret_cast<Maker>(dlsym(module, makerName_.c_str()));
    if (make) client_.reset(make());
    if (!client_) {
        failure_ = "the web client " + modulePath_ + " makes no client through " + makerName_;
        logWarning(failure_);
    }
}

}  // namespace platform
