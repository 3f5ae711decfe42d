#pragma once

#include <string>

namespace platform {

// Moves an entry to a new name without ever replacing an entry already there (relative names
// are taken in the folder descriptor, AT_FDCWD for the working folder). Where the file system
// refuses RENAME_NOREPLACE, a second link under the new name (which fails on an existing name)
// followed by removal of the old name does the same. errno tells why it failed.
bool moveWithoutReplacing(int folder, const std::string& from, const std::string& to);

}  // namespace platform
