#pragma once

#include "support/MacHomeFixture.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace testsupport {

class FakeMountedVolumes;

// A Mac home with junk in each of the six categories, of known sizes, and files outside every
// category; no volumes are mounted. The system reports 10.15.
class JunkHomeFixture : public MacHomeFixture {
public:
    // One item as the scan offers it: its category, its macOS path, and whether it starts selected.
    struct Item {
        int category;
        std::string macPath;
        uint64_t bytes;
        bool selected;
    };

    JunkHomeFixture();
    ~JunkHomeFixture();

    // The items of categories 0 to 4, and the chat category's leaves.
    const std::vector<Item>& items() const { return items_; }
    // Files that no category looks at.
    const std::vector<std::string>& outside() const { return outside_; }
    const Item& item(const std::string& macPath) const;

    // What each category's tile shows after a scan, and the default total to clean.
    static std::vector<std::string> categorySizes();
    static uint64_t defaultTotal();

private:
    void add(int category, const std::string& macPath, uint64_t bytes, bool selected, const std::string& file = "");

    std::shared_ptr<FakeMountedVolumes> volumes_;
    std::vector<Item> items_;
    std::vector<std::string> outside_;
};

}  // namespace testsupport
