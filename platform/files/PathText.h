#pragma once

#include <string>
#include <string_view>

namespace platform {

// Lexical path helpers: no file-system access, no links resolved.

// Collapses "//", "/./" and "/../" and drops a trailing "/" ("/" stays "/").
std::string normalizedPath(std::string_view path);
// True when path is folder itself or lies below it, compared component-wise.
bool isInsideOrEqual(std::string_view path, std::string_view folder);
std::string joinPath(std::string_view folder, std::string_view name);
std::string lastPathComponent(std::string_view path);
std::string parentPath(std::string_view path);
// The extension after the last "." of the last component, without the dot; "" when none.
std::string pathExtension(std::string_view path);
// True when the text ends with the suffix ("Foo.app" with ".app"), compared byte for byte.
bool endsWith(std::string_view text, std::string_view suffix);

}  // namespace platform
