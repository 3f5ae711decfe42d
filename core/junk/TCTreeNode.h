#pragma once

#include "core/junk/ReachedRoot.h"
#include "core/kit/IconReference.h"
#include "platform/files/ChosenItem.h"

#include <optional>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace core::junk {

// One node of a junk result tree: a category, an item, a chat application, a media group or
// an entry found inside one. A node owns its children; parentNode points back and is null at
// a category.
class TCTreeNode {
public:
    // The icon, named for the interface to draw.
    using Image = IconReference;

    std::string title;
    std::string subTitle;
    // Category nodes of categories 0 to 4: the path of every item node, in the order added.
    std::vector<std::string> children;
    std::vector<std::shared_ptr<TCTreeNode>> detailChildren;
    Image image;
    std::string size;  // size text; "0.00 KB" for nothing
    std::string path;  // empty for grouping nodes
    TCTreeNode* parentNode = nullptr;
    int32_t selectState = 1;  // 0 not selected, 1 selected, 2 partly selected
    // Category nodes: the locations that were looked at, as the scan reached them, for the
    // remover to keep within.
    std::vector<ReachedRoot> roots;
    // Nodes with a path: false when a folder inside could not be read while it was sized.
    bool readWhole = true;
    // Nodes with a path: the item as the scan listed it, reached through the location that
    // holds it; nothing when no location of its category held it any more.
    std::optional<platform::ChosenItem> chosen;

    static std::shared_ptr<TCTreeNode> make(std::string title, std::string path, int32_t selectState, Image image);
    // Appends a child and makes this node its parent.
    void addChild(std::shared_ptr<TCTreeNode> child);
    bool hasChildren() const { return !detailChildren.empty(); }
};

}  // namespace core::junk
