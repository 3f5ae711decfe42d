#pragma once

#include <string>
#include <sys/types.h>

namespace platform {

// Writes the whole content to a temporary file beside path, flushes it and renames it over
// path, so readers see the old file or the new one, never a part. Logs and returns false on
// failure, leaving any old file as it was.
bool writeFileAtomically(const std::string& path, const std::string& content, mode_t mode);

// Writes all of content to an open descriptor, going on after interruptions and short writes.
bool writeAll(int fd, const std::string& content);

// Makes a folder and its missing parents with the given mode; true when it exists afterwards.
bool makeFolders(const std::string& path, mode_t mode);

}  // namespace platform
