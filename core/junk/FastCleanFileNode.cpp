#include "core/junk/FastCleanFileNode.h"

#include "core/kit/EuAuthorization.h"

namespace core::junk {

FastCleanFileNode& FastCleanFileNode::shareInstall() {
    static FastCleanFileNode instance;
    return instance;
}

bool FastCleanFileNode::removeFile(const std::string& path) {
    if (!author) author = EuAuthorization::shareEuAuthorization();
    return author->synFastRemovePath(path);
}

}  // namespace core::junk
