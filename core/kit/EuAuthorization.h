#pragma once

#include "platform/files/ChosenItem.h"
#include "platform/files/ItemRemoval.h"
#include "platform/privileged/PrivilegedSession.h"

#include <memory>
#include <mutex>
#include <string>

namespace core {

// Deletes chosen items for good, every tool through the one checked route of
// platform::ItemRemoval: with the user's own rights first and, when that fails, through the
// privileged helper, which is handed the item's path with the identities of its folder and of
// the item as they were listed, and removes it through the same route. The right is asked for
// the first time it is needed and then kept, so one clean that meets several protected items
// asks once; a refusal leaves it not granted, so the next privileged removal asks again.
// Every refusal (an item or folder that is no longer what was listed, a folder on the way that
// became a link, an item not read whole) is a log line naming the item, never a removal.
class EuAuthorization {
public:
    using Outcome = platform::ItemRemoval::Outcome;
    using Result = platform::ItemRemoval::Result;
    using Options = platform::ItemRemoval::Options;

    explicit EuAuthorization(std::shared_ptr<platform::PrivilegedSession> session);
    ~EuAuthorization();
    EuAuthorization(const EuAuthorization&) = delete;
    EuAuthorization& operator=(const EuAuthorization&) = delete;

    // The one instance of the process, made on first use with a new privileged session.
    static std::shared_ptr<EuAuthorization> shareEuAuthorization();
    // Tests put their own instance in its place; nullptr makes a new one on next use.
    static void setShared(std::shared_ptr<EuAuthorization> instance);

    // The whole removal of a chosen item: its folder reached and checked, then both halves.
    Outcome synFastRemove(const platform::ChosenItem& item, const Options& options);
    Outcome synFastRemove(const platform::ChosenItem& item);

    // The two halves of a removal, for a remover that reports which one it took, on the folder
    // platform::ItemRemoval::reachFolder gave. With the user's rights only: an item the user may
    // not delete, or a folder of theirs they may not write in, gets its own permissions opened
    // to 0777 first (never a link's, and only while it is the item listed), and they are put
    // back when the item stays.
    Result removeWithUserRightsAt(int folderFd, const std::string& name, const platform::ChosenItem& item,
                                  const Options& options);
    // With administrator rights, asked for when not held: removed only when the helper ended with
    // status 0, said nothing and the item is gone from its folder.
    Result authRemoveAt(int folderFd, const std::string& name, const platform::ChosenItem& item);

    // True when the right is held; asks the user when it is not.
    bool allocAuthorization();
    // The session to run privileged work in, or nothing when the right is not held.
    std::shared_ptr<platform::PrivilegedSession> getAuthorizationRet();
    // Gives the right up; the next privileged removal asks again.
    bool freeAuthorization();

    // Logs why an item stays, as every remover reports it.
    static void logNotRemoved(const Result& result);

private:
    std::shared_ptr<platform::PrivilegedSession> session_;
    std::mutex mutex_;
    bool granted_ = false;
};

}  // namespace core
