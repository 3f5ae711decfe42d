#pragma once

#include <string>

namespace platform {

// A fresh folder of its own (mode 0700) inside the private runtime folder, removed with all it
// holds when it goes out of scope: for working copies that must never lie beside the originals
// nor outlive the task.
class PrivateTemporaryFolder {
public:
    // prefix starts the folder's name; the folder is "" (with a log line) when it cannot be made.
    explicit PrivateTemporaryFolder(const std::string& prefix);
    ~PrivateTemporaryFolder();
    PrivateTemporaryFolder(const PrivateTemporaryFolder&) = delete;
    PrivateTemporaryFolder& operator=(const PrivateTemporaryFolder&) = delete;

    const std::string& path() const { return path_; }
    bool isMade() const { return !path_.empty(); }

private:
    std::string path_;
};

}  // namespace platform
