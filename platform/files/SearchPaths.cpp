#include "platform/files/SearchPaths.h"

namespace platform {
namespace {

const char* userFolder(SearchPaths::Directory directory) {
    return directory == SearchPaths::Directory::Library ? "~/Library" : "~/Library/Caches";
}

const char* localFolder(SearchPaths::Directory directory) {
    return directory == SearchPaths::Directory::Library ? "/Library" : "/Library/Caches";
}

}  // namespace

std::vector<std::string> SearchPaths::directories(Directory directory, unsigned domains) {
    std::vector<std::string> folders;
    if (domains & UserDomain) folders.push_back(userFolder(directory));
    if (domains & LocalDomain) folders.push_back(localFolder(directory));
    return folders;
}

}  // namespace platform
