#include "platform/desktop/ProcRunningApplications.h"

#include "platform/desktop/UserApplicationRule.h"
#include "platform/system/Environment.h"
#include "platform/system/KernelFiles.h"
#include "platform/system/ProcStatLine.h"
#include "platform/files/PathText.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <sstream>

namespace platform {
namespace {

std::string wholeFile(const std::string& path) { return readKernelFile(path).value_or(""); }

std::vector<pid_t> processIds(const std::string& procRoot) {
    std::vector<pid_t> pids;
    for (const auto& name : listKernelFolder(procRoot))
        if (auto pid = parseUnsignedNumber(name)) pids.push_back(static_cast<pid_t>(*pid));
    std::sort(pids.begin(), pids.end());
    return pids;
}

// The real user id from the "Uid:" line of the status file.
std::optional<uid_t> ownerOf(const std::string& folder) {
    std::istringstream status(wholeFile(joinPath(folder, "status")));
    for (std::string line; std::getline(status, line);) {
        if (line.compare(0, 4, "Uid:") != 0) continue;
        std::istringstream ids(line.substr(4));
        unsigned long uid = 0;
        if (ids >> uid) return static_cast<uid_t>(uid);
    }
    return std::nullopt;
}

// The parent and the start time from stat. Nothing when the process is gone.
std::optional<std::pair<pid_t, uint64_t>> parentAndStartOf(const std::string& folder) {
    auto text = readKernelFile(joinPath(folder, "stat"));
    auto stat = text ? ProcStatLine::parse(*text) : std::nullopt;
    if (!stat || !stat->parent()) return std::nullopt;
    return std::make_pair(static_cast<pid_t>(*stat->parent()), stat->startTime().value_or(0));
}

std::map<std::string, std::string> environmentOf(const std::string& folder) {
    std::map<std::string, std::string> variables;
    std::string block = wholeFile(joinPath(folder, "environ"));
    size_t start = 0;
    while (start < block.size()) {
        size_t end = block.find('\0', start);
        if (end == std::string::npos) end = block.size();
        std::string_view entry(block.data() + start, end - start);
        size_t equals = entry.find('=');
        if (equals != std::string_view::npos)
            variables.emplace(std::string(entry.substr(0, equals)), std::string(entry.substr(equals + 1)));
        start = end + 1;
    }
    return variables;
}

std::string linkTarget(const std::string& path) {
    std::vector<char> buffer(4096);
    ssize_t length = readlink(path.c_str(), buffer.data(), buffer.size() - 1);
    if (length <= 0) return "";
    std::string target(buffer.data(), static_cast<size_t>(length));
    const std::string deleted = " (deleted)";
    if (target.size() > deleted.size() && target.compare(target.size() - deleted.size(), deleted.size(), deleted) == 0)
        target.resize(target.size() - deleted.size());
    return target;
}

std::vector<std::string> argumentsOf(const std::string& folder) {
    std::vector<std::string> arguments;
    std::istringstream commandLine(wholeFile(joinPath(folder, "cmdline")));
    for (std::string argument; std::getline(commandLine, argument, '\0');) arguments.push_back(argument);
    return arguments;
}

// The desktop's launcher sets both variables; children inherit them, but with another pid.
std::string launchedDesktopFile(const std::string& folder, pid_t pid) {
    auto variables = environmentOf(folder);
    auto file = variables.find("GIO_LAUNCHED_DESKTOP_FILE");
    if (file == variables.end() || file->second.empty()) return "";
    auto launchedPid = variables.find("GIO_LAUNCHED_DESKTOP_FILE_PID");
    if (launchedPid != variables.end() && parseUnsignedNumber(launchedPid->second) != static_cast<uint64_t>(pid))
        return "";
    return file->second;
}

std::string variableOr(const char* name, const std::string& fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::string(value) : fallback;
}

}  // namespace

ProcRunningApplications::ProcRunningApplications(std::vector<std::string> applicationFolders)
    : index_(std::move(applicationFolders)) {}

std::vector<std::string> ProcRunningApplications::applicationFoldersFromProcess() {
    std::vector<std::string> folders;
    folders.push_back(joinPath(Environment::current()->dataHome(), "applications"));
    std::istringstream dataFolders(variableOr("XDG_DATA_DIRS", "/usr/local/share:/usr/share"));
    for (std::string folder; std::getline(dataFolders, folder, ':');)
        if (!folder.empty()) folders.push_back(joinPath(folder, "applications"));
    return folders;
}

std::optional<ProcRunningApplications::Process> ProcRunningApplications::readProcess(const std::string& folder,
                                                                                      pid_t pid) const {
    if (ownerOf(folder) != getuid()) return std::nullopt;
    Process process;
    process.pid = pid;
    process.executable = linkTarget(joinPath(folder, "exe"));
    process.arguments = argumentsOf(folder);
    process.launchedDesktopFile = launchedDesktopFile(folder, pid);
    return process;
}

const DesktopApplicationIndex::Application* ProcRunningApplications::installedApplicationOf(const Process& process) {
    if (const auto* launched = launchedFrom(process.launchedDesktopFile))
        return UserApplicationRule::whyLeftOut(launched->entry) ? nullptr : launched;
    const std::string firstArgument = process.arguments.empty() ? std::string() : process.arguments.front();
    for (const std::string* path : {&process.executable, &firstArgument}) {
        if (path->empty()) continue;
        if (const auto* installed = index_.byProgram(lastPathComponent(*path), process.arguments)) return installed;
    }
    return nullptr;
}

// The entry in the folders, else one outside them (a file the user opened, say).
const DesktopApplicationIndex::Application* ProcRunningApplications::launchedFrom(const std::string& file) {
    if (file.empty()) return nullptr;
    if (const auto* installed = index_.byFile(file)) return installed;
    auto entry = DesktopEntry::read(file);
    if (!entry) return nullptr;
    launchedOutside_ = DesktopApplicationIndex::Application{DesktopApplicationIndex::idForFile(file), file,
                                                            std::move(*entry)};
    return &*launchedOutside_;
}

std::optional<RunningApplication> ProcRunningApplications::applicationOf(const Process& process,
                                                                         const std::string& locale) {
    const auto* installed = installedApplicationOf(process);
    if (!installed) return std::nullopt;
    RunningApplication application;
    application.name = installed->entry.localizedValue("Name", locale);
    if (application.name.empty()) application.name = installed->id;
    application.pid = process.pid;
    application.path = process.executable.empty() && !process.arguments.empty() ? process.arguments.front()
                                                                                 : process.executable;
    application.icon = installed->entry.value("Icon");
    application.bundleIdentifier = installed->id;
    return application;
}

std::optional<RunningApplication> ProcRunningApplications::applicationOfPid(const std::string& procRoot, pid_t pid,
                                                                            uint64_t startTime,
                                                                            const std::string& locale) {
    auto known = known_.find(pid);
    if (known != known_.end() && startTime != 0 && known->second.startTime == startTime) return known->second.application;
    auto process = readProcess(joinPath(procRoot, std::to_string(pid)), pid);
    auto application = process ? applicationOf(*process, locale) : std::nullopt;
    if (startTime != 0) known_[pid] = Known{startTime, application};
    return application;
}

std::vector<RunningApplication> ProcRunningApplications::runningApplications() {
    std::lock_guard<std::mutex> lock(mutex_);
    auto environment = Environment::current();
    const std::string& procRoot = environment->procRoot();
    const auto& languages = environment->preferredLanguages();
    std::string locale = languages.empty() ? std::string() : languages.front();
    if (index_.refresh() || locale != knownLocale_ || procRoot != knownProcRoot_) known_.clear();
    knownLocale_ = locale;
    knownProcRoot_ = procRoot;

    const UserApplicationRule rule(procRoot);
    std::map<pid_t, Known> stillRunning;
    std::map<pid_t, std::string> identifierOfPid;
    std::vector<std::pair<pid_t, RunningApplication>> found;  // with the parent's pid
    for (pid_t pid : processIds(procRoot)) {
        if (rule.isSessionsOwnProcess(pid)) continue;
        auto parentAndStart = parentAndStartOf(joinPath(procRoot, std::to_string(pid)));
        if (!parentAndStart) continue;
        auto application = applicationOfPid(procRoot, pid, parentAndStart->second, locale);
        if (known_.count(pid)) stillRunning[pid] = known_[pid];
        if (!application) continue;
        application->startTime = parentAndStart->second;
        identifierOfPid[pid] = application->bundleIdentifier;
        found.emplace_back(parentAndStart->first, std::move(*application));
    }
    known_ = std::move(stillRunning);

    std::vector<RunningApplication> applications;
    for (auto& [parent, application] : found) {
        auto parentIdentifier = identifierOfPid.find(parent);
        if (parentIdentifier != identifierOfPid.end() && parentIdentifier->second == application.bundleIdentifier)
            continue;
        applications.push_back(std::move(application));
    }
    return applications;
}

}  // namespace platform
