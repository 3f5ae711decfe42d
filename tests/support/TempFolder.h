#pragma once

#include <string>

namespace testsupport {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    // A path inside the folder; the relative part may name sub-folders.
    std::string operator/(const std::string& relative) const;
    // Writes a file (making its folders) and returns its full path.
    std::string writeFile(const std::string& relative, const std::string& content) const;
    std::string makeFolder(const std::string& relative) const;

private:
    std::string path_;
};

std::string readWholeFile(const std::string& path);
// Whether anything stands at the path; a link counts as itself, even when it leads nowhere.
bool exists(const std::string& path);

}  // namespace testsupport
