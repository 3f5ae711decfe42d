#pragma once

#include <linux/fs.h>

#include <string>

namespace testsupport {

// Sets or clears a flag (the immutable one unless told); false where the file system or the
// caller cannot.
bool setImmutable(const std::string& path, bool on, int flag = FS_IMMUTABLE_FL);

}  // namespace testsupport
