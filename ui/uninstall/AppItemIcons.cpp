#include "ui/uninstall/AppItemIcons.h"

#include "ui/kit/desktop/WorkspaceIcon.h"

namespace ui {

QIcon AppItemIcons::iconOf(const core::uninstall::AMAppItemPtr& item) {
    auto known = icons_.find(item.get());
    if (known == icons_.end()) known = icons_.insert(item.get(), {item, iconFor(item->image)});
    return known->second;
}

}  // namespace ui
