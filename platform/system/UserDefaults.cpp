#include "platform/system/UserDefaults.h"

#include "platform/system/Environment.h"
#include "platform/system/PlistUserDefaults.h"
#include "platform/system/ServiceSlot.h"

namespace platform {
namespace {

ServiceSlot<UserDefaults>& slot() {
    static ServiceSlot<UserDefaults> instance([] {
        std::string file = Environment::current()->configFolder() + "/Defaults.plist";
        return std::static_pointer_cast<UserDefaults>(std::make_shared<PlistUserDefaults>(file));
    });
    return instance;
}

}  // namespace

bool UserDefaults::boolForKey(const std::string& key) const {
    auto value = objectForKey(key);
    return value && value->toBool();
}

int64_t UserDefaults::integerForKey(const std::string& key) const {
    auto value = objectForKey(key);
    return value ? value->toInteger() : 0;
}

std::string UserDefaults::stringForKey(const std::string& key) const {
    auto value = objectForKey(key);
    return value ? value->toString() : "";
}

std::shared_ptr<UserDefaults> UserDefaults::shared() { return slot().get(); }
void UserDefaults::setShared(std::shared_ptr<UserDefaults> defaults) { slot().set(std::move(defaults)); }

}  // namespace platform
