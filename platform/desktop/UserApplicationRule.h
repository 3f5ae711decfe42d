#pragma once

#include "platform/desktop/DesktopEntry.h"

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace platform {

// What the running-applications list counts as an application the user launched, in one place.
// It leaves out:
// - entries that mark a part of the desktop itself or something the menus never show (window
//   managers, shells, panels, compositors, session managers, settings daemons): the table
//   kEntryMarks in the source, each mark with the reason;
// - a process matched by its program's name through an entry whose own arguments it lacks (a
//   settings entry running "xfce4-panel --preferences" does not make the running panel an
//   application), and entries that start only an interpreter or a terminal;
// - this program and the leader of its session (the desktop's session manager, or whatever
//   started the session), whatever entry they match.
class UserApplicationRule {
public:
    // Why a process started from this entry is no application of the user's; nothing when it may be one.
    static std::optional<std::string> whyLeftOut(const DesktopEntry& entry);
    // The file name of the program through which a process is matched to the entry; "" when the
    // entry may stand only for a process the desktop launched from it: it is no application
    // entry, starts nothing, or starts an interpreter or a terminal that runs what it is told.
    static std::string matchedProgramName(const DesktopEntry& entry);
    // Whether a process with these arguments (its own name first) is one the entry starts: each
    // fixed argument of "Exec" after the program (field codes such as %U aside) is among them.
    static bool startedWithItsArguments(const DesktopEntry& entry, const std::vector<std::string>& processArguments);

    // The session's own processes as the process table under this /proc root shows them: the
    // process of "self" (this program) and the leader of its session.
    explicit UserApplicationRule(const std::string& procRoot);
    bool isSessionsOwnProcess(pid_t pid) const;

private:
    std::optional<pid_t> ownProcess;
    std::optional<pid_t> sessionLeader;
};

}  // namespace platform
