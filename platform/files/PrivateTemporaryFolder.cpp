#include "platform/files/PrivateTemporaryFolder.h"

#include "platform/files/FileManager.h"
#include "platform/files/PathText.h"
#include "platform/system/Environment.h"
#include "platform/system/Log.h"

#include <stdlib.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace platform {

PrivateTemporaryFolder::PrivateTemporaryFolder(const std::string& prefix) {
    const std::string runtime = Environment::current()->runtimeFolder();
    if (runtime.empty()) return;
    std::string pattern = joinPath(runtime, prefix + "XXXXXX");
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (!mkdtemp(name.data())) {
        logError("cannot make a temporary folder in " + runtime + ": " + std::strerror(errno));
        return;
    }
    path_ = name.data();
}

PrivateTemporaryFolder::~PrivateTemporaryFolder() {
    if (path_.empty()) return;
    std::string error;
    if (!FileManager::removeItemAtPath(path_, &error)) logWarning("cannot remove " + path_ + ": " + error);
}

}  // namespace platform
