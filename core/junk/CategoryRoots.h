#pragma once

#include <optional>
#include <string>
#include <vector>

namespace core::junk {

// The places one junk category looked at, for its removal to keep within. An item may be
// removed only when it is one of them or lies inside one. Items and roots are compared after
// resolving the links of the folders above them, never of the item itself, so a link is
// removed as a link and a link planted above an item cannot lead the remover elsewhere.
class CategoryRoots {
public:
    // Resolves the roots now: build it where the removal runs, just before it runs.
    explicit CategoryRoots(const std::vector<std::string>& roots);

    bool contains(const std::string& path) const;

private:
    std::vector<std::string> resolved_;
};

}  // namespace core::junk
