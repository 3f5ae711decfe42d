#pragma once

#include <ctime>
#include <optional>
#include <string>

namespace platform {

// When an item (a link itself, not what it points at) was made: its birth time where the file
// system keeps one, else its last modification. Nothing when the item does not exist.
std::optional<timespec> creationDateOf(const std::string& path);

}  // namespace platform
