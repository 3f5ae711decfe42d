#pragma once

#include <memory>
#include <string>

namespace core {
class EuAuthorization;
}

namespace core::junk {

// The junk cleaner's remover: a thin front of the shared privileged remover.
class FastCleanFileNode {
public:
    static FastCleanFileNode& shareInstall();

    // Removes the entry name of the open folder for good, with the user's rights or else with
    // administrator rights asked for once per run; true when it is gone.
    bool removeFile(int folderFd, const std::string& name);

private:
    std::shared_ptr<EuAuthorization> author;  // fetched on first use and kept
};

}  // namespace core::junk
