#include "platform/system/ProcessRunner.h"

#include "platform/system/PosixProcessRunner.h"
#include "platform/system/ServiceSlot.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

extern char** environ;

namespace platform {

std::string findExecutable(const std::string& program) {
    if (program.empty()) return "";
    if (program.find('/') != std::string::npos) return access(program.c_str(), X_OK) == 0 ? program : "";
    const char* path = std::getenv("PATH");
    std::string list = path ? path : "/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin";
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(':', start);
        std::string folder = list.substr(start, end == std::string::npos ? std::string::npos : end - start);
        std::string candidate = (folder.empty() ? "." : folder) + "/" + program;
        struct stat info {};
        if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(candidate.c_str(), X_OK) == 0)
            return candidate;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return "";
}

std::vector<std::string> environmentWith(const std::vector<std::pair<std::string, std::string>>& variables) {
    std::vector<std::string> merged;
    for (char** entry = environ; entry && *entry; ++entry) {
        std::string text(*entry);
        std::string name = text.substr(0, text.find('='));
        bool replaced = false;
        for (const auto& [key, value] : variables) replaced = replaced || key == name;
        if (!replaced) merged.push_back(text);
    }
    for (const auto& [key, value] : variables) merged.push_back(key + "=" + value);
    return merged;
}

namespace {

ServiceSlot<ProcessRunner>& runnerSlot() {
    static ServiceSlot<ProcessRunner> slot([] { return std::make_shared<PosixProcessRunner>(); });
    return slot;
}
}  // namespace

std::shared_ptr<ProcessRunner> ProcessRunner::shared() { return runnerSlot().get(); }
void ProcessRunner::setShared(std::shared_ptr<ProcessRunner> runner) { runnerSlot().set(std::move(runner)); }

}  // namespace platform
