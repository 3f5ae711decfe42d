#pragma once

#include <string>

namespace core {

// The payload of a tree node. Each compare method answers below zero, zero or above zero as
// this payload sorts before, together with or after the other; the variants ending in R
// answer the other way round. The base payload has nothing to order by: all of its payloads
// sort together, so a sort keeps their order.
class TreeNodeData {
public:
    virtual ~TreeNodeData() = default;

    virtual int compareName(const TreeNodeData& other) const;
    virtual int compareSize(const TreeNodeData& other) const;
    virtual int compareDate(const TreeNodeData& other) const;
    int compareNameR(const TreeNodeData& other) const { return other.compareName(*this); }
    int compareSizeR(const TreeNodeData& other) const { return other.compareSize(*this); }
    int compareDateR(const TreeNodeData& other) const { return other.compareDate(*this); }

    virtual std::string description() const;
};

}  // namespace core
