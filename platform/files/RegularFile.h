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

}  // namespace platform
