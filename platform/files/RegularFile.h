#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace platform {

// The whole content of a regular file of at most maxBytes (a link to one is followed). A FIFO,
// device or folder in its place is refused without waiting on it, and so is a larger file.
// Nothing on failure, with errno set: the open's own error, EINVAL for an item that is not a
// regular file, EFBIG for one larger than maxBytes.
std::optional<std::string> readRegularFile(const std::string& path, size_t maxBytes);

// Copies a regular file (a link to one is followed) to a new file of mode 0600 that must not
// exist yet. A FIFO, device or folder in the source's place is refused without waiting on it.
// False on failure, with errno set (EINVAL for a source that is not a regular file); a
// half-written copy is removed.
bool copyRegularFile(const std::string& source, const std::string& destination);

}  // namespace platform
