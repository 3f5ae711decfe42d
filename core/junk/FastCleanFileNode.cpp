#include "core/junk/FastCleanFileNode.h"

#include "core/kit/EuAuthorization.h"

namespace core::junk {

FastCleanFileNode& FastCleanFileNode::shareInstall() {
    static FastCleanFileNode instance;
    return instance;
}

bool FastCleanFileNode::removeFile(int folderFd, const std::string& name) {
    if (!author) author = EuAuthorization::shareEuAuthorization();
    return author->synFastRemoveAt(folderFd, name);
}

}  // namespace core::junk
