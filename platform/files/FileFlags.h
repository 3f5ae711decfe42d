#pragma once

#include <optional>

namespace platform {

// The immutable and append-only flags of a file or folder, the Linux counterparts of the
// Mac's user and system immutable and append flags. Clears both on the open descriptor and
// returns true when neither is left set; a file system without such flags has none to clear.
// On false, errno tells why.
bool clearLockFlags(int fd);
// Those of the two flags that are set (0 on a file system without flags); nothing when they
// cannot be read.
std::optional<int> lockFlagsOf(int fd);
// Sets exactly the given lock flags again, every other flag kept; true when nothing was to do.
bool restoreLockFlags(int fd, int lockFlagsWanted);

}  // namespace platform
