#pragma once

namespace platform {

// The immutable and append-only flags of a file or folder, the Linux counterparts of the
// Mac's user and system immutable and append flags. Clears both on the open descriptor and
// returns true when neither is left set; a file system without such flags has none to clear.
// On false, errno tells why.
bool clearLockFlags(int fd);

}  // namespace platform
