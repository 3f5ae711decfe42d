#pragma once

#include <string>
#include <string_view>

namespace core {

// The text in lower case, letter by letter over all of Unicode ("Ÿ" → "ÿ", "É" → "é"), whatever
// the process locale. Bytes that are no valid UTF-8 stay as they are, so any file name works.
std::string lowercasedText(std::string_view utf8);

}  // namespace core
