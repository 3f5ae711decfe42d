#pragma once

#include <string>
#include <unordered_map>
#include <vector>

namespace core::startup {

// Which application bundle holds a program of a given name: the bundles directly inside the
// applications folders, indexed by the entries of their "Contents/MacOS" folders. Built on
// the first question, so one scan lists the folders once however many programs it looks up.
class AppBundleIndex {
public:
    // The folders in the order they are searched (resolved paths).
    explicit AppBundleIndex(std::vector<std::string> folders);

    // The first bundle, folders in order and bundles in listing order, whose "Contents/MacOS"
    // holds an entry of exactly this name; "" when none does.
    std::string bundleWithExecutable(const std::string& name);

private:
    void build();

    std::vector<std::string> folders_;
    bool built_ = false;
    std::unordered_map<std::string, std::string> bundleByExecutable_;
};

}  // namespace core::startup
