#pragma once

#include "core/duplicates/CopyIdentity.h"
#include "core/duplicates/TreeNodeData.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace core {

// What a node of the duplicate finder's result tree shows: a group of identical items, or
// one copy (a leaf). The icon is not kept here: the page finds it from the name and the
// extension.
class SimpleNodeData : public TreeNodeData {
public:
    using Date = std::chrono::system_clock::time_point;

    static std::shared_ptr<SimpleNodeData> leafDataWithName(std::string name);
    static std::shared_ptr<SimpleNodeData> groupDataWithName(std::string name);

    bool isGroup() const { return !isLeaf; }

    // Names in byte order, sizes as numbers, dates in time order with no date first.
    int compareName(const TreeNodeData& other) const override;
    int compareSize(const TreeNodeData& other) const override;
    int compareDate(const TreeNodeData& other) const override;
    std::string description() const override { return name; }

    std::string name;            // group: display name; leaf: full path of the copy
    bool isLeaf = false;
    bool isExpandable = false;   // groups only
    std::uint64_t fileSize = 0;  // leaf: the copy's size; group: the sum over its copies
    std::string extendName;      // group: the extension that decides its category; "APP" for bundles
    bool Mark = false;           // group: already placed in a category tree
    std::int32_t selectNum = 0;  // tick state: 0 none, 1 all (a leaf: ticked), 2 some
    std::int32_t fileType = 0;   // group: its category, 1 to 6
    std::optional<Date> ModificationDate;  // leaf of a file: its modification date
    std::string showSelectNumStr;          // group: "ticked/copies"
    CopyIdentity identity;                 // leaf: what the search saw of the copy

private:
    explicit SimpleNodeData(std::string text, bool leaf);
};

}  // namespace core
