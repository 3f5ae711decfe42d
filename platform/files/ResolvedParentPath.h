#pragma once

#include <optional>
#include <string>

namespace platform {

// The path with every link on the way and the item itself resolved; nothing when the item
// cannot be reached.
std::optional<std::string> realPath(const std::string& path);

// The real path of the item's folder joined to the item's own name: the form in which a tool
// keeps an item the user chose, so that acting on it later reaches it from "/" without links
// however the user's home or other folders on the way are linked. The item itself is never
// resolved (a link stays the link). Nothing for a path that is not absolute and normalised,
// for "/" and when the folder cannot be resolved.
std::optional<std::string> resolvedParentPath(const std::string& path);

}  // namespace platform
