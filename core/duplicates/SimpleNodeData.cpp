#include "core/duplicates/SimpleNodeData.h"

namespace core {
namespace {

template <typename Value>
int ordered(const Value& a, const Value& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

}  // namespace

SimpleNodeData::SimpleNodeData(std::string text, bool leaf) : name(std::move(text)), isLeaf(leaf), isExpandable(!leaf) {}

std::shared_ptr<SimpleNodeData> SimpleNodeData::leafDataWithName(std::string name) {
    return std::shared_ptr<SimpleNodeData>(new SimpleNodeData(std::move(name), true));
}

std::shared_ptr<SimpleNodeData> SimpleNodeData::groupDataWithName(std::string name) {
    return std::shared_ptr<SimpleNodeData>(new SimpleNodeData(std::move(name), false));
}

int SimpleNodeData::compareName(const TreeNodeData& other) const {
    const auto* data = dynamic_cast<const SimpleNodeData*>(&other);
    return data ? ordered(name, data->name) : 0;
}

int SimpleNodeData::compareSize(const TreeNodeData& other) const {
    const auto* data = dynamic_cast<const SimpleNodeData*>(&other);
    return data ? ordered(fileSize, data->fileSize) : 0;
}

int SimpleNodeData::compareDate(const TreeNodeData& other) const {
    const auto* data = dynamic_cast<const SimpleNodeData*>(&other);
    return data ? ordered(ModificationDate, data->ModificationDate) : 0;
}

}  // namespace core
