#include "core/duplicates/TreeNodeData.h"

namespace core {

int TreeNodeData::compareName(const TreeNodeData&) const { return 0; }

int TreeNodeData::compareSize(const TreeNodeData&) const { return 0; }

int TreeNodeData::compareDate(const TreeNodeData&) const { return 0; }

std::string TreeNodeData::description() const { return {}; }

}  // namespace core
