#include "core/kit/BundleWalk.h"

#include "platform/files/FileWalker.h"
#include "platform/files/PathText.h"

#include <sys/stat.h>

#include <algorithm>

namespace core {
namespace {

using platform::FileWalker;

bool hasExtension(const std::string& name, const std::vector<std::string>& extensions) {
    const std::string extension = platform::pathExtension(name);
    return !extension.empty() && std::find(extensions.begin(), extensions.end(), extension) != extensions.end();
}

// A folder, or a link whose target is a folder.
bool reachesFolder(const FileWalker::Visit& visit) {
    if (visit.entry().isFolder()) return true;
    if (!visit.entry().isLink()) return false;
    struct stat target;
    int folder = visit.folderDescriptor();
    return folder >= 0 && fstatat(folder, visit.entry().name.c_str(), &target, 0) == 0 && S_ISDIR(target.st_mode);
}

bool isRegularFile(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

void BundleWalk::walk(const std::string& folder, const Kind& kind,
                      const std::function<void(const std::string&)>& found) {
    FileWalker::Callbacks callbacks;
    callbacks.visitEntry = [&](const FileWalker::Visit& visit) {
        if (visit.depth() == 0) return FileWalker::Step::Continue;
        if (hasExtension(visit.entry().name, kind.extensions)) {
            if (!kind.foldersOnly || reachesFolder(visit)) found(visit.path());
            return FileWalker::Step::Prune;
        }
        return FileWalker::Step::Continue;
    };
    FileWalker::Options options;
    options.followTopLink = true;
    FileWalker::walk(folder, callbacks, options);
}

std::string BundleWalk::displayName(const std::string& path) {
    std::string name = platform::lastPathComponent(path);
    const std::string suffix = ".app";
    if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
        name.resize(name.size() - suffix.size());
    return name;
}

std::optional<platform::PlistValue> BundleWalk::infoDictionary(const std::string& bundle) {
    // Only a folder holds one: a plain file is not looked into, so it logs nothing.
    struct stat item;
    if (stat(bundle.c_str(), &item) != 0 || !S_ISDIR(item.st_mode)) return std::nullopt;
    auto info = platform::PlistValue::readFile(bundle + "/Contents/Info.plist");
    if (!info || !info->isDictionary()) return std::nullopt;
    return info;
}

IconReference BundleWalk::iconOf(const std::string& bundle, const std::optional<platform::PlistValue>& info) {
    const platform::PlistValue* value = info ? info->find("CFBundleIconFile") : nullptr;
    const std::string file = value && value->isString() ? value->toString() : std::string();
    if (!file.empty() && file.find('/') == std::string::npos) {
        const std::string icon = bundle + "/Contents/Resources/" + file;
        if (isRegularFile(icon)) return IconReference::imageFile(icon);
        if (platform::pathExtension(file) != "icns" && isRegularFile(icon + ".icns"))
            return IconReference::imageFile(icon + ".icns");
    }
    return IconReference::iconOf(bundle);
}

}  // namespace core
