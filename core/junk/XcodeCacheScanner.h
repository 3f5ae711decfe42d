#pragma once

#include <string>
#include <vector>

namespace core::junk {

// The developer tools' cache folders of the user.
class XcodeCacheScanner {
public:
    // Eight folders, in a fixed order, whether or not they exist.
    static std::vector<std::string> scanXcodeCaches();
};

}  // namespace core::junk
