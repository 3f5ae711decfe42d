#include "core/junk/JunkItemSizer.h"

#include "core/kit/CommUti.h"
#include "core/kit/ParallelLoop.h"

namespace core::junk {
namespace {

// Each item's own sizing spreads over more threads once its tree is large.
constexpr std::size_t kWorkers = 4;

}  // namespace

std::vector<uint64_t> JunkItemSizer::sizesOf(const std::vector<std::string>& paths) const {
    std::vector<uint64_t> sizes(paths.size(), 0);
    runInParallel(pool_, kWorkers, paths.size(),
                  [&](std::size_t, std::size_t index) { sizes[index] = CommUti::sizeOfFileRef(paths[index]); });
    return sizes;
}

}  // namespace core::junk
