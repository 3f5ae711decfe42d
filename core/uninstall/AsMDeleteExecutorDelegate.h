#pragma once

#include "core/uninstall/AMAppItem.h"

#include <string>

namespace core::uninstall {

// Told about each item an AsMDeleteExecutor handled, on the main thread: the record and the
// path it was removed at (its folder's links resolved when the removal was asked for).
class AsMDeleteExecutorDelegate {
public:
    virtual ~AsMDeleteExecutorDelegate() = default;
    // The item is gone (or was gone already).
    virtual void deleteRelatedFile(const AMAppItemPtr& item, const std::string& path) = 0;
    // It was not removed.
    virtual void deleteRelatedFileFail(const AMAppItemPtr& item, const std::string& path) = 0;
};

}  // namespace core::uninstall
