#pragma once

#include <string>
#include <vector>

namespace core {

// The folders the shredder never takes: "/", the home folder and every folder that holds it.
// The home folder counts in every form it has: under the environment's root, the user's real
// home ($HOME and the account's), and each of these with its links resolved.
class ProtectedFolders {
public:
    // Reads the home folders from the current environment and the account.
    ProtectedFolders();
    explicit ProtectedFolders(std::vector<std::string> homes);

    // Whether an item at this absolute, tidied path is "/", a home folder or a folder holding
    // one; its folders are resolved too, so a path through a link to the home is caught.
    bool isProtected(const std::string& path) const;

private:
    std::vector<std::string> homes_;
};

}  // namespace core
