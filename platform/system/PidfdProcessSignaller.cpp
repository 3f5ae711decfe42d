#include "platform/system/PidfdProcessSignaller.h"

#include "platform/files/FileDescriptor.h"
#include "platform/system/Environment.h"
#include "platform/system/KernelFiles.h"
#include "platform/system/Log.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <string>
#include <string_view>

namespace platform {
namespace {

// The start time is field 22 of the stat line; fields are counted from the pid, and the name
// (field 2, in parentheses) may itself hold spaces and parentheses, so counting starts after
// its last ")".
constexpr int kStartTimeField = 22;
constexpr int kFirstFieldAfterName = 3;

std::optional<std::uint64_t> startTimeInStatLine(std::string_view line) {
    const auto nameEnd = line.rfind(')');
    if (nameEnd == std::string_view::npos) return std::nullopt;
    std::string_view rest = line.substr(nameEnd + 1);
    for (int field = kFirstFieldAfterName;; ++field) {
        const auto start = rest.find_first_not_of(' ');
        if (start == std::string_view::npos) return std::nullopt;
        rest.remove_prefix(start);
        const auto end = std::min(rest.find_first_of(" \n"), rest.size());
        if (field == kStartTimeField) return parseUnsignedNumber(rest.substr(0, end));
        rest.remove_prefix(end);
    }
}

ProcessSignaller::Result resultOfSignal(int status, const ProcessIdentity& process) {
    if (status == 0) return ProcessSignaller::Result::Sent;
    if (errno == ESRCH) return ProcessSignaller::Result::Gone;
    logWarning("Could not signal process " + std::to_string(process.pid) + ": " + std::strerror(errno));
    return ProcessSignaller::Result::Failed;
}

}  // namespace

PidfdProcessSignaller::PidfdProcessSignaller(PidfdOpener openPidfd) : openPidfd_(std::move(openPidfd)) {}

int PidfdProcessSignaller::systemPidfdOpen(int pid) { return static_cast<int>(syscall(SYS_pidfd_open, pid, 0)); }

std::optional<ProcessIdentity> PidfdProcessSignaller::identify(int pid) {
    if (pid <= 0) return std::nullopt;
    const auto line = readKernelFile(Environment::current()->procRoot() + "/" + std::to_string(pid) + "/stat");
    if (!line) return std::nullopt;
    const auto startTime = startTimeInStatLine(*line);
    if (!startTime) {
        logWarning("Unreadable stat line of process " + std::to_string(pid));
        return std::nullopt;
    }
    return ProcessIdentity{pid, *startTime};
}

bool PidfdProcessSignaller::isStill(const ProcessIdentity& process) { return identify(process.pid) == process; }

ProcessSignaller::Result PidfdProcessSignaller::deliver(const ProcessIdentity& process, int signal) {
    FileDescriptor pidfd(openPidfd_(process.pid));
    if (!pidfd.isOpen()) {
        if (errno == ESRCH) return Result::Gone;
        // No pidfd here: the check and kill() leave only the short gap between them.
        if (!isStill(process)) return Result::Gone;
        return resultOfSignal(kill(process.pid, signal), process);
    }
    // The pidfd was opened before the check: if the pid still shows the recorded start time,
    // the descriptor holds that very process, and a later reuse of the pid cannot redirect it.
    if (!isStill(process)) return Result::Gone;
    return resultOfSignal(static_cast<int>(syscall(SYS_pidfd_send_signal, pidfd.get(), signal, nullptr, 0)), process);
}

}  // namespace platform
