#pragma once

#include <string>

namespace platform {

// Whether this user may remove the item at path (never following a link at its end): the
// folder that holds it must grant write and search permission, and a folder with the sticky
// bit lets only the owner of the item or of the folder remove it. False when the item or its
// folder cannot be examined.
bool isDeletableFileAtPath(const std::string& path);
// The same for the entry name of an open folder (an O_PATH descriptor will do).
bool isDeletableFileAt(int folderFd, const std::string& name);

}  // namespace platform
