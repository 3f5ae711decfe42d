#include "platform/system/SystemLibrary.h"

#include "platform/system/Log.h"

#include <dlfcn.h>

#include <utility>

namespace platform {

SystemLibrary::SystemLibrary(const char* fileName, std::string purpose)
    : fileName_(fileName), purpose_(std::move(purpose)), handle_(dlopen(fileName, RTLD_NOW | RTLD_LOCAL)) {
    if (handle_) return;
    const char* reason = dlerror();
    logInfo(purpose_ + ": " + fileName_ + " cannot be loaded: " + (reason ? reason : "no reason given"));
}

void* SystemLibrary::find(const char* name) const {
    void* found = handle_ ? dlsym(handle_, name) : nullptr;
    if (handle_ && !found) logWarning(purpose_ + ": " + fileName_ + " has no " + name);
    return found;
}

}  // namespace platform
