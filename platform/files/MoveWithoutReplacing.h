#pragma once

#include "platform/files/FileIdentity.h"

#include <string>

namespace platform {

// Moves an entry to a new name without ever replacing an entry already there (relative names
// are taken in the folder descriptor, AT_FDCWD for the working folder). Where the file system
// refuses RENAME_NOREPLACE, a second link under the new name (which fails on an existing name)
// followed by removal of the old name does the same. errno tells why it failed.
bool moveWithoutReplacing(int folder, const std::string& from, const std::string& to);

// A move by name while another process may put another entry under either name at any moment:
// the old name must hold the expected entry before the move and the new name after it; an
// entry moved in its place is moved back at once. errno is ESTALE for another entry, else the
// failed step's (ENOENT when nothing stands under the old name).
bool moveIfStill(int folder, const std::string& from, const std::string& to, const FileIdentity& expected);

}  // namespace platform
