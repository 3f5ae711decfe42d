#pragma once

#include "core/uninstall/AMAppItem.h"

#include <QHash>
#include <QIcon>

#include <utility>

namespace ui {

// The uninstaller lists' icons, made once per record: a bundle's picture file is read the first
// time its row is drawn, not on every paint. The records are held while their icons are, so an
// address is never taken for another record's.
class AppItemIcons {
public:
    QIcon iconOf(const core::uninstall::AMAppItemPtr& item);
    void clear() { icons_.clear(); }

private:
    QHash<const core::uninstall::AMAppItem*, std::pair<core::uninstall::AMAppItemPtr, QIcon>> icons_;
};

}  // namespace ui
