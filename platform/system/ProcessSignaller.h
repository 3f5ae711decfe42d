#pragma once

#include <cstdint>
#include <memory>
#include <optional>

namespace platform {

// One process for good: a pid alone may name a later process once the first has ended, but
// the pair with its start time (clock ticks after boot, from /proc/<pid>/stat) never does.
struct ProcessIdentity {
    int pid = 0;
    std::uint64_t startTime = 0;

    bool operator==(const ProcessIdentity& other) const { return pid == other.pid && startTime == other.startTime; }
    bool operator!=(const ProcessIdentity& other) const { return !(*this == other); }
};

// Sends signals to other processes only while they are still the process the caller saw:
// a force quit or a "close the browser" never reaches a process that took over a pid. Never
// signals pid 1, pid 0, a process group (a negative pid) or this program itself.
class ProcessSignaller {
public:
    enum class Result {
        Sent,     // the signal was delivered
        Refused,  // pid <= 1 or this program: nothing was sent
        Gone,     // the process has ended, or its pid now belongs to another process
        Failed,   // the system refused to deliver it (no permission)
    };

    virtual ~ProcessSignaller() = default;

    // The process that holds the pid now; nothing when there is none.
    virtual std::optional<ProcessIdentity> identify(int pid) = 0;
    // Refuses the pids that are never signalled, then delivers.
    Result send(const ProcessIdentity& process, int signal);

    static std::shared_ptr<ProcessSignaller> shared();
    // Tests install a fake; nullptr goes back to the system's signaller.
    static void setShared(std::shared_ptr<ProcessSignaller> signaller);

private:
    // Signals the process unless it has ended or its pid was reused.
    virtual Result deliver(const ProcessIdentity& process, int signal) = 0;
};

}  // namespace platform
