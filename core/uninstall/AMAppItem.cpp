#include "core/uninstall/AMAppItem.h"

namespace core::uninstall {

std::shared_ptr<AMAppItem> AMAppItem::copy() const {
    auto made = std::make_shared<AMAppItem>(*this);
    made->isSystemApp = false;
    made->bIsSelected = false;
    made->bIsGetSize = false;
    return made;
}

}  // namespace core::uninstall
