#include "core/startup/AppBundleIndex.h"

#include "platform/files/FolderLister.h"
#include "platform/files/PathText.h"

namespace core::startup {
namespace {

bool isFolder(const std::string& path) {
    auto entry = platform::FolderLister::entryAt(path, true);
    return entry && entry->isFolder();
}

}  // namespace

AppBundleIndex::AppBundleIndex(std::vector<std::string> folders) : folders_(std::move(folders)) {}

std::string AppBundleIndex::bundleWithExecutable(const std::string& name) {
    if (!built_) build();
    auto found = bundleByExecutable_.find(name);
    return found == bundleByExecutable_.end() ? std::string() : found->second;
}

void AppBundleIndex::build() {
    built_ = true;
    for (const std::string& folder : folders_) {
        if (!isFolder(folder)) continue;
        auto bundles = platform::FolderLister::list(folder, true);
        if (!bundles) continue;
        for (const auto& bundle : *bundles) {
            if (!platform::endsWith(bundle.name, ".app")) continue;
            std::string bundlePath = platform::joinPath(folder, bundle.name);
            std::string executables = bundlePath + "/Contents/MacOS";
            if (!isFolder(executables)) continue;
            auto entries = platform::FolderLister::list(executables, true);
            if (!entries) continue;
            // The first bundle to hold a name keeps it.
            for (const auto& entry : *entries) bundleByExecutable_.emplace(entry.name, bundlePath);
        }
    }
}

}  // namespace core::startup
