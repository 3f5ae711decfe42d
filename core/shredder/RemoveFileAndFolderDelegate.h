#pragma once

#include <string>

namespace core {

class RemoveFileAndFolder;

// What a shred run reports; every call arrives on the main thread.
class RemoveFileAndFolderDelegate {
public:
    virtual ~RemoveFileAndFolderDelegate() = default;
    virtual void removeProgress(const std::string& path, float percent) = 0;
    virtual void removeObjEnd(RemoveFileAndFolder* engine) = 0;
    // An item could not be made writable or may not be removed by this user.
    virtual void haveFailWipe() {}
};

}  // namespace core
