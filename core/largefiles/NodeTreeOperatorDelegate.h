#pragma once

namespace core::largefiles {

class FileNode;

// What a scan hears from the walk below its top level.
class NodeTreeOperatorDelegate {
public:
    virtual ~NodeTreeOperatorDelegate() = default;
    // Everything below a top-level folder has been walked; called on a walking thread.
    virtual void didFinishRootNode(FileNode* node) = 0;
};

}  // namespace core::largefiles
