#include "platform/desktop/LoginItemList.h"

#include "platform/desktop/AutostartLoginItemList.h"
#include "platform/system/ServiceSlot.h"

namespace platform {
namespace {

ServiceSlot<LoginItemList>& slot() {
    static ServiceSlot<LoginItemList> instance([] {
        return std::static_pointer_cast<LoginItemList>(
            std::make_shared<AutostartLoginItemList>(AutostartLoginItemList::foldersFromEnvironment()));
    });
    return instance;
}

}  // namespace

std::shared_ptr<LoginItemList> LoginItemList::shared() { return slot().get(); }
void LoginItemList::setShared(std::shared_ptr<LoginItemList> list) { slot().set(std::move(list)); }

}  // namespace platform
