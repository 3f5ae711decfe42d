#include "support/ScopedEnvironment.h"

namespace testsupport {

ScopedEnvironment::ScopedEnvironment(std::function<void(platform::Environment::Values&)> adjust)
    : previous_(platform::Environment::current()) {
    folder_.makeFolder("root");
    platform::Environment::Values values;
    values.root = root();
    values.realHome = folder_.makeFolder("home");
    // The XDG folders stay unset (the process's own are never taken): they lie in that home.
    values.loginName = "tester";
    values.systemVersion = "10.15";
    values.preferredLanguages = {"en_US"};
    values.configFolder = folder_ / "config";
    values.runtimeFolder = folder_ / "runtime";
    values.procRoot = folder_ / "proc";
    values.sysRoot = folder_ / "sys";
    if (adjust) adjust(values);
    environment_ = std::make_shared<platform::Environment>(values);
    platform::Environment::setCurrent(environment_);
}

ScopedEnvironment::~ScopedEnvironment() { platform::Environment::setCurrent(previous_); }

}  // namespace testsupport
