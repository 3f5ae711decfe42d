#pragma once

#include <cstdint>
#include <string>

namespace testsupport {

// Builds a chain of nested folders below folder, each named levelName, every one holding a file
// "f" of fileSize bytes; made relative to each parent, so the chain may be far deeper than a
// path can be long. Answers the sum of the file sizes, 0 when it could not be built.
uint64_t makeDeepTree(const std::string& folder, int levels, const std::string& levelName, size_t fileSize);

}  // namespace testsupport
