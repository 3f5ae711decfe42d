#include "core/junk/FastCleanFileNode.h"

#include "core/kit/EuAuthorization.h"

namespace core::junk {

FastCleanFileNode& FastCleanFileNode::shareInstall() {
    static FastCleanFileNode instance;
    return instance;
}

platform::ItemRemoval::Outcome FastCleanFileNode::removeFile(const platform::ChosenItem& item) {
    if (!author) author = EuAuthorization::shareEuAuthorization();
    return author->synFastRemove(item);
}

}  // namespace core::junk
