#pragma once

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// JSON from outside (another program's output or files), parsed with its nesting bounded: the
// library parses and frees any depth, but copying a value recurses once per level. A text
// nesting deeper than kDeepestInputNesting is refused while it is parsed, before any part of it
// is kept, with a log line naming the origin ("busctl's answer", a file's path); a text that is
// no JSON gives nothing as well, without a line.
std::optional<nlohmann::json> parseBoundedJson(std::string_view text, const std::string& origin);

}  // namespace platform
