#include "support/ServiceProcess.h"

#include "support/TempFolder.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

extern char** environ;

namespace testsupport {
namespace {

// A service asked to stop gets this long to shut down cleanly before it is killed.
constexpr auto kStopGrace = std::chrono::seconds(10);
constexpr auto kStopPoll = std::chrono::milliseconds(20);

}  // namespace

ServiceProcess::ServiceProcess(const std::vector<std::string>& arguments, const std::string& logPath)
    : logPath_(logPath) {
    // Everything the child needs is made before fork: a test process may have threads.
    std::vector<std::string> copies = arguments;
    std::vector<char*> argv;
    for (auto& argument : copies) argv.push_back(argument.data());
    argv.push_back(nullptr);
    const int log = open(logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const int nothing = open("/dev/null", O_RDONLY | O_CLOEXEC);
    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        // The test may have died between fork and prctl.
        if (getppid() != parent) _exit(1);
        dup2(nothing, STDIN_FILENO);
        dup2(log, STDOUT_FILENO);
        dup2(log, STDERR_FILENO);
        execve(argv[0], argv.data(), environ);
        _exit(127);
    }
    if (log >= 0) close(log);
    if (nothing >= 0) close(nothing);
}

ServiceProcess::~ServiceProcess() { stop(); }

bool ServiceProcess::running() {
    if (pid_ <= 0 || reaped_) return false;
    int status = 0;
    reaped_ = waitpid(pid_, &status, WNOHANG) == pid_;
    return !reaped_;
}

void ServiceProcess::stop() {
    if (!running()) return;
    kill(pid_, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + kStopGrace;
    while (running() && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(kStopPoll);
    if (!running()) return;
    kill(pid_, SIGKILL);
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    reaped_ = true;
}

std::string ServiceProcess::log() const { return readWholeFile(logPath_); }

}  // namespace testsupport
