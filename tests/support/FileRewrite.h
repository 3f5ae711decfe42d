#pragma once

#include <string>

namespace testsupport {

// Writes "z" over every byte of a file and puts its modification time back, so that only its
// change time tells it was rewritten. False when a step failed.
bool rewriteKeepingSizeAndDate(const std::string& path);

}  // namespace testsupport
