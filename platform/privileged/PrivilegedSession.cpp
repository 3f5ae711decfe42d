#include "platform/privileged/PrivilegedSession.h"

#include "platform/privileged/PkexecPrivilegedSession.h"

#include <mutex>

namespace platform {
namespace {

std::mutex factoryMutex;
PrivilegedSession::Factory installedFactory;

}  // namespace

std::shared_ptr<PrivilegedSession> PrivilegedSession::make() {
    std::lock_guard<std::mutex> lock(factoryMutex);
    if (installedFactory) return installedFactory();
    return std::make_shared<PkexecPrivilegedSession>();
}

void PrivilegedSession::setFactory(Factory factory) {
    std::lock_guard<std::mutex> lock(factoryMutex);
    installedFactory = std::move(factory);
}

}  // namespace platform
