#include "core/junk/JunkItemSizer.h"

#include "core/kit/ParallelLoop.h"

namespace core::junk {
namespace {

// Each item's own sizing spreads over more threads once its tree is large.
constexpr std::size_t kWorkers = 4;

}  // namespace

std::vector<platform::TreeSizer::Measure> JunkItemSizer::measuresOf(const std::vector<std::string>& paths) const {
    std::vector<platform::TreeSizer::Measure> measures(paths.size());
    runInParallel(pool_, kWorkers, paths.size(),
                  [&](std::size_t, std::size_t index) { measures[index] = platform::TreeSizer::measure(paths[index]); });
    return measures;
}

}  // namespace core::junk
