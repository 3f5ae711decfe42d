#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace core::browser {

// Each "%@" of a template replaced by the next argument, in order; a "%@" without an argument
// is left as it stands.
std::string fillTemplate(std::string_view text, const std::vector<std::string>& arguments);

// A macOS path template of the browser lists ("/Users/%@/Library/Safari/History.db", "~/...")
// filled with the login name and then the further arguments, and resolved for this machine.
std::string userPath(std::string_view text, const std::vector<std::string>& further = {});

}  // namespace core::browser
