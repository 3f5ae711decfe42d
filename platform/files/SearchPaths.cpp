#include "platform/files/SearchPaths.h"

#include "platform/system/Environment.h"

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
    auto environment = Environment::current();
    std::vector<std::string> folders;
    if (domains & UserDomain) folders.push_back(environment->resolve(userFolder(directory)));
    if (domains & LocalDomain) folders.push_back(environment->resolve(localFolder(directory)));
    return folders;
}

}  // namespace platform
