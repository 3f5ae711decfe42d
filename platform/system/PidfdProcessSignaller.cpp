#include "platform/system/PidfdProcessSignaller.h"

#include "platform/files/FileDescriptor.h"
#include "platform/system/Environment.h"
#include "platform/system/KernelFiles.h"
#include "platform/system/Log.h"
#include "platform/system/ProcStatLine.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <string>

namespace platform {
namespace {

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
    const auto stat = ProcStatLine::parse(*line);
    const auto startTime = stat ? stat->startTime() : std::nullopt;
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
