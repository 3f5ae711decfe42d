#pragma once

#include "core/kit/Executors.h"
#include "platform/files/TreeSizer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace core::junk {

// Sizes independent items at once on a small pool (each through the shared tree sizer, links
// not followed); every result stays at its item's index, so nothing depends on timing.
class JunkItemSizer {
public:
    explicit JunkItemSizer(Executor pool) : pool_(std::move(pool)) {}

    std::vector<platform::TreeSizer::Measure> measuresOf(const std::vector<std::string>& paths) const;

private:
    Executor pool_;
};

}  // namespace core::junk
