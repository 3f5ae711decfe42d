#pragma once

#include <string>
#include <vector>

namespace platform {

// The system's standard folders of each domain, as the tools name them: the user's own
// ("~/Library") and the machine's ("/Library"). They are given in macOS form: a caller joins
// what it looks for onto them and resolves the whole path through the environment, so a
// location the platform keeps elsewhere ("~/Library/Caches") is found where it is.
class SearchPaths {
public:
    enum class Directory { Library, Caches };
    enum Domain : unsigned { UserDomain = 1u << 0, LocalDomain = 1u << 1 };

    // The folders of the given domains, user first, then local.
    static std::vector<std::string> directories(Directory directory, unsigned domains);
};

}  // namespace platform
