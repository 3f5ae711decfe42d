#include "platform/preferences/DesktopPreferences.h"

#include "platform/preferences/GSettingsPreferences.h"
#include "platform/system/ServiceSlot.h"

namespace platform {
namespace {

ServiceSlot<DesktopPreferences>& slot() {
    static ServiceSlot<DesktopPreferences> instance([] { return std::make_shared<GSettingsPreferences>(); });
    return instance;
}

}  // namespace

std::shared_ptr<DesktopPreferences> DesktopPreferences::shared() { return slot().get(); }
void DesktopPreferences::setShared(std::shared_ptr<DesktopPreferences> preferences) { slot().set(std::move(preferences)); }

}  // namespace platform
