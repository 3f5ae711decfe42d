#pragma once

#include "platform/privileged/PrivilegedSession.h"

#include <memory>
#include <mutex>
#include <string>

namespace core {

// Deletes one file or folder tree for good: with the user's own rights first and, when that
// fails, with "/bin/rm" "-rf" run with administrator rights. The right is asked for the first
// time it is needed and then kept, so one clean that meets several protected items asks once;
// a refusal leaves it not granted, so the next privileged removal asks again.
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
    // The privileged removal through the shared instance: true when the remove command ran and
    // printed nothing (any output, its error messages, counts as failure).
    static bool removeItemAtPath(const std::string& path);

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
