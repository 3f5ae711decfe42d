#pragma once

#include <cstddef>

namespace platform {

// Property lists and JSON that come from outside (files of other programs, a program's output,
// the network) are refused when they nest deeper than this: far deeper than any real document,
// and shallow enough for every reader, converter, copy and destructor that recurses per level.
constexpr size_t kDeepestInputNesting = 256;

}  // namespace platform
