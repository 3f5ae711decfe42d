#pragma once

#include "platform/desktop/DesktopApplicationIndex.h"
#include "platform/desktop/RunningApplications.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>

namespace platform {

// The running applications read from the process table under the /proc root. A process of the
// user belongs to an installed desktop application when the desktop launched it
// (GIO_LAUNCHED_DESKTOP_FILE in its environment, for that very process), else when its
// executable or first argument has the file name of the program an entry's "Exec" starts, with
// that entry's arguments. UserApplicationRule leaves out the desktop's own parts and this
// program. Helper processes whose parent belongs to the same application (a browser's content
// processes) are not listed again.
class ProcRunningApplications : public RunningApplications {
public:
    // The "applications" folders to take the desktop entries from, most important first.
    explicit ProcRunningApplications(std::vector<std::string> applicationFolders);
    // "applications" under $XDG_DATA_HOME (~/.local/share), then under each of $XDG_DATA_DIRS
    // (/usr/local/share:/usr/share).
    static std::vector<std::string> applicationFoldersFromProcess();

    std::vector<RunningApplication> runningApplications() override;

private:
    struct Process {
        pid_t pid = 0;
        std::string executable;
        std::vector<std::string> arguments;  // its own name first
        std::string launchedDesktopFile;
    };

    std::optional<Process> readProcess(const std::string& folder, pid_t pid) const;
    const DesktopApplicationIndex::Application* installedApplicationOf(const Process& process);
    const DesktopApplicationIndex::Application* launchedFrom(const std::string& file);
    std::optional<RunningApplication> applicationOf(const Process& process, const std::string& locale);
    // Through the answers of earlier calls: a process with the same pid and start time is the
    // same process, so only new processes are read in full.
    std::optional<RunningApplication> applicationOfPid(const std::string& procRoot, pid_t pid, uint64_t startTime,
                                                       const std::string& locale);

    struct Known {
        uint64_t startTime = 0;
        std::optional<RunningApplication> application;
    };

    std::mutex mutex_;
    DesktopApplicationIndex index_;
    std::optional<DesktopApplicationIndex::Application> launchedOutside_;
    std::map<pid_t, Known> known_;
    std::string knownLocale_;
    std::string knownProcRoot_;
};

}  // namespace platform
