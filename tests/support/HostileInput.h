#pragma once

#include <cstddef>
#include <string>

namespace testsupport {

// Inputs shaped to hurt a reader that recurses or copies without bounds.

// The text written count times over.
std::string repeatedText(const std::string& text, size_t count);

// An XML property list of arrays nested the given number of levels (15 bytes a level).
std::string nestedXmlList(size_t levels);
// A binary property list of arrays nested the given number of levels.
std::string nestedBinaryList(size_t levels);
// A binary property list of the given number of arrays, each holding the next one twice: a few
// bytes a level that unfold into 2^levels nodes.
std::string unfoldingBinaryList(size_t levels);
// A binary property list whose one array holds itself.
std::string selfContainingBinaryList();
// A binary property list of one dictionary holding the text under the key, both as given
// (ASCII, one byte a character, zero bytes included).
std::string binaryDictionary(const std::string& key, const std::string& text);
// JSON arrays nested the given number of levels, to be put where a document holds a value.
std::string nestedJsonArrays(size_t levels);

}  // namespace testsupport
