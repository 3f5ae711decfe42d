#include "core/largefiles/SystemFolder.h"

#include "platform/files/LinuxSystemFolders.h"
#include "platform/files/PathText.h"
#include "platform/files/ResolvedParentPath.h"
#include "platform/system/Bundle.h"
#include "platform/system/Environment.h"
#include "platform/system/Log.h"
#include "platform/system/PlistValue.h"

#include <sys/stat.h>

namespace core::largefiles {
namespace {

// The shipped list: keys "0", "1", ... up to its count less one, each a full path.
std::vector<std::string> shippedSystemFiles() {
    std::vector<std::string> paths;
    const std::string file = platform::Bundle::resourcePath("SystemFile", "plist");
    const auto list = file.empty() ? std::nullopt : platform::PlistValue::readFile(file);
    if (!list || !list->isDictionary()) {
        platform::logWarning("no list of system files; only the Linux system folders are protected");
        return paths;
    }
    for (size_t index = 0; index < list->dictionary().size(); ++index) {
        const platform::PlistValue* path = list->find(std::to_string(index));
        if (path && path->isString()) paths.push_back(path->toString());
    }
    return paths;
}

bool exists(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

}  // namespace

SystemFolder::SystemFolder(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        paths_.insert(path);
        for (std::string folder = platform::parentPath(path); !folder.empty() && folder != path;
             folder = platform::parentPath(folder)) {
            ancestors_.insert(folder);
            if (folder == "/") break;
        }
    }
}

std::vector<std::string> SystemFolder::protectedPaths() {
    std::vector<std::string> macPaths = shippedSystemFiles();
    for (std::string_view name : platform::linuxSystemFolderNames) macPaths.push_back("/" + std::string(name));
    for (const char* own : {"/", "/home", "~"}) macPaths.emplace_back(own);

    const auto environment = platform::Environment::current();
    std::vector<std::string> candidates;
    for (const std::string& macPath : macPaths) {
        candidates.push_back(environment->resolve(macPath));
        // Under a root the machine's own system folders and home stay protected too: a real "/"
        // may be chosen in the folder panel.
        if (environment->hasRoot()) candidates.push_back(macPath == "~" ? environment->values().realHome : macPath);
    }
    std::vector<std::string> paths;
    for (const std::string& path : candidates) {
        if (path.empty() || !exists(path)) continue;
        paths.push_back(path);
        const auto real = platform::realPath(path);
        if (real && *real != path) paths.push_back(*real);
    }
    return paths;
}

std::shared_ptr<const SystemFolder> SystemFolder::current() {
    return std::make_shared<SystemFolder>(protectedPaths());
}

bool SystemFolder::isSystemFileWithFilePath(const std::string& path) { return current()->contains(path); }

}  // namespace core::largefiles
