#pragma once

#include "platform/privileged/PrivilegedSession.h"

#include <memory>
#include <mutex>
#include <string>

namespace core {

// Deletes one file or folder tree for good: with the user's own rights first and, when that
// fails, through the privileged helper, which runs "/bin/rm" "-rf" with administrator rights
// inside the item's folder. The right is asked for the first time it is needed and then kept,
// so one clean that meets several protected items asks once; a refusal leaves it not granted,
// so the next privileged removal asks again.
//
// Paths come with their folders' links resolved when the item was chosen; a folder on the way
// that is a link now may have been swapped in since, and the item is refused.
class EuAuthorization {
public:
    explicit EuAuthorization(std::shared_ptr<platform::PrivilegedSession> session);
    ~EuAuthorization();
    EuAuthorization(const EuAuthorization&) = delete;
    EuAuthorization& operator=(const EuAuthorization&) = delete;

    // The one instance of the process, made on first use with a new privileged session.
    static std::shared_ptr<EuAuthorization> shareEuAuthorization();
    // Tests put their own instance in its place; nullptr makes a new one on next use.
    static void setShared(std::shared_ptr<EuAuthorization> instance);

    // True when the item is gone.
    bool synFastRemovePath(const std::string& path);
    // The same for the entry name of a folder held open since the item was chosen, so no folder
    // above it is looked up again.
    bool synFastRemoveAt(int folderFd, const std::string& name);
    // The privileged removal through the shared instance: true when the remove command ended
    // with status 0, printed nothing (its error messages count as failure) and the helper found
    // nothing left at the path. A killed or timed-out command is a failure whatever it printed.
    static bool removeItemAtPath(const std::string& path);

    // The two halves of a removal, for a remover that reports which one it took.
    // With the user's rights only: an item the user may not delete, or a folder of theirs they
    // may not write in, gets its own permissions opened to 0777 first (never a link's), and they
    // are put back when the item stays. path names the item in log lines.
    bool removeWithUserRightsAt(int folderFd, const std::string& name, const std::string& path);
    // The privileged removal as removeItemAtPath judges it, with this instance's session.
    bool authRemoveItemAtPath(const std::string& path);

    // True when the right is held; asks the user when it is not.
    bool allocAuthorization();
    // The session to run privileged work in, or nothing when the right is not held.
    std::shared_ptr<platform::PrivilegedSession> getAuthorizationRet();
    // Gives the right up; the next privileged removal asks again.
    bool freeAuthorization();

private:
    std::shared_ptr<platform::PrivilegedSession> session_;
    std::mutex mutex_;
    bool granted_ = false;
};

}  // namespace core
