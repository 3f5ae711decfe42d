#include "support/LaunchedProgram.h"

#include "platform/system/ProcessRunner.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

namespace testsupport {

LaunchedProgram::LaunchedProgram(const std::string& program, const Variables& variables) {
    std::vector<std::string> environment = platform::environmentWith(variables);
    std::vector<char*> environmentPointers;
    for (std::string& variable : environment) environmentPointers.push_back(variable.data());
    environmentPointers.push_back(nullptr);
    std::string name = program;
    char* arguments[] = {name.data(), nullptr};
    if (posix_spawn(&pid_, program.c_str(), nullptr, nullptr, arguments, environmentPointers.data()) != 0) pid_ = -1;
    ended_ = pid_ < 0;
}

LaunchedProgram::~LaunchedProgram() {
    if (hasEnded()) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
}

bool LaunchedProgram::hasEnded() {
    if (!ended_ && waitpid(pid_, &status_, WNOHANG) == pid_) ended_ = true;
    return ended_;
}

int LaunchedProgram::exitCode() const { return pid_ > 0 && WIFEXITED(status_) ? WEXITSTATUS(status_) : -1; }

}  // namespace testsupport
