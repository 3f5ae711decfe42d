#pragma once

#include "platform/privileged/PrivilegedProtocol.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace platform {

// Administrator rights held for a while. The right is asked for once, when it is first needed,
// and kept until the session is released or ends; each session asks on its own, so several may
// exist (one per remover that needs its own). Requests are served one at a time.
class PrivilegedSession {
public:
    enum class Outcome {
        Granted,
        Refused,      // the user cancelled or was not authorised; asking again may succeed
        Unavailable,  // the mechanism could not be started at all
    };

    // What the helper answered: its exit status (PrivilegedProtocol::kRefusedStatus for a
    // refusal) and what went wrong, and whether the item is no longer in its folder afterwards.
    struct Removal {
        int exitStatus = -1;
        std::string output;
        bool gone = false;
    };

    virtual ~PrivilegedSession() = default;

    // Asks for the right unless it is held. status receives the reason of a refusal (the
    // asking program's exit status) or of an unavailable mechanism (an errno value).
    virtual Outcome authorize(int* status) = 0;
    virtual bool isAuthorized() = 0;
    // Removes the item with the right, through the helper's checked route: its folder is
    // reached from "/" without passing through a link and must still be the folder listed, and
    // the item must still be the item listed. Nothing when it could not run (the right is not
    // held, or was lost). The path is refused unless absolute, normalised and not "/".
    virtual std::optional<Removal> removeItem(const PrivilegedProtocol::Request& request) = 0;
    // Gives the right up; the next request asks again. False when the privileged side did not
    // end cleanly.
    virtual bool release() = 0;

    // A new session of the system's kind. Tests install their own maker; an empty one restores.
    using Factory = std::function<std::shared_ptr<PrivilegedSession>()>;
    static std::shared_ptr<PrivilegedSession> make();
    static void setFactory(Factory factory);
};

}  // namespace platform
