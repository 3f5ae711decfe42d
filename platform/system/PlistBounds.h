#pragma once

#include <string_view>

namespace platform {

// Looks at a property list's bytes for the shape of the tree they would become, before libplist
// builds anything: libplist's binary reader and destructor, our conversion and our values'
// destructors all recurse once per level, and a binary list's shared objects are copied
// wherever they are used. Refused, with a log line: nesting deeper than kDeepestInputNesting,
// a binary list that contains itself or unfolds into more nodes than it has bytes, and one with
// a zero character in a dictionary key (libplist's key getter stops the program on it).
class PlistBounds {
public:
    // Whether the bytes may be parsed. A list whose structure cannot be followed (an element or
    // comment left open, a reference outside the list, a zero byte in XML) is refused without a
    // line of its own: it is no property list.
    static bool admits(std::string_view bytes);
};

}  // namespace platform
