#pragma once

#include <string>

namespace testsupport {

// One line per item below folder, in name order: its relative path, kind, mode, lock flags
// and, for a file, the SHA-256 of its content (a link: its target text). Two digests of the
// same tree are equal exactly when nothing in it was added, removed or changed.
std::string treeDigest(const std::string& folder);

}  // namespace testsupport
